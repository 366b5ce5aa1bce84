#pragma once

#include <QString>

// What a school sets once for all its computers, in the system-wide settings
// file (/etc/xdg/shkolnik/shkolnik.conf, Qt's INI form).
struct SchoolSettings {
    QString classroomFolder;    // ClassroomFolder: where the programs start; "" when not set
    QString deploymentSentence; // DeploymentSentence: the pupil's title names the schools; "" when not set
};

// The system-wide settings file, wherever the system keeps it.
QString schoolSettingsFile();
SchoolSettings readSchoolSettings(const QString& file);

// The folder a program starts in: the one named on its command line, else the
// school's ClassroomFolder, else the current one. A folder named but missing is
// thrown as RunError 76 saying where it was named.
QString startFolder(const QString& commandLineFolder, const SchoolSettings& settings, const QString& settingsFile);
