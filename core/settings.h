#pragma once

#include <QString>

namespace tavenzo {

// What an adult may choose for the children's runs, kept in the teacher's folder. Unset, every choice leaves the
// program as it has always been.
struct Settings {
    // The voice's pace in words a minute. The synthesiser's own 175 runs the syllables of a long word together for a
    // child who is just learning to hear them; at 130 each syllable stands out and a word still sounds like one word,
    // not spelt out. Below 90 the vowels drag and the word falls apart.
    static constexpr int kDefaultPace = 130;
    static constexpr int kSlowestPace = 80;
    static constexpr int kFastestPace = 220;

    bool speakWord = false; // "Leggi la parola dopo la risposta giusta"
    int pace = kDefaultPace;
    bool fullScreen = false; // "Parti a tutto schermo"

    bool operator==(const Settings&) const = default;
};

// The settings file in the teacher's folder; empty when there is no such folder.
QString settingsFile(const QString& teacherFolder);

// Reads the settings; a missing or unreadable file, an unknown key or a value it cannot read leaves that choice at
// its default. Never writes, not even a lock file: the children's run writes nothing.
Settings readSettings(const QString& path);

// Saves the settings whole or not at all (written beside the file, then renamed over it), creating the folder when
// needed; false, with the reason in `error` when given, when it could not.
bool saveSettings(const QString& path, const Settings& settings, QString* error = nullptr);

} // namespace tavenzo
