#include "ui/form_helpers.h"

#include <QFontDatabase>
#include <QKeyEvent>
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

int keyCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Tab: return KeyCode::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyCode::Enter;
    case Qt::Key_PageUp: return KeyCode::PageUp;
    case Qt::Key_PageDown: return KeyCode::PageDown;
    case Qt::Key_F1: return KeyCode::F1;
    default: return 0;
    }
}

int shiftState(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return (modifiers & Qt::ShiftModifier ? 1 : 0) + (modifiers & Qt::ControlModifier ? 2 : 0)
        + (modifiers & Qt::AltModifier ? 4 : 0);
}

void setMousePointer(QWidget& form, int pointer)
{
    if (pointer == 11)
        form.setCursor(Qt::WaitCursor);
    else
        form.unsetCursor();
}

int mousePointer(const QWidget& form)
{
    return form.cursor().shape() == Qt::WaitCursor ? 11 : 0;
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
