#pragma once

#include "core/colour.h"
#include "core/screen_id.h"

#include <QString>

namespace tavenzo {

struct SharedState;
class BackgroundColours;
class FileChooser;
class ListInForce;
class MessageBoxes;
class Paths;

// The main menu's behaviour; the menu screen renders it and forwards its clicks.
class MenuModel {
public:
    // The colours give the menu's background at every opening; the paths tell where the list dialog opens; a list
    // chosen there becomes the list in force.
    MenuModel(SharedState& state, const Paths& paths, ListInForce& list, BackgroundColours& colours);

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
    ListInForce& m_list;
    BackgroundColours& m_colours;
    BgrColour m_background = 0xFFFF00;
    int m_selectedOption = 1;
    QString m_lastChosen;
    // Where the teacher last chose a list in this run: the dialog opens there again, on every visit.
    QString m_lastFolder;
};

} // namespace tavenzo
