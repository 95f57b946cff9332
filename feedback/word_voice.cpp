#include "feedback/word_voice.h"

#include "core/content_finder.h"
#include "feedback/sound_bank.h"
#include "feedback/speech_synthesiser.h"

#include <algorithm>

namespace tavenzo {

namespace {

// A teacher's recording starts and ends with the room's quiet; it is cut off so the word follows the answer at once.
// Quiet is what stays below a fiftieth of the word's loudest sample (a microphone's hiss included), and 30 ms of it
// are kept at each end so that a soft first consonant ("s", "f") is not clipped.
PcmSound withoutQuietEnds(const PcmSound& sound)
{
    return trimmedSilence(sound, std::max(0.003, peakOf(sound) / 50), 30);
}

} // namespace

std::optional<PcmSound> wordSound(
    const QString& recording, const QString& word, SoundFileDecoder& decoder, SpeechSynthesiser* synthesiser)
{
    if (!recording.isEmpty()) {
        std::optional<PcmSound> sound = decoder.decode(recording);
        if (sound && sound->format.sampleRate > 0 && sound->format.bytesPerFrame() > 0) {
            PcmSound trimmed = withoutQuietEnds(*sound);
            // A recording of silence alone is as good as none.
            if (!trimmed.samples.isEmpty()) {
                return trimmed;
            }
        }
    }
    return synthesiser ? synthesiser->say(word) : std::nullopt;
}

WordVoice::WordVoice(
    SoundBank& bank, ContentFinder& recordings, SoundFileDecoder& decoder, SpeechSynthesiser* synthesiser)
    : m_bank(bank)
    , m_recordings(recordings)
    , m_decoder(decoder)
    , m_synthesiser(synthesiser)
{
}

QString WordVoice::soundId(const QString& word)
{
    return QStringLiteral("voce:") + word.toLower() + QLatin1Char('\n') + m_recordings.find(word);
}

void WordVoice::prepareWord(const QString& word)
{
    if (word.isEmpty()) {
        return;
    }
    const QString recording = m_recordings.find(word);
    // The words are held in the case of the exercise; said in capitals, the synthesiser would spell a short one.
    const QString said = word.toLower();
    m_bank.prepare(
        soundId(word), SoundKind::Word, [&decoder = m_decoder, synthesiser = m_synthesiser, recording, said]() {
            return wordSound(recording, said, decoder, synthesiser);
        });
}

void WordVoice::answerThenWord(const QString& answerPath, const QString& word)
{
    // Prepared when its item was built; asked again here in case it was forgotten meanwhile, it is then too late for
    // this answer but ready for the next.
    prepareWord(word);
    m_bank.playThen(answerPath, soundId(word));
}

void WordVoice::silenceWord()
{
    m_bank.cutOff(SoundKind::Word);
}

std::optional<double> WordVoice::heardUntil() const
{
    return m_bank.soundingUntil();
}

} // namespace tavenzo
