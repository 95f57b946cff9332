#include "ui/glue/espeak_synthesiser.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <mutex>

namespace tavenzo::ui {

namespace {

// Below this, a sample is the synthesiser's own near-silence before and after the word.
constexpr double kQuiet = 0.01;
// Kept of it at either end, so the word neither starts nor stops with a click.
constexpr int kMarginMilliseconds = 15;
// A word of the lists takes a second or two; a longer sound is not a word and is cut there.
constexpr int kMaxSeconds = 5;

struct Library {
    std::mutex mutex;
    bool tried = false;
    int sampleRate = 0; // 0: no library data or no Italian voice
    int users = 0;
};

Library& library()
{
    static Library instance;
    return instance;
}

struct Collected {
    QByteArray samples;
    qsizetype limit = 0;
};

int collect(short* wav, int count, espeak_EVENT* events)
{
    auto* into = static_cast<Collected*>(events != nullptr ? events->user_data : nullptr);
    if (into == nullptr || wav == nullptr || count <= 0) {
        return 0;
    }
    const qsizetype bytes = static_cast<qsizetype>(count) * static_cast<qsizetype>(sizeof(short));
    if (into->samples.size() + bytes > into->limit) {
        return 1; // enough: stop
    }
    into->samples.append(reinterpret_cast<const char*>(wav), bytes);
    return 0;
}

} // namespace

void EspeakSynthesiser::setPace(int pace)
{
    m_pace = std::clamp(pace, espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

EspeakSynthesiser::EspeakSynthesiser(int pace)
    : m_pace(std::clamp(pace, espeakRATE_MINIMUM, espeakRATE_MAXIMUM))
{
    const std::lock_guard lock(library().mutex);
    ++library().users;
}

EspeakSynthesiser::~EspeakSynthesiser()
{
    Library& lib = library();
    const std::lock_guard lock(lib.mutex);
    if (--lib.users == 0 && lib.sampleRate > 0) {
        espeak_Terminate();
        lib.tried = false;
        lib.sampleRate = 0;
    }
}

std::optional<PcmSound> EspeakSynthesiser::say(const QString& word)
{
    Library& lib = library();
    const std::lock_guard lock(lib.mutex);
    if (!lib.tried) {
        lib.tried = true;
        // Without the data the library would end the whole program; it must only fail.
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate > 0 && espeak_SetVoiceByName("it") == EE_OK) {
            espeak_SetSynthCallback(collect);
            lib.sampleRate = rate;
        } else if (rate > 0) {
            espeak_Terminate();
        }
    }
    const QByteArray text = word.trimmed().toUtf8();
    if (lib.sampleRate <= 0 || text.isEmpty()) {
        return std::nullopt;
    }
    espeak_SetParameter(espeakRATE, m_pace.load(), 0);
    Collected collected;
    collected.limit = static_cast<qsizetype>(lib.sampleRate) * kMaxSeconds * static_cast<qsizetype>(sizeof(short));
    // Plain text, never markup: a word of a list is said as it is written.
    if (espeak_Synth(text.constData(), static_cast<size_t>(text.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
            nullptr, &collected)
        != EE_OK) {
        return std::nullopt;
    }
    PcmSound sound {{lib.sampleRate, 1, PcmFormat::Sample::Int16}, collected.samples};
    sound = trimmedSilence(sound, kQuiet, kMarginMilliseconds);
    if (sound.samples.isEmpty()) {
        return std::nullopt;
    }
    return sound;
}

} // namespace tavenzo::ui
