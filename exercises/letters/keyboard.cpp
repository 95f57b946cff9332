#include "exercises/letters/keyboard.h"

#include "core/alphabet.h"
#include "core/ports.h"
#include "core/shared_state.h"

#include <algorithm>

namespace tavenzo {

Keyboard::Keyboard(KeyboardOptions options)
    : m_options(options)
    , m_case(options.openingCase)
{
    m_visible.fill(true);
    m_enabled.fill(true);
}

void Keyboard::CaricaAlfabeto()
{
    for (int k = 1; k <= kKeys; ++k) {
        m_alfabeto[static_cast<size_t>(k)] = keyboardAlphabet().at(k - 1);
    }
    m_case = LetterCase::Lower;
}

void Keyboard::applyCase(LetterCase letterCase)
{
    for (int k = 1; k <= kKeys; ++k) {
        QString& slot = m_alfabeto[static_cast<size_t>(k)];
        slot = inCase(slot, letterCase);
    }
    m_case = letterCase;
}

void Keyboard::open()
{
    CaricaAlfabeto();
    applyCase(m_options.openingCase);
    m_visible.fill(true);
    m_enabled.fill(true);
}

void Keyboard::switchCase(LetterCase letterCase)
{
    if (m_options.reloadOnCaseSwitch) {
        CaricaAlfabeto();
    }
    applyCase(letterCase);
}

std::optional<QString> Keyboard::press(int index)
{
    if (index < 0 || index >= kKeys) {
        return std::nullopt;
    }
    const auto i = static_cast<size_t>(index);
    if (!m_visible[i] || !m_enabled[i]) {
        return std::nullopt;
    }
    if (m_options.pressHidesKey) {
        m_visible[i] = false;
    }
    return Alfabeto(index + 1);
}

void Keyboard::showAll()
{
    m_visible.fill(true);
}

void Keyboard::setAllEnabled(bool enabled)
{
    m_enabled.fill(enabled);
}

int drawWordForKeys(RandomSource& random, const SharedState& state)
{
    const auto spellable = [&state](int slot) { return onKeyboard(state.word(slot)); };
    int slot = drawWhole(random, state.NumeroParole);
    if (spellable(slot)) {
        return slot;
    }
    bool any = false;
    for (int s = 1; s <= state.NumeroParole && !any; ++s) {
        any = spellable(s);
    }
    while (any && !spellable(slot)) {
        slot = drawWhole(random, state.NumeroParole);
    }
    return slot;
}

int Keyboard::keysLeft() const
{
    return static_cast<int>(std::count(m_visible.begin(), m_visible.end(), true));
}

} // namespace tavenzo
