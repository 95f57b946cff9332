#pragma once

#include "core/colour.h"
#include "core/screen_id.h"

#include <QString>

#include <functional>

namespace tavenzo {

struct SharedState;
struct WordListLoad;
class MessageBoxes;
class FileChooser;
class Paths;

// The main menu's behaviour; the menu screen renders it and forwards its clicks.
class MenuModel {
public:
    // Called after a list chosen from the menu has been loaded, with its path and how the loading went.
    using ListLoaded = std::function<void(const QString& path, const WordListLoad& load)>;

    // randomBackground gives the menu's colour at every opening; the paths tell where the list dialog opens.
    MenuModel(
        SharedState& state, const Paths& paths, std::function<BgrColour()> randomBackground, ListLoaded listLoaded);

    // Run at every opening of the menu.
    void load();
    void optionClicked(int index);

    // Tells the user and answers false when the current list is too short for the exercise.
    bool mayOpen(ScreenId screen, MessageBoxes& boxes) const;
    void changeWordList(FileChooser& chooser, MessageBoxes& boxes);
    void MostraInformazioni(MessageBoxes& boxes) const;
    // True when the user confirmed and the run must end.
    bool ConfermaUscita(MessageBoxes& boxes) const;

    BgrColour background() const { return m_background; }
    int selectedOption() const { return m_selectedOption; }

    static QString aboutText();
    static QString exitQuestion();
    static QString noListChosenMessage();
    static QString tooFewWordsMessage(int needed, int available);

private:
    SharedState& m_state;
    const Paths& m_paths;
    std::function<BgrColour()> m_randomBackground;
    ListLoaded m_listLoaded;
    BgrColour m_background = 0xFFFF00;
    int m_selectedOption = 1;
    QString m_lastChosen;
};

} // namespace tavenzo
