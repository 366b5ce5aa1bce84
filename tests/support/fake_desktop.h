#pragma once

#include "teacher/desktop.h"

#include <QString>
#include <QStringList>

// Answers the dialogs as the teacher would and records what was opened.
class FakeDesktop : public Desktop {
public:
    QString chooseFolder(QWidget*, const QString&) override { return folder; }
    QString chooseFileToSave(QWidget*, const QString&) override { return saveAs; }
    bool openInEditor(const QString& path) override
    {
        opened << path;
        return editorFound;
    }
    QString chooseReportFile(QWidget*, const QString&) override { return reportAs; }
    QString chooseCsvFolder(QWidget*, const QString&) override { return csvFolder; }

    QString folder;
    QString saveAs;
    QString reportAs;
    QString csvFolder;
    bool editorFound = true;
    QStringList opened;
};
