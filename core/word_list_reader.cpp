#include "core/word_list_reader.h"

#include "core/ports.h"
#include "core/text_decoding.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tavenzo {

namespace {

// A UTF-8 character takes at most four bytes, so this many bytes always hold the kept characters of a field.
constexpr qsizetype kMaxFieldBytes = kMaxWordLength * 4;
constexpr qint64 kChunk = 64 * 1024;
// Fields read at most, words and empty ones together, so that a huge file of separators is refused in bounded time.
constexpr int kMaxFieldsRead = 100 * kMaxWords;

// Pulls bytes from a device in chunks.
class ByteStream {
public:
    explicit ByteStream(QIODevice& device)
        : m_device(device)
    {
    }

    bool atEnd()
    {
        fill();
        return m_pos >= m_buffer.size();
    }
    unsigned char peek()
    {
        fill();
        return static_cast<unsigned char>(m_buffer.at(m_pos));
    }
    unsigned char get()
    {
        const unsigned char b = peek();
        ++m_pos;
        return b;
    }
    // Skips bytes up to the next byte in stops (left unread) or the end, a buffer at a time: an over-long field in a
    // huge file costs a scan, not a call per byte.
    template<typename Stop> void skipUntil(Stop stop)
    {
        while (!atEnd()) {
            const char* begin = m_buffer.constData() + m_pos;
            const char* end = m_buffer.constData() + m_buffer.size();
            const char* hit = std::find_if(begin, end, [&](char c) { return stop(static_cast<unsigned char>(c)); });
            m_pos += hit - begin;
            if (hit != end) {
                return;
            }
        }
    }
    bool failed() const { return m_failed; }
    // A NUL byte never occurs in a text list: the file is binary and reading stops there.
    bool binary() const { return m_binary; }

private:
    void fill()
    {
        if (m_pos < m_buffer.size() || m_eof) {
            return;
        }
        m_buffer.resize(kChunk);
        const qint64 got = m_device.read(m_buffer.data(), kChunk);
        if (got < 0) {
            m_failed = true;
        }
        if (got <= 0) {
            m_eof = true;
            m_buffer.clear();
        } else {
            m_buffer.resize(got);
            const qsizetype nul = m_buffer.indexOf('\0');
            if (nul >= 0) {
                m_binary = true;
                m_eof = true;
                m_buffer.truncate(nul);
            }
        }
        m_pos = 0;
    }

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
    bool m_failed = false;
    bool m_binary = false;
};

bool isBlank(unsigned char b)
{
    return b == ' ';
}

// Commas end a field, and so do the semicolons and tabs with which spreadsheets save their columns.
bool endsField(unsigned char b)
{
    return b == ',' || b == ';' || b == '\t' || b == '\r' || b == '\n';
}

// One field as read: its bytes, whether they were cut at the byte limit, and whether a line end followed it.
struct Field {
    QByteArray bytes;
    bool cut = false;
    bool endsLine = false;
};

void keep(QByteArray& field, unsigned char b)
{
    if (field.size() < kMaxFieldBytes) {
        field.append(static_cast<char>(b));
    }
}

Field readField(ByteStream& in)
{
    Field read;
    QByteArray& field = read.bytes;
    while (!in.atEnd() && isBlank(in.peek())) {
        in.get();
    }
    if (!in.atEnd() && in.peek() == '"') {
        in.get();
        while (!in.atEnd()) {
            if (field.size() == kMaxFieldBytes) {
                read.cut = true;
                in.skipUntil([](unsigned char c) { return c == '"'; });
                if (in.atEnd()) {
                    break;
                }
            }
            const unsigned char b = in.get();
            if (b == '"') {
                break;
            }
            keep(field, b);
        }
        // Whatever follows the closing quote up to the delimiter is not part of the word.
        in.skipUntil(endsField);
    } else {
        while (!in.atEnd() && !endsField(in.peek())) {
            if (field.size() == kMaxFieldBytes) {
                read.cut = true;
                in.skipUntil(endsField);
                break;
            }
            keep(field, in.get());
        }
        while (!field.isEmpty() && isBlank(static_cast<unsigned char>(field.back()))) {
            field.chop(1);
        }
    }
    if (!in.atEnd()) {
        const unsigned char delimiter = in.get();
        read.endsLine = delimiter == '\r' || delimiter == '\n';
        if (delimiter == '\r' && !in.atEnd() && in.peek() == '\n') {
            in.get();
        }
    } else {
        read.endsLine = true;
    }
    return read;
}

} // namespace

namespace {

// UTF-16 takes at most four bytes for a character of a kept word, and a separator two: this bounds what a UTF-16 list
// of kMaxWords words of any length can need, with room for blank lines.
constexpr qint64 kMaxUtf16Bytes = qint64(kMaxFieldsRead) * 8 + qint64(kMaxWords) * kMaxWordLength * 4;

} // namespace

