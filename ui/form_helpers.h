#pragma once

#include <QFont>
#include <QString>

class QLineEdit;
class QWidget;

// The forms ask for "Times New Roman"; where it is missing, the metric-compatible
// Liberation Serif with Cyrillic stands in instead of whatever fallback comes first.
void installFontSubstitutes();
QFont formFont(double points, bool bold = false);

// The hourglass over a form while it is busy; the default pointer comes back
// when this goes out of scope, however the work ended.
class WaitCursor {
public:
    explicit WaitCursor(QWidget& form);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    QWidget& form_;
};

// Shows a blank-padded text from its start: a line edit would otherwise scroll to
// the end, where only the padding is.
void showPadded(QLineEdit& box, const QString& text);

// A widget's background colour (red, green, blue).
void setBackground(QWidget& widget, int red, int green, int blue);
