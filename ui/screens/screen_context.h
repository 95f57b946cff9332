#pragma once

#include "core/screen_id.h"

namespace tavenzo {
class MessageBoxes;
}

namespace tavenzo::ui {

class PictureLoader;
class Presentation;

// How a screen asks for another one; the program keeps exactly one screen open.
class ScreenSwitcher {
public:
    virtual ~ScreenSwitcher() = default;
    // Shows the new screen without waiting for it, then closes the one that was open.
    virtual void open(ScreenId screen) = 0;
    // Ends the run at once, without the screens' own leave steps.
    virtual void endRun() = 0;
};

// What every screen class needs from the program besides its own model.
struct ScreenContext {
    ScreenSwitcher& screens;
    MessageBoxes& boxes;
    PictureLoader& pictures;
    const Presentation& presentation;
};

} // namespace tavenzo::ui
