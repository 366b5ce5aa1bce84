#include "teacher/tab_folder.h"

#include "teacher/desktop.h"

#include "runtime/services.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>

namespace {

QSettings teacherSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Shkolnik"),
                     QStringLiteral("shkolnik-teacher"));
}

} // namespace

void TabFolder::show(const QString& classroomFolder) const
{
    box.setText(teacherSettings().value(settingsKey, QDir::toNativeSeparators(classroomFolder)).toString());
}

void TabFolder::choose(Desktop& desktop, QWidget* parent) const
{
    const QString folder = desktop.chooseFolder(parent, box.text());
    if (folder.isEmpty())
        return;
    box.setText(QDir::toNativeSeparators(folder));
    teacherSettings().setValue(settingsKey, box.text());
}

std::optional<QString> TabFolder::take(Services& services, const QString& askText) const
{
    const QString typed = box.text().trimmed();
    if (typed.isEmpty()) {
        services.messageBox(askText, MessageIcon::Information, kTeacherTitle);
        return std::nullopt;
    }
    // Whole paths, so that what is shown can name each file within the folder.
    const QString folder = QFileInfo(typed).absoluteFilePath();
    teacherSettings().setValue(settingsKey, QDir::toNativeSeparators(folder));
    return folder;
}
