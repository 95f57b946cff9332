#pragma once

#include "exercises/frame/exercise_services.h"

#include <QString>

#include <array>
#include <optional>

namespace tavenzo {

struct SharedState;
class RandomSource;

// Where the three letter screens' keyboards differ.
struct KeyboardOptions {
    LetterCase openingCase = LetterCase::Lower;
    bool reloadOnCaseSwitch = false; // refill the table from the lower-case alphabet, or convert what it holds
    bool pressHidesKey = false; // a pressed key is gone until the next exercise, or it stays
};

// The 21 letter keys of the Italian alphabet and the table `Alfabeto` behind them. Key i shows slot i + 1;
// slot 0 is never written. Letters reach an exercise only through press().
class Keyboard {
public:
    static constexpr int kKeys = 21;
    // The missing-letter screens open in lower case and convert the letters they hold; a pressed key is gone until
    // the next word.
    static constexpr KeyboardOptions kMissingLetter {
        .openingCase = LetterCase::Lower, .reloadOnCaseSwitch = false, .pressHidesKey = true};
    // Spell-the-word opens in upper case and reloads the alphabet at every switch; its keys stay.
    static constexpr KeyboardOptions kSpellWord {
        .openingCase = LetterCase::Upper, .reloadOnCaseSwitch = true, .pressHidesKey = false};

    explicit Keyboard(KeyboardOptions options);

    // Fills the table afresh in the opening case, whatever an earlier visit left.
    void open();
    void CaricaAlfabeto();
    void switchCase(LetterCase letterCase);

    // The letter on a key that can be pressed, hiding the key first where presses do; nothing for a key that is
    // hidden, disabled or not there.
    std::optional<QString> press(int index);
    void showAll();
    void setAllEnabled(bool enabled);

    const QString& Alfabeto(int slot) const { return m_alfabeto.at(static_cast<size_t>(slot)); }
    bool visible(int index) const { return m_visible.at(static_cast<size_t>(index)); }
    bool enabled(int index) const { return m_enabled.at(static_cast<size_t>(index)); }
    int keysLeft() const;
    LetterCase letterCase() const { return m_case; }

private:
    void applyCase(LetterCase letterCase);

    KeyboardOptions m_options;
    LetterCase m_case;
    std::array<QString, kKeys + 1> m_alfabeto;
    std::array<bool, kKeys> m_visible {};
    std::array<bool, kKeys> m_enabled {};
};

// The slot of the word a letter exercise asks next: drawn from the whole list, and drawn again while its word has a
// letter that no key types, as long as the list holds a word the keys can complete. A child is never given a word
// that no key can finish.
int drawWordForKeys(RandomSource& random, const SharedState& state);

} // namespace tavenzo
