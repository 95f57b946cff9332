// Build-time tool: synthesises the feedback sounds (four short success jingles and one gentle "uh-oh")
// as 16-bit mono 22050 Hz WAV files, so no recorded audio has to live in the repository.
//
//   synth_sounds <out-dir>     writes si1.wav .. si4.wav and no.wav

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2 * std::numbers::pi;

struct Partial {
    double ratio; // frequency relative to the note
    double level;
    double decay; // per second; higher partials fade faster, which is what makes it sound like a bell
};

// Soft bell: mostly harmonic so chords stay sweet, with a quick-fading shimmer on top.
const std::vector<Partial> kBell = {{1.0, 1.0, 4.0}, {2.0, 0.35, 7.0}, {3.0, 0.12, 11.0}, {4.07, 0.05, 16.0}};
// Glockenspiel-like: the slightly inharmonic overtone gives the "sparkle".
const std::vector<Partial> kGlock = {{1.0, 1.0, 5.0}, {2.76, 0.22, 12.0}, {5.40, 0.06, 20.0}};
// Round and dull, for the failure sound: nearly a sine, slow decay.
const std::vector<Partial> kSoft = {{1.0, 1.0, 2.6}, {2.0, 0.12, 5.0}};

struct Note {
    double start; // seconds
    double freq; // Hz
    double length; // seconds until the note is faded out
    double level;
    const std::vector<Partial>* timbre;
    double glide = 0; // relative pitch change over the note, e.g. -0.04 for a small droop
    double vibrato = 0; // relative depth at 5.5 Hz
    double attack = 0.006; // seconds; bells strike quickly, the soft tone swells in
};

double midiFreq(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// Raised-cosine ramp from 0 to 1 over `span` seconds; used for every fade so nothing clicks.
double ramp(double t, double span)
{
    if (t <= 0)
        return 0;
    if (t >= span)
        return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / span);
}

std::vector<double> render(const std::vector<Note>& notes, double seconds)
{
    const auto total = static_cast<std::size_t>(seconds * kRate);
    std::vector<double> mix(total, 0.0);
    for (const Note& note : notes) {
        const auto first = static_cast<std::size_t>(note.start * kRate);
        const auto count = static_cast<std::size_t>(note.length * kRate);
        std::vector<double> phase(note.timbre->size(), 0.0);
        for (std::size_t i = 0; i < count && first + i < total; ++i) {
            const double t = double(i) / kRate;
            const double bend = 1 + note.glide * (t / note.length) + note.vibrato * std::sin(kTwoPi * 5.5 * t);
            const double envelope = ramp(t, note.attack) * ramp(note.length - t, 0.04);
            double sample = 0;
            for (std::size_t k = 0; k < note.timbre->size(); ++k) {
                const Partial& partial = (*note.timbre)[k];
                phase[k] += kTwoPi * note.freq * partial.ratio * bend / kRate;
                sample += partial.level * std::exp(-partial.decay * t) * std::sin(phase[k]);
            }
            mix[first + i] += note.level * envelope * sample;
        }
    }
    // Whole-sound fades guard against any note that starts or ends at the very edge.
    for (std::size_t i = 0; i < total; ++i) {
        const double t = double(i) / kRate;
        mix[i] *= ramp(t, 0.005) * ramp(seconds - t, 0.03);
    }
    return mix;
}

std::vector<std::int16_t> normalise(const std::vector<double>& mix, double peak)
{
    double highest = 1e-9;
    for (double v : mix)
        highest = std::max(highest, std::abs(v));
    std::vector<std::int16_t> pcm;
    pcm.reserve(mix.size());
    for (double v : mix)
        pcm.push_back(static_cast<std::int16_t>(std::lround(v / highest * peak * 32767)));
    return pcm;
}

void put16(std::ofstream& out, std::uint16_t v)
{
    const char bytes[] = {char(v & 0xff), char(v >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t v)
{
    const char bytes[] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff), char(v >> 24)};
    out.write(bytes, 4);
}

