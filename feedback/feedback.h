#pragma once

#include "core/colour.h"
#include "core/ports.h"
#include "feedback/sound_player.h"
#include "feedback/word_speaker.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace tavenzo {

inline constexpr std::array<BgrColour, 19> Colori
    = {0, 0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF, 0x00FFFF, 0x0040C0, 0x80FF80, 0x00C000, 0xFFFFC0,
        0xFFFF00, 0xFFC0C0, 0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF};

// The answer sounds, the alert beep and the random background colours that every screen shares.
class Feedback final : public BackgroundColours {
public:
    Feedback(SoundPlayer& player, Beeper& beeper, RandomSource& random, QString soundFolder);

    // The answer sound; with the spoken word on, `word` is said once it has ended.
    void SuonoEsatto(const QString& word = {});
    void SuonoErrato();
    BgrColour ColoreCasuale() override;
    void beep() { m_beeper.beep(); }

    // Who says the words after right answers; none (the default) keeps the program silent after its answer sounds.
    void setSpeaker(WordSpeaker* speaker) { m_speaker = speaker; }
    bool speaksWords() const { return m_speaker != nullptr; }
    // The word of an item just built, made ready to be said.
    void prepareWord(const QString& word);
    // A new item or another screen: the word of the last answer is not said any longer.
    void silenceWord();
    // When the answer sound and its word fall silent; nothing when nothing sounds or no word is said.
    std::optional<double> heardUntil() const;

    // Every sound file the answers may play, for a player that loads them ahead.
    QStringList soundPaths() const;

private:
    QString successSound(int k) const;
    QString failureSound() const;

    SoundPlayer& m_player;
    Beeper& m_beeper;
    RandomSource& m_random;
    QString m_soundFolder;
    WordSpeaker* m_speaker = nullptr;
};

} // namespace tavenzo
