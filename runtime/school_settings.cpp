#include "runtime/school_settings.h"

#include "runtime/run_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

QString schoolSettingsFile()
{
    return QSettings(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("shkolnik"),
                     QStringLiteral("shkolnik"))
        .fileName();
}

SchoolSettings readSchoolSettings(const QString& file)
{
    const QSettings settings(file, QSettings::IniFormat);
    return {settings.value(QStringLiteral("ClassroomFolder")).toString(),
            settings.value(QStringLiteral("DeploymentSentence")).toString()};
}

QString startFolder(const QString& commandLineFolder, const SchoolSettings& settings, const QString& settingsFile)
{
    const auto existing = [](const QString& folder, const QString& namedWhere) {
        if (!QFileInfo(folder).isDir())
            throw runError(ErrorNumber::PathNotFound,
                           QStringLiteral("папка класса %1 (%2) не найдена").arg(QDir::toNativeSeparators(folder), namedWhere));
        return QDir(folder).absolutePath();
    };
    if (!commandLineFolder.isEmpty())
        return existing(commandLineFolder, QStringLiteral("задана в командной строке"));
    if (!settings.classroomFolder.isEmpty())
        return existing(settings.classroomFolder, QStringLiteral("ClassroomFolder в файле настроек ") + settingsFile);
    return QDir::currentPath();
}
