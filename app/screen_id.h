#pragma once

namespace tavenzo {

enum class ScreenId { Splash, Menu, Lettera1, Lettera, Lettere, Parole, Disegni, Disegni1 };

// Fewest words an exercise can be built from: six different slots for the six choices, three for the three
// pictures, one word for the letter exercises.
int minimumWords(ScreenId screen);

} // namespace tavenzo
