#pragma once

#include <QString>

class QFont;
class QLabel;

namespace tavenzo::ui {

// Shows text in a label, in the label's own font when the text fits between its borders, and otherwise in the
// largest smaller size of the same font that fits: a teacher's long word is never cut and never drawn over a border.
void showFitted(QLabel* label, const QString& text);

// The next text starts again from the label's font as it is then, not as it was at the first text: its window has
// been laid out anew.
void forgetFitting(QLabel* label);

// The width a label's text may take in the given font without touching its frame, in pixels.
int textRoom(const QLabel* label, const QFont& font);

} // namespace tavenzo::ui
