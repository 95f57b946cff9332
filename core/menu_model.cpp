#include "core/menu_model.h"

#include "core/list_in_force.h"
#include "core/paths.h"
#include "core/ports.h"
#include "core/shared_state.h"

#include <QFileInfo>

namespace tavenzo {

MenuModel::MenuModel(SharedState& state, const Paths& paths, ListInForce& list, BackgroundColours& colours)
    : m_state(state)
    , m_paths(paths)
    , m_list(list)
    , m_colours(colours)
{
}

void MenuModel::load()
{
    m_background = m_colours.ColoreCasuale();
    m_selectedOption = m_state.AttendiAvanti ? 1 : 0;
    // The dialog forgets its last answer whenever the menu is built anew.
    m_lastChosen.clear();
}

void MenuModel::optionClicked(int index)
{
    m_selectedOption = index;
    m_state.AttendiAvanti = index != 0;
}

QString MenuModel::tooFewWordsMessage(int needed, int available)
{
    const QString need
        = needed == 1 ? QStringLiteral("almeno una parola") : QStringLiteral("almeno %1 parole").arg(needed);
    QString have;
    if (available <= 0) {
        have = QStringLiteral("ma la lista non ne contiene nessuna.");
    } else if (available == 1) {
        have = QStringLiteral("ma la lista ne contiene una sola.");
    } else {
        have = QStringLiteral("ma la lista ne contiene %1.").arg(available);
    }
    return QStringLiteral("Questo esercizio ha bisogno di ") + need + QStringLiteral(", ") + have;
}

bool MenuModel::mayOpen(ScreenId screen, MessageBoxes& boxes) const
{
    const int needed = minimumWords(screen);
    if (m_state.NumeroParole >= needed) {
        return true;
    }
    boxes.information(tooFewWordsMessage(needed, m_state.NumeroParole));
    return false;
}

QString MenuModel::noListChosenMessage()
{
    return QStringLiteral("Non hai scelto nessuna lista!");
}

void MenuModel::changeWordList(FileChooser& chooser, MessageBoxes& boxes)
{
    QString chosen = chooser.chooseWordList(m_lastFolder.isEmpty() ? m_paths.listDialogFolder() : m_lastFolder);
    // Within one visit a cancelled dialog still holds the name it returned last, which is read again.
    if (chosen.isEmpty()) {
        chosen = m_lastChosen;
    } else {
        m_lastChosen = chosen;
        m_lastFolder = QFileInfo(chosen).absolutePath();
    }
    if (chosen.isEmpty()) {
        boxes.error(noListChosenMessage());
        return;
    }
    m_list.load(chosen);
}

QString MenuModel::aboutText()
{
    return QStringLiteral("Il gruppo di Tavenzo  \r\n ----------------------- \r\nhttps://tavenzo.it\r\n"
                          "mail: info@tavenzo.it");
}

void MenuModel::MostraInformazioni(MessageBoxes& boxes) const
{
    boxes.information(aboutText());
}

QString MenuModel::exitQuestion()
{
    return QStringLiteral("Vuoi uscire dal programma?");
}

bool MenuModel::ConfermaUscita(MessageBoxes& boxes) const
{
    return boxes.question(exitQuestion());
}

} // namespace tavenzo
