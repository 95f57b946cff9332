#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace tavenzo::ui {

// Turns presses and releases on a row of controls (labels, pictures) into clicks the way a button does: a click is
// a press and a release on the same enabled control. The press that the toolkit reports as the second half of a
// double click starts no click, so a child's double click counts once.
class ClickWatcher final : public QObject {
public:
    ClickWatcher(std::vector<QWidget*> controls, std::function<void(int)> onClick, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int indexOf(const QObject* object) const;

    std::vector<QWidget*> m_controls;
    std::function<void(int)> m_onClick;
    int m_pressed = -1;
};

// A button clicked twice in quick succession gets a click and then a press the toolkit reports as a double click,
// which a button takes for a second press: the key of a spelt word would be typed twice, a wrong key counted twice.
// The buttons given here take that second press for nothing, as the labels of ClickWatcher do.
void countDoubleClicksOnce(const std::vector<QWidget*>& buttons, QObject* parent);

// A window just shown takes no mouse or touch press for the system's double-click interval, so the second half of
// a double click on the screen before never lands on a control of this one.
void ignorePressesWhileNew(QWidget* window);

} // namespace tavenzo::ui
