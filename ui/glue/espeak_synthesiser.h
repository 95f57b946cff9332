#pragma once

#include "feedback/speech_synthesiser.h"

#include <atomic>

namespace tavenzo::ui {

// espeak-ng's Italian voice, through its library: a word is synthesised whole into memory, never played by the
// library itself. The library keeps one state for the whole process, so every instance shares it and says one word
// at a time; it is started on the first word, on the thread that asks, since loading its data takes a moment.
class EspeakSynthesiser final : public SpeechSynthesiser {
public:
    // `pace` in words a minute (see Settings::kDefaultPace for the choice of rate).
    explicit EspeakSynthesiser(int pace);
    ~EspeakSynthesiser() override;
    EspeakSynthesiser(const EspeakSynthesiser&) = delete;
    EspeakSynthesiser& operator=(const EspeakSynthesiser&) = delete;

    // Nothing when the library or its Italian voice cannot be found, or the word gives no sound.
    std::optional<PcmSound> say(const QString& word) override;
    // From the next word on, which may be being said on another thread: the studio's pace moved by the teacher.
    void setPace(int pace);

private:
    std::atomic<int> m_pace;
};

} // namespace tavenzo::ui
