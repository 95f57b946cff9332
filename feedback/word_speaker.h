#pragma once

#include <QString>

#include <optional>

namespace tavenzo {

// Says the word of a right answer once its answer sound has ended.
class WordSpeaker {
public:
    virtual ~WordSpeaker() = default;
    // An item has been built: its word is made ready while the child works on it.
    virtual void prepareWord(const QString& word) = 0;
    // Plays the answer sound at `answerPath`, then the word, which follows it without a gap and without overlap.
    virtual void answerThenWord(const QString& answerPath, const QString& word) = 0;
    // Silences the word, sounding or still to come after its answer; an answer sounding plays to its end.
    virtual void silenceWord() = 0;
    // When what the child hears falls silent, the word included (seconds of the clock); nothing when nothing sounds.
    virtual std::optional<double> heardUntil() const = 0;
};

} // namespace tavenzo
