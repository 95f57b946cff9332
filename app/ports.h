#pragma once

#include <QString>

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

// A modal file-open dialog for word lists; returns an empty name when nothing was chosen.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString chooseWordList(const QString& startFolder) = 0;
};

} // namespace tavenzo