WordListReadResult readWordList(QIODevice& device)
{
    // A UTF-16 list is turned into UTF-8 first, so that one field rule serves every encoding.
    if (startsWithUtf16Mark(device.peek(2))) {
        QByteArray raw;
        bool failed = false;
        while (raw.size() < kMaxUtf16Bytes) {
            const QByteArray chunk = device.read(std::min(kChunk, kMaxUtf16Bytes - raw.size()));
            if (chunk.isEmpty()) {
                failed = !device.atEnd() && !device.isSequential();
                break;
            }
            raw.append(chunk);
        }
        const bool more = raw.size() >= kMaxUtf16Bytes && !device.atEnd();
        // Cut at the limit, the text ends on a whole code unit.
        if (more && raw.size() % 2 != 0) {
            raw.chop(1);
        }
        QByteArray utf8 = utf16WithMarkToUtf8(raw);
        QBuffer buffer(&utf8);
        buffer.open(QIODevice::ReadOnly);
        WordListReadResult result = readWordList(buffer);
        result.readError = failed;
        result.truncated = result.truncated || more;
        return result;
    }
    WordListReadResult result;
    if (device.peek(3) == QByteArrayLiteral("\xEF\xBB\xBF")) {
        device.skip(3);
    }
    ByteStream in(device);

    // Each line is decoded on its own, as UTF-8 when it is valid UTF-8 and else as Windows-1252, so a line added in
    // another encoding does not garble the rest. Empty fields are left out: an empty word would be asked as a word.
    std::vector<Field> line;
    size_t kept = 0;
    int fieldsRead = 0;
    const auto endLine = [&] {
        if (line.empty()) {
            ++result.emptyLinesSkipped;
            return;
        }
        bool utf8 = true;
        for (Field& field : line) {
            utf8 = isUtf8(field.bytes, field.cut) && utf8;
        }
        for (const Field& field : line) {
            const QString word = utf8 ? QString::fromUtf8(field.bytes) : fromWindows1252(field.bytes);
            result.words.push_back(truncateToCharacters(word, kMaxWordLength));
        }
        line.clear();
    };
    while (!in.atEnd()) {
        // A file of nothing but separators is not read for ever either.
        if (++fieldsRead > kMaxFieldsRead) {
            result.truncated = true;
            break;
        }
        Field field = readField(in);
        const bool endsLine = field.endsLine;
        if (field.bytes.trimmed().isEmpty()) {
            // Blanks alone, even in quotes, are no word.
            field.bytes.clear();
        }
        if (!field.bytes.isEmpty()) {
            if (kept == static_cast<size_t>(kMaxWords)) {
                result.truncated = true;
                break;
            }
            ++kept;
            line.push_back(std::move(field));
        }
        if (endsLine) {
            endLine();
        }
    }
    // The words of a line cut short by the limit are still kept.
    if (!line.empty()) {
        endLine();
    }
    result.readError = in.failed();
    result.binary = in.binary();
    return result;
}

WordListReadResult readWordList(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readWordList(buffer);
}

WordListLoad loadWordListFile(const QString& path, SharedState& state)
{
    const auto refused = [](Refusal why) { return WordListLoad {LoadStatus::Unreadable, 0, why}; };
    const QFileInfo info(path);
    if (!info.exists()) {
        return refused(Refusal::Missing);
    }
    if (!info.isFile()) {
        return refused(Refusal::NotAFile);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refused(info.isReadable() ? Refusal::ReadFailed : Refusal::NotAllowed);
    }
    // The words are read aside first, so a file that fails part-way leaves the list in force untouched.
    const WordListReadResult read = readWordList(file);
    if (read.readError) {
        return refused(Refusal::ReadFailed);
    }
    if (read.binary) {
        return refused(Refusal::NotText);
    }
    applyWordList(read, state);
    return {read.truncated ? LoadStatus::Truncated : LoadStatus::Loaded, read.emptyLinesSkipped};
}

void applyWordList(const WordListReadResult& read, SharedState& state)
{
    const size_t count = std::min(read.words.size(), static_cast<size_t>(kMaxWords));
    for (size_t i = 0; i < count; ++i) {
        state.word(static_cast<int>(i) + 1) = read.words[i];
    }
    state.NumeroParole = static_cast<qint16>(count);
}

QString tooManyWordsMessage()
{
    return QStringLiteral("La lista contiene più di 500 parole: sono state caricate le prime 500.");
}

QString unreadableListMessage(const QString& path, Refusal why)
{
    struct Reason {
        Refusal why;
        const char* text;
    };
    static constexpr Reason kReasons[] = {
        {Refusal::Missing, "Il file non c'è."},
        {Refusal::NotAFile, "Non è un file di testo, ma una cartella o un dispositivo."},
        {Refusal::NotAllowed, "Non ho il permesso di leggerlo."},
        {Refusal::ReadFailed, "La lettura si è interrotta: forse la chiavetta è stata tolta."},
        {Refusal::NotText, "La lista è in un formato che non conosco: salvala come testo UTF-8."},
    };
    QString reason;
    for (const Reason& known : kReasons) {
        if (known.why == why) {
            reason = QString::fromUtf8(known.text);
        }
    }
    QString text = QStringLiteral("Non riesco a leggere la lista di parole:\n") + QDir::toNativeSeparators(path);
    return reason.isEmpty() ? text : text + QStringLiteral("\n\n") + reason;
}

WordListLoad CaricaElencoParole(const QString& path, SharedState& state, MessageBoxes& boxes)
{
    const WordListLoad load = loadWordListFile(path, state);
    switch (load.status) {
    case LoadStatus::Loaded:
        break;
    case LoadStatus::Truncated:
        boxes.information(tooManyWordsMessage());
        break;
    case LoadStatus::Unreadable:
        boxes.error(unreadableListMessage(path, load.why));
        break;
    }
    return load;
}

} // namespace tavenzo
