#include "core/text_decoding.h"
#include "core/word_list_reader.h"
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;

namespace {

struct ReaderCase {
    const char* name;
    QByteArray bytes;
    QStringList words;
    int emptyLines = 0;
};

void PrintTo(const ReaderCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReaderFields : public ::testing::TestWithParam<ReaderCase> { };

TEST_P(ReaderFields, YieldsTheWordsInFileOrder)
{
    const ReaderCase& c = GetParam();
    const WordListReadResult result = readWordList(c.bytes);
    QStringList got;
    for (const QString& w : result.words) {
        got.append(w);
    }
    EXPECT_EQ(got, c.words);
    EXPECT_EQ(result.emptyLinesSkipped, c.emptyLines);
    EXPECT_FALSE(result.truncated);
    EXPECT_FALSE(result.readError);
}

const QByteArray kCitta1252("citt\xe0\r\nperch\xe9\r\n\x80uro", 19);
// One line added in another encoding garbles neither itself nor the others.
const QByteArray kMixedLines("citt\xc3\xa0\r\nperch\xe9\r\nna\xc3\xafve\r\n", 25);

// Text as Notepad and Excel save "Unicode": UTF-16 with the byte order mark first.
QByteArray utf16(const QString& text, bool littleEndian)
{
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE", 2) : QByteArray("\xFE\xFF", 2);
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        bytes.append(littleEndian ? low : high);
        bytes.append(littleEndian ? high : low);
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Utf16, ReaderFields,
    ::testing::Values(ReaderCase {"little_endian", utf16(QStringLiteral("città\r\ncane\r\n"), true),
                          {QStringLiteral("città"), "cane"}},
        ReaderCase {"big_endian", utf16(QStringLiteral("perché\r\ncane"), false), {QStringLiteral("perché"), "cane"}},
        ReaderCase {"excel_unicode_text_tabs", utf16(QStringLiteral("\"mela\"\tpera\r\n\r\nuva\r\n"), true),
            {"mela", "pera", "uva"}, 1},
        ReaderCase {"outside_the_basic_plane", utf16(QStringLiteral("gatto\U0001F431\n"), true),
            {QStringLiteral("gatto\U0001F431")}},
        ReaderCase {"lone_surrogate_becomes_a_question_mark",
            utf16(QStringLiteral("ca") + QChar(0xD800) + QStringLiteral("ne"), true), {QStringLiteral("ca?ne")}},
        ReaderCase {"odd_last_byte_dropped", utf16(QStringLiteral("cane"), true) + "x", {"cane"}},
        ReaderCase {"only_the_mark", QByteArray("\xFF\xFE", 2), {}},
        ReaderCase {
            "mark_not_at_the_start_is_a_word", QByteArray("ab\xFF\xFE", 4), {QString::fromUtf16(u"ab\xFF\xFE")}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(WordList, ReaderFields,
    ::testing::Values(ReaderCase {"empty_file", "", {}},
        ReaderCase {"one_word_per_line_crlf", "cane\r\ngatto\r\n", {"cane", "gatto"}},
        ReaderCase {"last_line_without_break", "cane\r\ngatto", {"cane", "gatto"}},
        ReaderCase {"comma_and_blank", "cane, gatto\r\n", {"cane", "gatto"}},
        ReaderCase {"quoted_pair_keeps_comma", "\"cane, gatto\"\r\nmela\r\n", {"cane, gatto", "mela"}},
        ReaderCase {"empty_line_skipped", "cane\r\n\r\ngatto\r\n", {"cane", "gatto"}, 1},
        ReaderCase {"trailing_empty_line_skipped", "cane\r\n\r\n", {"cane"}, 1},
        ReaderCase {"empty_fields_between_words_dropped", "cane,,gatto;;\r\n", {"cane", "gatto"}},
        ReaderCase {"semicolons_and_tabs_separate", "cane;gatto\tmela ; pera\r\n", {"cane", "gatto", "mela", "pera"}},
        ReaderCase {"semicolon_in_quotes_kept", "\"cane; gatto\"\tmela\r\n", {"cane; gatto", "mela"}},
        ReaderCase {"quoted_blanks_are_no_word", "\"  \"\r\ncane\r\n", {"cane"}, 1},
        ReaderCase {"lf_only", "cane\ngatto\n", {"cane", "gatto"}},
        ReaderCase {"cr_only", "cane\rgatto\r", {"cane", "gatto"}},
        ReaderCase {"mixed_line_ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        ReaderCase {"blanks_and_tabs_before", "  \tcane\r\n", {"cane"}},
        ReaderCase {"blanks_after_dropped", "cane  \t\r\n", {"cane"}},
        ReaderCase {"spreadsheet_row", "\"cane\";\"gatto\";\r\n", {"cane", "gatto"}},
        ReaderCase {"inner_blank_kept", "pesce rosso\r\n", {"pesce rosso"}},
        ReaderCase {"quoted_keeps_blanks", "\" cane \"\r\n", {" cane "}},
        ReaderCase {"text_after_closing_quote_dropped", "\"cane\"xyz,gatto\r\n", {"cane", "gatto"}},
        ReaderCase {"unterminated_quote_runs_to_end", "\"cane\r\ngatto", {"cane\r\ngatto"}},
        ReaderCase {"only_blanks", "   ", {}, 1}, ReaderCase {"trailing_comma", "cane,", {"cane"}},
        ReaderCase {"utf8_accents", "citt\xc3\xa0\r\n", {QStringLiteral("città")}},
        ReaderCase {"utf8_bom_dropped",
            "\xef\xbb\xbf"
            "cane\r\n",
            {"cane"}},
        ReaderCase {
            "windows_1252", kCitta1252, {QStringLiteral("città"), QStringLiteral("perché"), QStringLiteral("€uro")}},
        ReaderCase {"each_line_its_own_encoding", kMixedLines,
            {QStringLiteral("città"), QStringLiteral("perché"), QStringLiteral("naïve")}},
        ReaderCase {"windows_1252_accent_last_without_line_end", QByteArray("caff\xe8", 5), {QStringLiteral("caffè")}},
        ReaderCase {"utf8_accent_last_without_line_end", "caff\xc3\xa8", {QStringLiteral("caffè")}},
        ReaderCase {"windows_1252_accent_before_a_plain_last_field", QByteArray("perch\xe9,cane\r\n", 12),
            {QStringLiteral("perché"), QStringLiteral("cane")}},
        ReaderCase {"keeps_letter_case", "Cane\r\nGATTO\r\n", {"Cane", "GATTO"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WordListLimits, StopsAtFiveHundredWordsAndSaysSo)
{
    QByteArray bytes;
    for (int i = 1; i <= 5000; ++i) {
        bytes += "w" + QByteArray::number(i) + "\r\n";
    }
    const WordListReadResult result = readWordList(bytes);
    ASSERT_EQ(result.words.size(), 500u);
    EXPECT_EQ(result.words.back(), "w500");
    EXPECT_TRUE(result.truncated);
}

TEST(WordListLimits, Utf16ListStopsAtFiveHundredWordsToo)
{
    QString text;
    for (int i = 1; i <= 2000; ++i) {
        text += QStringLiteral("w%1\r\n").arg(i);
    }
    const WordListReadResult result = readWordList(utf16(text, false));
    ASSERT_EQ(result.words.size(), 500u);
    EXPECT_EQ(result.words.back(), "w500");
    EXPECT_TRUE(result.truncated);
    EXPECT_FALSE(result.binary);
}

TEST(WordListLimits, ExactlyFiveHundredIsNotTruncated)
{
    QByteArray bytes;
    for (int i = 1; i <= 500; ++i) {
        bytes += "w" + QByteArray::number(i) + "\r\n";
    }
    const WordListReadResult result = readWordList(bytes);
    EXPECT_EQ(result.words.size(), 500u);
    EXPECT_FALSE(result.truncated);
    const WordListReadResult more = readWordList(bytes + "w501");
    EXPECT_EQ(more.words.size(), 500u);
    EXPECT_TRUE(more.truncated);
}

TEST(WordListLimits, LongFieldKeepsTwoHundredFiftyFiveCharacters)
{
    const QByteArray bytes = QByteArray(1000, 'a') + "\r\nbreve\r\n";
    const WordListReadResult result = readWordList(bytes);
    ASSERT_EQ(result.words.size(), 2u);
    EXPECT_EQ(result.words[0], QString(255, QLatin1Char('a')));
    EXPECT_EQ(result.words[1], "breve");
}

TEST(WordListLimits, LongUtf8FieldCountsCharactersNotBytes)
{
    QByteArray bytes;
    for (int i = 0; i < 300; ++i) {
        bytes += "\xc3\xa0";
    }
    const WordListReadResult result = readWordList(bytes);
    ASSERT_EQ(result.words.size(), 1u);
    EXPECT_EQ(result.words[0], QString(255, QChar(0xe0)));
}

TEST(WordListLimits, BinaryBytesNeverBreakTheReader)
{
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes.append(static_cast<char>((i * 37) & 0xff));
    }
    const WordListReadResult result = readWordList(bytes);
    EXPECT_LE(result.words.size(), 500u);
    for (const QString& w : result.words) {
        EXPECT_LE(w.size(), 255);
    }
}

class WordListFile : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QStringList slotRange(int from, int to) const
    {
        QStringList out;
        for (int i = from; i <= to; ++i) {
            out.append(state.word(i));
        }
        return out;
    }

    QTemporaryDir dir;
    SharedState state;
    tavenzo::testing::FakeMessageBoxes boxes;
};

TEST_F(WordListFile, ShorterListKeepsTheSlotsAboveItsLength)
{
    QByteArray ten;
    for (int i = 1; i <= 10; ++i) {
        ten += "old" + QByteArray::number(i) + "\r\n";
    }
    CaricaElencoParole(write("ten.txt", ten), state, boxes);
    ASSERT_EQ(state.NumeroParole, 10);
    CaricaElencoParole(write("three.txt", "a\r\nb\r\nc\r\n"), state, boxes);
    EXPECT_EQ(state.NumeroParole, 3);
    EXPECT_EQ(slotRange(1, 3), (QStringList {"a", "b", "c"}));
    EXPECT_EQ(slotRange(4, 5), (QStringList {"old4", "old5"}));
    EXPECT_EQ(state.word(10), "old10");
    EXPECT_TRUE(state.word(0).isEmpty());
    EXPECT_TRUE(boxes.errors.isEmpty());
    EXPECT_TRUE(boxes.informations.isEmpty());
}

TEST_F(WordListFile, EmptyFileGivesNoWordsAndLeavesSlots)
{
    CaricaElencoParole(write("a.txt", "uno\r\ndue\r\n"), state, boxes);
    CaricaElencoParole(write("empty.txt", ""), state, boxes);
    EXPECT_EQ(state.NumeroParole, 0);
    EXPECT_EQ(slotRange(1, 2), (QStringList {"uno", "due"}));
}

TEST_F(WordListFile, UnreadableFileKeepsTheListInForce)
{
    CaricaElencoParole(write("a.txt", "uno\r\ndue\r\n"), state, boxes);
    const QString missing = dir.filePath("missing.txt");
    CaricaElencoParole(missing, state, boxes);
    CaricaElencoParole(dir.path(), state, boxes);
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere.txt"), dir.filePath("dangling.txt")));
    CaricaElencoParole(dir.filePath("dangling.txt"), state, boxes);
    EXPECT_EQ(state.NumeroParole, 2);
    EXPECT_EQ(slotRange(1, 2), (QStringList {"uno", "due"}));
    ASSERT_EQ(boxes.errors.size(), 3);
    EXPECT_EQ(boxes.errors.at(0),
        QStringLiteral("Non riesco a leggere la lista di parole:\n") + QDir::toNativeSeparators(missing)
            + QStringLiteral("\n\nIl file non c'è."));
    EXPECT_TRUE(
        boxes.errors.at(1).endsWith(QStringLiteral("Non è un file di testo, ma una cartella o un dispositivo.")));
}

TEST_F(WordListFile, TooLongListLoadsFiveHundredAndTellsOnce)
{
    QByteArray bytes;
    for (int i = 1; i <= 501; ++i) {
        bytes += "w" + QByteArray::number(i) + "\r\n";
    }
    CaricaElencoParole(write("long.txt", bytes), state, boxes);
    EXPECT_EQ(state.NumeroParole, 500);
    EXPECT_EQ(state.word(500), "w500");
    ASSERT_EQ(boxes.informations.size(), 1);
    EXPECT_EQ(boxes.informations.at(0),
        QStringLiteral("La lista contiene più di 500 parole: sono state caricate le prime 500."));
}

} // namespace

namespace {

struct Utf8Case {
    const char* name;
    QByteArray bytes;
    bool cut;
    bool utf8;
    QByteArray kept; // what is left of the bytes when they are UTF-8
};

void PrintTo(const Utf8Case& c, std::ostream* os)
{
    *os << c.name;
}

class Utf8Fields : public ::testing::TestWithParam<Utf8Case> { };

// A field that is not UTF-8 is read as Windows-1252, so a byte sequence taken for UTF-8 wrongly would garble a
// teacher's word, and one refused wrongly would turn "città" into "cittÃ ".
TEST_P(Utf8Fields, AreTakenForUtf8OnlyWhenTheyAre)
{
    const Utf8Case& c = GetParam();
    QByteArray bytes = c.bytes;
    EXPECT_EQ(isUtf8(bytes, c.cut), c.utf8);
    if (c.utf8) {
        EXPECT_EQ(bytes, c.kept);
    }
}

INSTANTIATE_TEST_SUITE_P(TextDecoding, Utf8Fields,
    ::testing::Values(Utf8Case {"plain", "cane", false, true, "cane"},
        Utf8Case {"accent", "citt\xc3\xa0", false, true, "citt\xc3\xa0"},
        Utf8Case {"four_bytes", "\xf0\x9f\x90\xb1", false, true, "\xf0\x9f\x90\xb1"},
        Utf8Case {"windows_1252_accent", "perch\xe9", false, false, {}},
        Utf8Case {"overlong_two_bytes", "\xc0\xaf", false, false, {}},
        Utf8Case {"overlong_three_bytes", "\xe0\x80\xaf", false, false, {}},
        Utf8Case {"surrogate", "\xed\xa0\x80", false, false, {}},
        Utf8Case {"above_the_last_character", "\xf4\x90\x80\x80", false, false, {}},
        Utf8Case {"lone_continuation", "a\x80", false, false, {}},
        Utf8Case {"unfinished_at_the_end", "citt\xc3", false, false, {}},
        Utf8Case {"unfinished_at_a_cut_is_dropped", "citt\xc3", true, true, "citt"},
        Utf8Case {"three_of_four_at_a_cut", "a\xf0\x9f\x90", true, true, "a"},
        Utf8Case {"unfinished_overlong_at_a_cut", "a\xe0\x80", true, false, {}},
        Utf8Case {"unfinished_surrogate_at_a_cut", "a\xed\xa0", true, false, {}},
        Utf8Case {"broken_before_a_cut",
            "\xe9"
            "a\xc3",
            true, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
