#pragma once

#include "core/content_finder.h"
#include "core/ports.h"
#include "core/shared_state.h"
#include "exercises/frame/exercise_services.h"
#include "feedback/feedback.h"
#include "feedback/sound_player.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <deque>
#include <functional>
#include <random>
#include <stdexcept>
#include <vector>

namespace tavenzo::testing {

// Replays scripted values; running dry is a test error, not a silent zero.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<double> values)
        : m_values(values)
    {
    }
    void push(std::initializer_list<double> values) { m_values.insert(m_values.end(), values); }
    // The value that makes drawWhole(n) give k.
    static double forSlot(int k, int n) { return (k - 0.5) / n; }
    void pushSlot(int k, int n) { m_values.push_back(forSlot(k, n)); }
    double next() override
    {
        if (m_values.empty()) {
            if (m_fallback >= 0) {
                ++m_taken;
                return m_fallback;
            }
            throw std::logic_error("scripted random values ran out");
        }
        ++m_taken;
        const double r = m_values.front();
        m_values.pop_front();
        return r;
    }
    void seedFromClock() override { ++m_seeds; }
    size_t remaining() const { return m_values.size(); }
    int taken() const { return m_taken; }
    int seeds() const { return m_seeds; }

    // When set, values past the script repeat this one instead of failing.
    void setFallback(double r) { m_fallback = r; }

private:
    std::deque<double> m_values;
    int m_taken = 0;
    int m_seeds = 0;
    double m_fallback = -1;
};

// A random source that is reproducible from its seed, for sessions too long to script value by value.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(unsigned seed)
        : m_engine(seed)
    {
    }
    double next() override { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }
    void seedFromClock() override { }

private:
    std::mt19937_64 m_engine;
};

// Records everything the program asked of the toolkit in one log, so tests can check the order of effects.
class Recorder {
public:
    QStringList log;
};

class FakeSoundPlayer final : public SoundPlayer {
public:
    explicit FakeSoundPlayer(Recorder& recorder)
        : m_recorder(recorder)
    {
    }
    void play(const QString& path) override
    {
        played.append(path);
        m_recorder.log.append(QStringLiteral("play ") + path.section(QLatin1Char('/'), -1));
    }
    QStringList played;

private:
    Recorder& m_recorder;
};

class FakeBeeper final : public Beeper {
public:
    explicit FakeBeeper(Recorder& recorder)
        : m_recorder(recorder)
    {
    }
    void beep() override { m_recorder.log.append(QStringLiteral("beep")); }

private:
    Recorder& m_recorder;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    bool question(const QString& text) override
    {
        questions.append(text);
        open();
        return answers.empty() ? true : takeAnswer();
    }
    void information(const QString& text) override
    {
        informations.append(text);
        open();
    }
    void error(const QString& text) override
    {
        errors.append(text);
        open();
    }
    void plain(const QString& text) override
    {
        plains.append(text);
        open();
    }

    std::deque<bool> answers;
    QStringList questions, informations, errors, plains;
    // What happens while a box is open, as the timers of a real modal box go on firing.
    std::function<void()> whileOpen;

private:
    void open()
    {
        if (whileOpen) {
            whileOpen();
        }
    }
    bool takeAnswer()
    {
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FakeFileChooser final : public FileChooser {
public:
    QString chooseWordList(const QString& startFolder) override
    {
        startFolders.append(startFolder);
        if (names.empty()) {
            return {};
        }
        const QString name = names.front();
        names.pop_front();
        return name;
    }
    std::deque<QString> names;
    QStringList startFolders;
};

// Every picture file reads, but those a test names otherwise by their file name.
class FakePictureCheck final : public PictureCheck {
public:
    Result check(const QString& path) override
    {
        checked.append(path);
        return results.value(QFileInfo(path).fileName(), Result::Readable);
    }
    QHash<QString, Result> results;
    QStringList checked;
};

class FakeClock final : public MonotonicClock {
public:
    double seconds() override { return now; }
    double now = 1000.0;
};

// Everything an exercise model needs, wired to fakes.
struct Bench {
    explicit Bench(QString programFolder = QStringLiteral("/nonexistent-program-folder"))
        : sounds(recorder)
        , beeper(recorder)
        , feedback(sounds, beeper, random, QDir(programFolder).filePath(QStringLiteral("suoni")))
        , pictures(pictureKind(), {programFolder})
    {
    }
    void setWords(const QStringList& words)
    {
        for (int i = 0; i < words.size(); ++i) {
            state.word(i + 1) = words.at(i);
        }
        state.NumeroParole = static_cast<qint16>(words.size());
    }
    ExerciseServices services() { return {state, random, feedback, pictures, clock}; }

    Recorder recorder;
    SharedState state;
    ScriptedRandom random;
    FakeSoundPlayer sounds;
    FakeBeeper beeper;
    Feedback feedback;
    ContentFinder pictures;
    FakeClock clock;
    FakePictureCheck pictureCheck;
};

} // namespace tavenzo::testing
