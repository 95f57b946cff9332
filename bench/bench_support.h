#pragma once

#include "core/ports.h"
#include "feedback/sound_player.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tavenzo::bench {

// A fixed seed, so two runs (before and after a change) draw the same words in the same order.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed = 20240611)
        : m_engine(seed)
    {
    }
    double next() override { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }
    void seedFromClock() override { }

private:
    std::mt19937_64 m_engine;
};

class SilentSounds final : public SoundPlayer {
public:
    void play(const QString&) override { ++played; }
    int played = 0;
};

class SilentBeeper final : public Beeper {
public:
    void beep() override { }
};

// Every question is answered Yes, so "Esci" always leaves.
class YesBoxes final : public MessageBoxes {
public:
    bool question(const QString&) override { return true; }
    void information(const QString&) override { }
    void error(const QString&) override { }
    void plain(const QString&) override { }
};

class NoChooser final : public FileChooser {
public:
    QString chooseWordList(const QString&) override { return {}; }
};

class StillClock final : public MonotonicClock {
public:
    double seconds() override { return now; }
    double now = 1000.0;
};

// The side of the generated word pictures: as large as the bundled ones, so they cost as much to decode.
constexpr int kGeneratedPictureSide = 600;

// Distinct lower-case words spelt only with the 21 letters of the on-screen keyboard, 4 to 9 letters long.
QStringList makeWords(int count);

// A program folder in a temporary directory: lista.txt with `count` words and, for each, a side x side JPEG in
// jpg/ drawn differently enough that no two files are alike. Needs a QGuiApplication (QPainter on QImage).
class GeneratedProgramFolder {
public:
    GeneratedProgramFolder(int count, int side);
    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    const QStringList& words() const { return m_words; }
    QString listPath() const { return m_dir.filePath(QStringLiteral("lista.txt")); }

private:
    QTemporaryDir m_dir;
    QStringList m_words;
    bool m_valid = false;
};

// Nearest-rank percentile of the samples (sorted in place); 0 for none.
double percentile(std::vector<double>& samples, double fraction);

// Resident set of this process in KiB, from /proc/self/status.
long residentKib();
// The private part of it (RssAnon): the heap and the program's own pages, without the shared libraries' code and
// data (RssFile) or the shared memory of the window's backing store (RssShmem).
long privateKib();
// The lines of /proc/self/status that split the resident set: anonymous memory, mapped files, shared memory.
std::string residentParts();

} // namespace tavenzo::bench
