#pragma once

#include "core/colour.h"

#include <QColor>
#include <QObject>

class QWidget;

namespace tavenzo::ui {

// Paints a widget's background in a colour of its own. A palette would do the same, but every new palette gives the
// style new keys for its cached pixmaps, and screens are built anew at every opening.
class BackgroundFill final : public QObject {
    Q_OBJECT
public:
    explicit BackgroundFill(QWidget* widget);

    void setColour(BgrColour colour);
    const QColor& colour() const { return m_colour; }

    // The fill a widget was given, or null.
    static BackgroundFill* of(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_widget;
    QColor m_colour;
};

// Point sizes with fractions, which forms cannot carry.
void setPointSize(QWidget* widget, double points);

} // namespace tavenzo::ui
