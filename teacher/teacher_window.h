#pragma once

#include <QMainWindow>

class CheckTab;
class Desktop;
class QTabWidget;
class Services;

// The window «Школьник: учитель»: one tab for each of the teacher's tasks.
class TeacherWindow : public QMainWindow {
    Q_OBJECT
public:
    TeacherWindow(Services& services, Desktop& desktop, QWidget* parent = nullptr);

private:
    QTabWidget* tabs;
    CheckTab* checkTab;
};
