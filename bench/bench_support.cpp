#include "bench/bench_support.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

namespace tavenzo::bench {

QStringList makeWords(int count)
{
    static const QString consonants = QStringLiteral("bcdfglmnprstvz");
    static const QString vowels = QStringLiteral("aeiou");
    std::mt19937 engine(7);
    QSet<QString> seen;
    QStringList words;
    while (words.size() < count) {
        const int syllables = 2 + static_cast<int>(engine() % 3);
        QString word;
        for (int s = 0; s < syllables; ++s) {
            word += consonants.at(static_cast<int>(engine() % consonants.size()));
            word += vowels.at(static_cast<int>(engine() % vowels.size()));
        }
        if (engine() % 4 == 0) {
            word += consonants.at(static_cast<int>(engine() % consonants.size()));
        }
        if (!seen.contains(word)) {
            seen.insert(word);
            words.append(word);
        }
    }
    return words;
}

namespace {

// Soft shapes on a gradient: a JPEG of it is about as large and as slow to decode as a drawn picture.
QImage drawPicture(int side, int index)
{
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, side, side);
    sky.setColorAt(0, QColor::fromHsv((index * 37) % 360, 60, 250));
    sky.setColorAt(1, QColor::fromHsv((index * 37 + 120) % 360, 120, 200));
    painter.fillRect(image.rect(), sky);
    std::mt19937 engine(static_cast<unsigned>(index) + 1);
    for (int k = 0; k < 12; ++k) {
        const QColor colour = QColor::fromHsv(static_cast<int>(engine() % 360), 200, 230);
        painter.setBrush(colour);
        painter.setPen(QPen(colour.darker(160), 3));
        const int x = static_cast<int>(engine() % static_cast<unsigned>(side));
        const int y = static_cast<int>(engine() % static_cast<unsigned>(side));
        const int r = side / 16 + static_cast<int>(engine() % static_cast<unsigned>(side / 6));
        if (k % 2 == 0) {
            painter.drawEllipse(QPoint(x, y), r, r);
        } else {
            painter.drawRoundedRect(QRect(x - r, y - r / 2, 2 * r, r), 8, 8);
        }
    }
    return image;
}

} // namespace

GeneratedProgramFolder::GeneratedProgramFolder(int count, int side)
    : m_words(makeWords(count))
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("jpg"))) {
        return;
    }
    QFile list(listPath());
    if (!list.open(QIODevice::WriteOnly)) {
        return;
    }
    for (int i = 0; i < m_words.size(); ++i) {
        list.write(m_words.at(i).toLatin1() + "\r\n");
        const QString file = m_dir.filePath(QStringLiteral("jpg/%1.jpg").arg(m_words.at(i)));
        if (!drawPicture(side, i).save(file, "JPG", 90)) {
            return;
        }
    }
    m_valid = true;
}

double percentile(std::vector<double>& samples, double fraction)
{
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(samples.size())));
    return samples.at(std::clamp<size_t>(rank, 1, samples.size()) - 1);
}

namespace {

// A figure in KiB from /proc/self/status, such as "VmRSS:", or -1.
long statusKib(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(field.size()));
        }
    }
    return -1;
}

} // namespace

long residentKib()
{
    return statusKib("VmRSS:");
}

long privateKib()
{
    return statusKib("RssAnon:");
}

std::string residentParts()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    std::string parts;
    while (std::getline(status, line)) {
        if (line.rfind("RssAnon:", 0) == 0 || line.rfind("RssFile:", 0) == 0 || line.rfind("RssShmem:", 0) == 0) {
            parts += (parts.empty() ? "" : ", ") + line;
        }
    }
    return parts;
}

} // namespace tavenzo::bench
