// libFuzzer target for the word-list reader: whatever the bytes, the reader keeps its promises.
#include "core/word_list_reader.h"

#include <cstdint>
#include <cstdlib>

using namespace tavenzo;

namespace {

int codePoints(const QString& s)
{
    int n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            ++i;
        }
        ++n;
    }
    return n;
}

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const WordListReadResult first = readWordList(bytes);
    check(first.words.size() <= static_cast<size_t>(kMaxWords));
    for (const QString& word : first.words) {
        check(codePoints(word) <= kMaxWordLength);
    }
    check(!first.readError);

    const WordListReadResult again = readWordList(bytes);
    check(again.words == first.words && again.truncated == first.truncated && again.binary == first.binary);

    SharedState state;
    state.word(0) = QStringLiteral("sentinel");
    applyWordList(first, state);
    check(state.word(0) == QStringLiteral("sentinel"));
    check(state.NumeroParole == static_cast<qint16>(first.words.size()));
    return 0;
}
