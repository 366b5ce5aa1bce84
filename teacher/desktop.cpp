#include "teacher/desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

QString QtDesktop::chooseFolder(QWidget* parent, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Папка с тестами"), start);
}

QString QtDesktop::chooseFileToSave(QWidget* parent, const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить найденное"), suggested,
                                        QStringLiteral("Текст (*.txt)"));
}

bool QtDesktop::openInEditor(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString QtDesktop::chooseReportFile(QWidget* parent, const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить отчёт"), suggested,
                                        QStringLiteral("Веб-страница (*.html)"));
}

QString QtDesktop::chooseCsvFolder(QWidget* parent, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Папка для таблиц pupils.csv и questions.csv"), start);
}
