#include "exercises/letters/keyboard.h"

#include <algorithm>

namespace tavenzo {

Keyboard::Keyboard(KeyboardTraits traits)
    : m_traits(traits)
    , m_case(traits.openingCase)
{
    m_visible.fill(true);
    m_enabled.fill(true);
}

KeyboardTraits Keyboard::missingLetterTraits()
{
    return {LetterCase::Lower, 13, false, true};
}

KeyboardTraits Keyboard::spellTraits()
{
    return {LetterCase::Upper, 24, true, false};
}

const QString& Keyboard::alphabet()
{
    static const QString letters = QStringLiteral("abcdefghilmnopqrstuvz");
    return letters;
}

QRect Keyboard::keyPlace(int index)
{
    const int row = index / kColumns;
    const int column = index % kColumns;
    return {32 + 56 * column, 336 + 40 * row, 41, 33};
}

void Keyboard::CaricaAlfabeto()
{
    for (int k = 1; k <= kKeys; ++k) {
        m_alfabeto[static_cast<size_t>(k)] = alphabet().at(k - 1);
    }
    m_case = LetterCase::Lower;
}

void Keyboard::applyCase(LetterCase letterCase)
{
    for (int k = 1; k <= kKeys; ++k) {
        QString& slot = m_alfabeto[static_cast<size_t>(k)];
        slot = letterCase == LetterCase::Upper ? slot.toUpper() : slot.toLower();
    }
    m_case = letterCase;
}

void Keyboard::open()
{
    CaricaAlfabeto();
    applyCase(m_traits.openingCase);
    m_visible.fill(true);
    m_enabled.fill(true);
}

void Keyboard::switchCase(LetterCase letterCase)
{
    if (m_traits.reloadOnCaseSwitch) {
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
    if (m_traits.pressHidesKey) {
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

int Keyboard::keysLeft() const
{
    return static_cast<int>(std::count(m_visible.begin(), m_visible.end(), true));
}

} // namespace tavenzo
