#pragma once

#include <QMainWindow>

class CheckTab;
class Desktop;
class QTabWidget;
class ResultsTab;
class Services;

// The window «Школьник: учитель»: one tab for each of the teacher's tasks.
class TeacherWindow : public QMainWindow {
    Q_OBJECT
public:
    // classroomFolder: where the tabs start when the teacher has chosen no folder yet.
    TeacherWindow(Services& services, Desktop& desktop, const QString& classroomFolder, QWidget* parent = nullptr);

private:
    QTabWidget* tabs;
    CheckTab* checkTab;
    ResultsTab* resultsTab;
};
