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

bool QtServices::askRetry(const QString& text, const QString& title)
{
    if (ended_)
        return false;
    QMessageBox box(QMessageBox::Warning, title.isEmpty() ? kDefaultTitle : title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* retry = box.addButton(QStringLiteral("Повторить"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(retry);
    box.exec();
    return box.clickedButton() == retry;
}

bool QtServices::askYesNo(const QString& text, const QString& title)
{
    if (ended_)
        return false;
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? kDefaultTitle : title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
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
