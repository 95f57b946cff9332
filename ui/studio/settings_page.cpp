#include "ui/studio/settings_page.h"

#include "core/ports.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace tavenzo::ui {

namespace {

QString paceText(int pace)
{
    QString how;
    if (pace < Settings::kDefaultPace - 15) {
        how = QStringLiteral("più lenta");
    } else if (pace > Settings::kDefaultPace + 15) {
        how = QStringLiteral("più svelta");
    } else {
        how = QStringLiteral("adatta ai bambini");
    }
    return QStringLiteral("%1 parole al minuto (%2)").arg(pace).arg(how);
}

// The file as the guide names it: the home folder as "~".
QString shortPath(const QString& path)
{
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QStringLiteral("/") && path.startsWith(home + QLatin1Char('/'))) {
        return QDir::toNativeSeparators(QStringLiteral("~") + path.mid(home.size()));
    }
    return QDir::toNativeSeparators(path);
}

} // namespace

SettingsPage::SettingsPage(QString path, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent)
    , m_path(std::move(path))
    , m_boxes(boxes)
    , m_saved(readSettings(m_path))
{
    setObjectName(QStringLiteral("paginaImpostazioni"));
    auto* layout = new QVBoxLayout(this);

    auto* intro = new QLabel(QStringLiteral("Queste scelte valgono per tutti gli esercizi dei bambini, dalla prossima "
                                            "volta che Tavenzo parte."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    m_speakWord = new QCheckBox(QStringLiteral("Leggi la parola dopo la risposta giusta"), this);
    m_speakWord->setObjectName(QStringLiteral("leggiParola"));
    form->addRow(m_speakWord);

    auto* paceRow = new QHBoxLayout;
    m_pace = new QSlider(Qt::Horizontal, this);
    m_pace->setObjectName(QStringLiteral("ritmoVoce"));
    m_pace->setRange(Settings::kSlowestPace, Settings::kFastestPace);
    m_pace->setSingleStep(5);
    m_pace->setPageStep(10);
    m_pace->setTickInterval(10);
    m_pace->setTickPosition(QSlider::TicksBelow);
    m_paceText = new QLabel(this);
    m_paceText->setObjectName(QStringLiteral("ritmoTesto"));
    // As wide as its widest text, so the slider keeps its length while it moves.
    int widest = 0;
    for (int pace = Settings::kSlowestPace; pace <= Settings::kFastestPace; pace += 5) {
        widest = std::max(widest, m_paceText->fontMetrics().horizontalAdvance(paceText(pace)));
    }
    m_paceText->setMinimumWidth(widest + 8);
    auto* usual = new QPushButton(QStringLiteral("Come all'inizio"), this);
    usual->setObjectName(QStringLiteral("ritmoSolito"));
    paceRow->addWidget(m_pace, 1);
    paceRow->addWidget(m_paceText);
    paceRow->addWidget(usual);
    form->addRow(QStringLiteral("Ritmo della voce:"), paceRow);

    m_fullScreen = new QCheckBox(QStringLiteral("Parti a tutto schermo"), this);
    m_fullScreen->setObjectName(QStringLiteral("tuttoSchermo"));
    form->addRow(m_fullScreen);
    layout->addLayout(form);

    auto* where = new QLabel(m_path.isEmpty()
            ? QStringLiteral("Non c'è una cartella personale dove salvare le impostazioni (manca la cartella "
                             "della casa): non si possono salvare.")
            : QStringLiteral("Le impostazioni si salvano in %1.").arg(shortPath(m_path)),
        this);
    where->setObjectName(QStringLiteral("fileImpostazioni"));
    where->setWordWrap(true);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);

    auto* buttons = new QHBoxLayout;
    auto* saveButton = new QPushButton(QStringLiteral("Salva le impostazioni"), this);
    saveButton->setObjectName(QStringLiteral("bottoneSalvaImpostazioni"));
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("statoImpostazioni"));
    buttons->addWidget(saveButton);
    buttons->addWidget(m_state, 1);
    layout->addLayout(buttons);
    layout->addStretch(1);

    showSettings(m_saved);

    connect(m_speakWord, &QCheckBox::toggled, this, &SettingsPage::updateState);
    connect(m_fullScreen, &QCheckBox::toggled, this, &SettingsPage::updateState);
    connect(m_pace, &QSlider::valueChanged, this, [this](int pace) {
        m_paceText->setText(paceText(pace));
        updateState();
        emit paceChanged(pace);
    });
    connect(usual, &QPushButton::clicked, this, [this] { m_pace->setValue(Settings::kDefaultPace); });
    connect(saveButton, &QPushButton::clicked, this, &SettingsPage::save);
}

Settings SettingsPage::shown() const
{
    Settings settings;
    settings.speakWord = m_speakWord->isChecked();
    settings.pace = m_pace->value();
    settings.fullScreen = m_fullScreen->isChecked();
    return settings;
}

void SettingsPage::showSettings(const Settings& settings)
{
    m_speakWord->setChecked(settings.speakWord);
    m_pace->setValue(settings.pace);
    m_paceText->setText(paceText(settings.pace));
    m_fullScreen->setChecked(settings.fullScreen);
    updateState();
}

bool SettingsPage::save()
{
    QString why;
    const Settings settings = shown();
    if (!saveSettings(m_path, settings, &why)) {
        // The page keeps what the teacher chose, so she can try again once the folder can be written.
        m_boxes.error(QStringLiteral("Non è stato possibile salvare le impostazioni in %1.\n%2\nLe scelte restano "
                                     "sulla pagina: controllate che la cartella si possa scrivere e riprovate.")
                          .arg(QDir::toNativeSeparators(m_path), why));
        return false;
    }
    m_saved = settings;
    updateState();
    return true;
}

void SettingsPage::updateState()
{
    if (modified()) {
        m_state->setText(QStringLiteral("Ci sono scelte non ancora salvate."));
    } else if (!QFileInfo::exists(m_path)) {
        m_state->setText(QStringLiteral("Nessuna impostazione salvata: Tavenzo fa come ha sempre fatto."));
    } else {
        m_state->setText(QStringLiteral("Le impostazioni sono salvate."));
    }
}

} // namespace tavenzo::ui
