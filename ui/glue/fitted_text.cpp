#include "ui/glue/fitted_text.h"

#include <QFontMetricsF>
#include <QLabel>

#include <algorithm>

namespace tavenzo::ui {

namespace {

// The label's size as its form gives it, kept on the label, so every new text starts from it again.
const char* const kDesignedSize = "tavenzo_designed_point_size";
constexpr double kSmallestPoints = 4.0;

} // namespace

void forgetFitting(QLabel* label)
{
    label->setProperty(kDesignedSize, QVariant());
}

int textRoom(const QLabel* label, const QFont& font)
{
    // A framed label keeps half an 'x' clear of its frame on an aligned side; keep it on both.
    int indent = label->indent();
    if (indent < 0) {
        indent = label->frameWidth() > 0 ? QFontMetrics(font).horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    }
    return label->contentsRect().width() - 2 * label->margin() - 2 * indent;
}

void showFitted(QLabel* label, const QString& text)
{
    QVariant designed = label->property(kDesignedSize);
    if (!designed.isValid()) {
        designed = label->font().pointSizeF();
        label->setProperty(kDesignedSize, designed);
    }
    QFont font = label->font();
    double points = designed.toDouble();
    font.setPointSizeF(points);
    const double room = textRoom(label, font);
    const double wide = QFontMetricsF(font).horizontalAdvance(text);
    if (wide > room && wide > 0) {
        // Text widths grow about in step with the point size; the last steps make sure of it.
        points = std::max(kSmallestPoints, points * room / wide);
        font.setPointSizeF(points);
        while (QFontMetricsF(font).horizontalAdvance(text) > textRoom(label, font) && points > kSmallestPoints) {
            points = std::max(kSmallestPoints, points - 0.25);
            font.setPointSizeF(points);
        }
    }
    if (label->font() != font) {
        label->setFont(font);
    }
    label->setText(text);
}

} // namespace tavenzo::ui
