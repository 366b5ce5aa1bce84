#pragma once

#include <QFont>
#include <QString>

class QKeyEvent;
class QLineEdit;
class QWidget;

// The forms ask for "Times New Roman"; where it is missing, the metric-compatible
// Liberation Serif with Cyrillic stands in instead of whatever fallback comes first.
void installFontSubstitutes();
QFont formFont(double points, bool bold = false);

// Key codes and the modifier state (1 Shift, 2 Ctrl, 4 Alt, summed) the key handlers work with.
namespace KeyCode {
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int F1 = 112;
} // namespace KeyCode
int keyCode(const QKeyEvent& event);
int shiftState(const QKeyEvent& event);

// The mouse pointer of a form: 11 hourglass, 0 default.
void setMousePointer(QWidget& form, int pointer);
int mousePointer(const QWidget& form);

// Shows a blank-padded text from its start: a line edit would otherwise scroll to
// the end, where only the padding is.
void showPadded(QLineEdit& box, const QString& text);

// A widget's background colour (red, green, blue).
void setBackground(QWidget& widget, int red, int green, int blue);
