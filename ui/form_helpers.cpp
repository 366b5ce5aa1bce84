#include "ui/form_helpers.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace {

const QString kTimes = QStringLiteral("Times New Roman");

} // namespace

void installFontSubstitutes()
{
    if (!QFontDatabase::hasFamily(kTimes))
        QFont::insertSubstitution(kTimes, QStringLiteral("Liberation Serif"));
}

QFont formFont(double points, bool bold)
{
    QFont font(kTimes);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

WaitCursor::WaitCursor(QWidget& form) : form_(form)
{
    form_.setCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    form_.unsetCursor();
}

void showPadded(QLineEdit& box, const QString& text)
{
    box.setText(text);
    box.setCursorPosition(0);
}

void setBackground(QWidget& widget, int red, int green, int blue)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(red, green, blue));
    // A form's colour must not reach the text boxes on it; a control's own does.
    if (!widget.isWindow())
        palette.setColor(QPalette::Base, QColor(red, green, blue));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}
