#include "ui/qt_services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <chrono>

QtServices::QtServices()
{
    randomize();
}

void QtServices::messageBox(const QString& text, MessageIcon icon, const QString& title)
{
    if (ended_)
        return;
    QMessageBox::Icon shown = QMessageBox::NoIcon;
    if (icon == MessageIcon::Information)
        shown = QMessageBox::Information;
    else if (icon == MessageIcon::Critical)
        shown = QMessageBox::Critical;
    QMessageBox box(shown, title.isEmpty() ? kDefaultTitle : title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

namespace {

// A modal question with two buttons; true when the first was chosen.
bool ask(QMessageBox::Icon icon, const QString& text, const QString& title, const QString& first,
         const QString& second)
{
    QMessageBox box(icon, title.isEmpty() ? kDefaultTitle : title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* chosen = box.addButton(first, QMessageBox::AcceptRole);
    box.addButton(second, QMessageBox::RejectRole);
    box.setDefaultButton(chosen);
    box.exec();
    return box.clickedButton() == chosen;
}

} // namespace

bool QtServices::askRetry(const QString& text, const QString& title)
{
    return !ended_ && ask(QMessageBox::Warning, text, title, QStringLiteral("Повторить"), QStringLiteral("Отмена"));
}

bool QtServices::askYesNo(const QString& text, const QString& title)
{
    return !ended_ && ask(QMessageBox::Question, text, title, QStringLiteral("Да"), QStringLiteral("Нет"));
}

void QtServices::sendTab()
{
    postTabToFocus();
}

void QtServices::beep()
{
    QApplication::beep();
}

void QtServices::endProgram()
{
    ended_ = true;
    QCoreApplication::exit(0);
}

QDateTime QtServices::now()
{
    return QDateTime::currentDateTime();
}

void QtServices::randomize()
{
    generator_.seed(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

double QtServices::rnd()
{
    // 53 random bits scaled below 1: never 1.0, unlike some distribution implementations.
    return double(generator_() >> 11) * 0x1.0p-53;
}

void postTabToFocus()
{
    if (QWidget* target = QApplication::focusWidget())
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
}
