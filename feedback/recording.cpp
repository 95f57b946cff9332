#include "feedback/recording.h"

#include "core/content_finder.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace tavenzo {

namespace {

// The loudness aimed at: speech whose mean power is 20 dB under full scale, as loud as the synthesiser's voice and a
// little under the answer sounds; the loudest sample is never taken above -1 dBFS, and a whisper is raised at most
// twentyfold, so the room's hiss is never made into a roar.
constexpr double kTargetRms = 0.1;
constexpr double kMaxPeak = 0.89;
constexpr double kMaxGain = 20.0;

double rmsOf(const PcmSound& sound)
{
    const qsizetype count = sound.samples.size() / 2;
    double sum = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const double v = qFromLittleEndian<qint16>(sound.samples.constData() + 2 * i) / 32768.0;
        sum += v * v;
    }
    return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0;
}

} // namespace

PcmSound levelledRecording(const PcmSound& raw)
{
    const PcmFormat mono {raw.format.sampleRate, 1, PcmFormat::Sample::Int16};
    const std::optional<PcmSound> one = converted(raw, mono);
    if (!one || one->samples.isEmpty()) {
        return {mono, {}};
    }
    const double peak = peakOf(*one);
    PcmSound trimmed = trimmedSilence(*one, std::max(0.003, peak / 50), 30);
    const double rms = rmsOf(trimmed);
    if (trimmed.samples.isEmpty() || rms <= 0 || peak <= 0) {
        return {mono, {}};
    }
    const double gain = std::min({kTargetRms / rms, kMaxPeak / peak, kMaxGain});
    const qsizetype count = trimmed.samples.size() / 2;
    for (qsizetype i = 0; i < count; ++i) {
        char* at = trimmed.samples.data() + 2 * i;
        const double v = qFromLittleEndian<qint16>(at) * gain;
        qToLittleEndian(static_cast<qint16>(std::lround(std::clamp(v, -32768.0, 32767.0))), at);
    }
    return trimmed;
}

QByteArray wavFile(const PcmSound& sound)
{
    const PcmFormat mono16 {sound.format.sampleRate, sound.format.channels, PcmFormat::Sample::Int16};
    const std::optional<PcmSound> pcm = converted(sound, mono16);
    const QByteArray samples = pcm ? pcm->samples : QByteArray();
    const auto u32 = [](QByteArray& out, quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    const auto u16 = [](QByteArray& out, quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    const auto channels = static_cast<quint16>(std::max(sound.format.channels, 1));
    const auto rate = static_cast<quint32>(std::max(sound.format.sampleRate, 1));
    QByteArray out;
    out.append("RIFF", 4);
    u32(out, static_cast<quint32>(36 + samples.size()));
    out.append("WAVEfmt ", 8);
    u32(out, 16);
    u16(out, 1); // integer PCM
    u16(out, channels);
    u32(out, rate);
    u32(out, rate * channels * 2);
    u16(out, static_cast<quint16>(channels * 2));
    u16(out, 16);
    out.append("data", 4);
    u32(out, static_cast<quint32>(samples.size()));
    out.append(samples);
    return out;
}

QString saveRecording(const QString& place, const QString& word, const PcmSound& sound, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return QString();
    };
    if (word.trimmed().isEmpty() || !ContentFinder::isSafeName(word) || word.startsWith(QLatin1Char('.'))) {
        return fail(QStringLiteral("La parola \"%1\" non può dare il nome a un file.").arg(word));
    }
    if (sound.samples.isEmpty()) {
        return fail(QStringLiteral("Non si sente niente: la registrazione è vuota."));
    }
    // An existing "Voci" of the teacher's serves as it is; otherwise "voci" is made.
    QDir folder(place);
    QString voices = folder.filePath(voiceKind().folder);
    for (const QString& existing : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (existing.compare(voiceKind().folder, Qt::CaseInsensitive) == 0) {
            voices = folder.filePath(existing);
            break;
        }
    }
    if (!QDir().mkpath(voices)) {
        return fail(QStringLiteral("Non riesco a creare la cartella %1.").arg(voices));
    }
    const QString path = QDir(voices).filePath(word.toLower() + QStringLiteral(".wav"));
    // The file saved must lie in voci/ itself, whatever links the name meets.
    if (QFileInfo(path).absolutePath() != QFileInfo(voices).absoluteFilePath()) {
        return fail(QStringLiteral("La parola \"%1\" non può dare il nome a un file.").arg(word));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    file.write(wavFile(sound));
    if (!file.commit()) {
        return fail(file.errorString());
    }
    return path;
}

} // namespace tavenzo