bool writeWav(const std::filesystem::path& path, const std::vector<std::int16_t>& pcm)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (std::int16_t s : pcm)
        put16(out, static_cast<std::uint16_t>(s));
    return bool(out);
}

// MIDI note numbers keep the tunes readable.
constexpr int C5 = 72, D5 = 74, E5 = 76, G5 = 79, A5 = 81, C6 = 84, D6 = 86, E6 = 88, G6 = 91, A6 = 93, C7 = 96;
constexpr int C4 = 60, E4 = 64;

struct Sound {
    const char* file;
    std::vector<Note> notes;
    double seconds;
    double peak;
};

// Notes one after another, `step` seconds apart, each ringing until `end`; the last one a little louder.
std::vector<Note> run(std::initializer_list<int> tune, double step, double end, double level, double lastLevel,
    const std::vector<Partial>* timbre)
{
    std::vector<Note> notes;
    int i = 0;
    for (const int midi : tune) {
        const bool last = i + 1 == static_cast<int>(tune.size());
        notes.push_back({step * i, midiFreq(midi), end - step * i, last ? lastLevel : level, timbre});
        ++i;
    }
    return notes;
}

std::vector<Sound> sounds()
{
    std::vector<Sound> list;

    // si1: rising major arpeggio that rings out.
    list.push_back({"si1.wav", run({C5, E5, G5, C6}, 0.09, 0.75, 0.8, 1.0, &kBell), 0.75, 0.70});
    // si2: little fanfare, short-short-long, landing on a chord.
    {
        std::vector<Note> n = {
            {0.00, midiFreq(G5), 0.14, 0.9, &kBell},
            {0.13, midiFreq(G5), 0.14, 0.9, &kBell},
            {0.26, midiFreq(C6), 0.60, 1.0, &kBell, 0, 0.003},
            {0.26, midiFreq(E6), 0.60, 0.6, &kBell, 0, 0.003},
            {0.26, midiFreq(C5), 0.60, 0.5, &kBell},
        };
        list.push_back({"si2.wav", n, 0.86, 0.70});
    }
    // si3: quick sparkly pentatonic run up to a high note.
    list.push_back({"si3.wav", run({C6, D6, E6, G6, A6, C7}, 0.055, 0.62, 0.65, 0.9, &kGlock), 0.62, 0.66});
    // si4: "ta-da": a short pick-up, then a full warm chord.
    {
        std::vector<Note> n = {
            {0.00, midiFreq(G5), 0.16, 0.8, &kBell},
            {0.00, midiFreq(D5), 0.16, 0.5, &kBell},
            {0.16, midiFreq(C5), 0.78, 0.7, &kBell, 0, 0.004},
            {0.16, midiFreq(E5), 0.78, 0.7, &kBell, 0, 0.004},
            {0.16, midiFreq(G5), 0.78, 0.7, &kBell, 0, 0.004},
            {0.16, midiFreq(C6), 0.78, 0.8, &kBell, 0, 0.004},
            {0.20, midiFreq(A5) * 2, 0.50, 0.15, &kGlock},
        };
        list.push_back({"si4.wav", n, 0.94, 0.70});
    }
    // no: soft, low "uh-oh" - two notes stepping down, quiet so it never startles.
    {
        std::vector<Note> n = {
            {0.00, midiFreq(E4), 0.30, 1.0, &kSoft, -0.01, 0, 0.025},
            {0.32, midiFreq(C4), 0.46, 1.0, &kSoft, -0.03, 0, 0.025},
        };
        list.push_back({"no.wav", n, 0.80, 0.20});
    }
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: synth_sounds <out-dir>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "synth_sounds: cannot create %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    for (const Sound& sound : sounds()) {
        if (!writeWav(dir / sound.file, normalise(render(sound.notes, sound.seconds), sound.peak))) {
            std::fprintf(stderr, "synth_sounds: cannot write %s\n", (dir / sound.file).string().c_str());
            return 1;
        }
    }
    return 0;
}
