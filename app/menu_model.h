#pragma once

#include "app/screen_id.h"
#include "feedback/feedback.h"

#include <QString>

namespace tavenzo {

struct SharedState;
class MessageBoxes;
class FileChooser;

// The main menu's behaviour; the menu screen renders it and forwards its clicks.
class MenuModel {
public:
    MenuModel(SharedState& state, Feedback& feedback, QString programFolder);

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
    const QString& programFolder() const { return m_programFolder; }

    static QString aboutText();
    static QString exitQuestion();
    static QString noListChosenMessage();
    static QString tooFewWordsMessage(int needed, int available);

private:
    SharedState& m_state;
    Feedback& m_feedback;
    QString m_programFolder;
    BgrColour m_background = 0xFFFF00;
    int m_selectedOption = 1;
    QString m_lastChosen;
};

} // namespace tavenzo
