#pragma once

#include "core/colour.h"

#include <QString>

#include <algorithm>
#include <array>

namespace tavenzo {

// The toolkit reaches the core only through these small interfaces; tests replace them with fakes.

// Uniform values r with 0 <= r < 1, one generator for the whole process.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    virtual void seedFromClock() = 0;
};

// A whole number in 1..n taken as Int(r * n) + 1: the product is truncated, never rounded.
int drawWhole(RandomSource& random, int n);

// N different slots of 1..n in draw order: a slot equal to one already drawn is drawn again. Needs n >= N, or it
// would draw for ever.
template<std::size_t N> std::array<int, N> drawDifferentSlots(RandomSource& random, int n)
{
    std::array<int, N> drawn {};
    for (std::size_t k = 0; k < N; ++k) {
        int s = drawWhole(random, n);
        while (std::find(drawn.begin(), drawn.begin() + k, s) != drawn.begin() + k) {
            s = drawWhole(random, n);
        }
        drawn[k] = s;
    }
    return drawn;
}

// The random background colour of each new screen and exercise.
class BackgroundColours {
public:
    virtual ~BackgroundColours() = default;
    virtual BgrColour ColoreCasuale() = 0;
};

// Seconds on a clock that never jumps: waits must survive midnight and clock changes.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual double seconds() = 0;
};

// Modal boxes, all titled "Tavenzo".
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Question icon, Yes and No, Yes the default; true on Yes.
    virtual bool question(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // Only an OK button and no icon.
    virtual void plain(const QString& text) = 0;
};

// What the toolkit, which decodes pictures, can tell of a picture file before it is shown.
class PictureCheck {
public:
    enum class Result { Readable, UnknownFormat, Damaged };
    virtual ~PictureCheck() = default;
    virtual Result check(const QString& path) = 0;
};

// A modal file-open dialog for word lists; returns an empty name when nothing was chosen.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString chooseWordList(const QString& startFolder) = 0;
};

} // namespace tavenzo
