#include "core/text_decoding.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <array>

namespace tavenzo {

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes a UTF-8 character takes, from its first byte; 0 for a byte no character starts with.
qsizetype sequenceLength(char lead)
{
    const auto b = static_cast<unsigned char>(lead);
    if (b < 0x80) {
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        return 2;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        return 3;
    }
    return b >= 0xF0 && b <= 0xF4 ? 4 : 0;
}

// Whether the bytes begin some valid character. Only the second byte's range depends on the first, and 0x80 or 0xBF
// lies in it for every first byte, so one of the two completions is valid exactly when any is.
bool beginsACharacter(QByteArrayView start)
{
    const qsizetype length = sequenceLength(start.front());
    if (length <= start.size()) {
        return false;
    }
    for (const char filler : {'\x80', '\xBF'}) {
        QByteArray whole = start.toByteArray();
        whole.append(length - start.size(), filler);
        if (QByteArrayView(whole).isValidUtf8()) {
            return true;
        }
    }
    return false;
}

} // namespace

bool isUtf8(QByteArray& bytes, bool cut)
{
    // Qt's check refuses what ours must: overlong forms, surrogates, anything above U+10FFFF.
    if (QByteArrayView(bytes).isValidUtf8()) {
        return true;
    }
    if (!cut || bytes.isEmpty()) {
        return false;
    }
    qsizetype lead = bytes.size() - 1;
    while (lead > 0 && isContinuation(bytes.at(lead))) {
        --lead;
    }
    const QByteArrayView whole(bytes);
    if (!whole.first(lead).isValidUtf8() || !beginsACharacter(whole.sliced(lead))) {
        return false;
    }
    bytes.truncate(lead);
    return true;
}

QString fromWindows1252(const QByteArray& bytes)
{
    // Bytes 0x80..0x9F are where Windows-1252 differs from Latin-1; five of them are unassigned and are kept as
    // the C1 control of the same value, as Windows itself maps them.
    static constexpr std::array<char16_t, 32> high = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(high[b - 0x80]) : QChar(b));
    }
    return text;
}

bool startsWithUtf16Mark(const QByteArray& firstBytes)
{
    return firstBytes.startsWith("\xFF\xFE") || firstBytes.startsWith("\xFE\xFF");
}

QByteArray utf16WithMarkToUtf8(const QByteArray& bytes)
{
    if (!startsWithUtf16Mark(bytes)) {
        return {};
    }
    const bool little = bytes.startsWith("\xFF\xFE");
    QStringDecoder decode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    const QString text = decode(QByteArrayView(bytes).sliced(2));
    return text.toUtf8();
}

QString truncateToCharacters(QString text, int maxCharacters)
{
    int characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (characters == maxCharacters) {
            text.truncate(i);
            break;
        }
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        }
        ++characters;
    }
    return text;
}

} // namespace tavenzo
