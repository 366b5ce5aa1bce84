#include "teacher/teacher_window.h"

#include "teacher/check_tab.h"
#include "teacher/results_tab.h"

#include <QTabWidget>

TeacherWindow::TeacherWindow(Services& services, Desktop& desktop, const QString& classroomFolder, QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("teacherWindow"));
    setWindowTitle(QStringLiteral("Школьник: учитель"));
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    checkTab = new CheckTab(services, desktop, classroomFolder, tabs);
    tabs->addTab(checkTab, QStringLiteral("Проверка тестов"));
    resultsTab = new ResultsTab(services, desktop, classroomFolder, tabs);
    tabs->addTab(resultsTab, QStringLiteral("Результаты"));
    setCentralWidget(tabs);
    resize(1100, 720);
}
