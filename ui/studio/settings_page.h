#pragma once

#include "core/settings.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QSlider;

namespace tavenzo {
class MessageBoxes;
}

namespace tavenzo::ui {

// The studio's page of what the children's runs do: the spoken word, the voice's pace and full screen. It shows the
// settings file as it is and writes it only when the teacher presses "Salva le impostazioni".
class SettingsPage final : public QWidget {
    Q_OBJECT
public:
    SettingsPage(QString path, MessageBoxes& boxes, QWidget* parent = nullptr);

    // The choices as the page shows them now, saved or not.
    Settings shown() const;
    bool modified() const { return shown() != m_saved; }
    bool save();

signals:
    // The pace was moved: the studio's "Ascolta" speaks at the pace the children will hear.
    void paceChanged(int pace);

private:
    void showSettings(const Settings& settings);
    void updateState();

    QString m_path;
    MessageBoxes& m_boxes;
    Settings m_saved;

    QCheckBox* m_speakWord = nullptr;
    QSlider* m_pace = nullptr;
    QLabel* m_paceText = nullptr;
    QCheckBox* m_fullScreen = nullptr;
    QLabel* m_state = nullptr;
};

} // namespace tavenzo::ui
