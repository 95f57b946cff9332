#pragma once

#include "feedback/pcm_sound.h"
#include "feedback/word_speaker.h"

#include <QString>

namespace tavenzo {

class ContentFinder;
class SoundBank;
class SoundFileDecoder;
class SpeechSynthesiser;

// The sound of a word as the children hear it: the recording at `recording` (empty: none) without the room's quiet at
// its ends, else `word` said by the synthesiser. Nothing when neither gives a sound. Called away from the
// user-interface thread.
std::optional<PcmSound> wordSound(
    const QString& recording, const QString& word, SoundFileDecoder& decoder, SpeechSynthesiser* synthesiser);

// Whose voice says a word: the teacher's recording where the finder has one, else the synthesiser; a recording that
// cannot be read is said by the synthesiser too, and with neither the word stays silent. The sounds are made away
// from the user-interface thread and kept in the sound bank's cache of words.
class WordVoice final : public WordSpeaker {
public:
    WordVoice(SoundBank& bank, ContentFinder& recordings, SoundFileDecoder& decoder, SpeechSynthesiser* synthesiser);

    void prepareWord(const QString& word) override;
    void answerThenWord(const QString& answerPath, const QString& word) override;
    void silenceWord() override;
    std::optional<double> heardUntil() const override;

    // The bank's name of a word's sound: a recording made since the word was last said gets a name of its own.
    QString soundId(const QString& word);

private:
    SoundBank& m_bank;
    ContentFinder& m_recordings;
    SoundFileDecoder& m_decoder;
    SpeechSynthesiser* m_synthesiser;
};

} // namespace tavenzo
