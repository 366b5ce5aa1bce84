#pragma once

#include <QString>

class QWidget;

// What the teacher's window asks of the desktop beyond message boxes: the file
// dialogs and the system's editor. Tests put a double in its place, so that no
// real dialog ever opens.
class Desktop {
public:
    virtual ~Desktop() = default;
    // A folder the teacher chose, starting from start; "" when none was chosen.
    virtual QString chooseFolder(QWidget* parent, const QString& start) = 0;
    // A file to save into, suggested first; "" when none was chosen.
    virtual QString chooseFileToSave(QWidget* parent, const QString& suggested) = 0;
    // Opens the file in the program the system edits such files with; false when none did.
    virtual bool openInEditor(const QString& path) = 0;
    // A web page to save the report into, suggested first; "" when none was chosen.
    virtual QString chooseReportFile(QWidget* parent, const QString& suggested) = 0;
    // A folder for the tables for spreadsheets, starting from start; "" when none was chosen.
    virtual QString chooseCsvFolder(QWidget* parent, const QString& start) = 0;
};

// The desktop of the real program.
class QtDesktop : public Desktop {
public:
    QString chooseFolder(QWidget* parent, const QString& start) override;
    QString chooseFileToSave(QWidget* parent, const QString& suggested) override;
    bool openInEditor(const QString& path) override;
    QString chooseReportFile(QWidget* parent, const QString& suggested) override;
    QString chooseCsvFolder(QWidget* parent, const QString& start) override;
};
