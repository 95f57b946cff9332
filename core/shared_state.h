#pragma once

#include <QString>

#include <array>

namespace tavenzo {

inline constexpr int kMaxWords = 500;
inline constexpr qint16 kCounterMax = 32767;

// The counters are 16-bit like every whole number the screens share; past the top they stay put instead of
// wrapping round to a negative score.
inline void incrementSaturating(qint16& counter)
{
    if (counter < kCounterMax) {
        ++counter;
    }
}

// The values every screen reaches for the whole run.
struct SharedState {
    // Slot 0 is never written; slots 1..NumeroParole hold the current list.
    std::array<QString, kMaxWords + 1> ElencoParole;
    qint16 NumeroParole = 0;
    qint16 ContaEsatti = 0;
    qint16 ContaErrati = 0;
    bool AttendiAvanti = false;

    const QString& word(int slot) const { return ElencoParole.at(static_cast<size_t>(slot)); }
    QString& word(int slot) { return ElencoParole.at(static_cast<size_t>(slot)); }
};

} // namespace tavenzo
