#pragma once

#include "teacher/tab_folder.h"

#include "check/finding.h"
#include "check/folder_check.h"

#include <QFutureWatcher>
#include <QWidget>

#include <vector>

class Desktop;
class QCheckBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class Services;

// What a check in the background gives the window: the report, or why there is none.
struct CheckRun {
    CheckReport report;
    QString failure;
};

// The tab «Проверка тестов»: a folder, checked in the background with a progress
// bar, and the findings in a table that can be filtered by severity, sorted,
// opened in the system's editor and saved as text.
class CheckTab : public QWidget {
    Q_OBJECT
public:
    CheckTab(Services& services, Desktop& desktop, const QString& classroomFolder, QWidget* parent = nullptr);
    // A check still running is cancelled and waited for.
    ~CheckTab() override;

signals:
    // A check has ended, also by a failure; the table shows what it found.
    void checkFinished();

private:
    void createControls();
    // The folder box, remembered under this tab's own key.
    TabFolder folder() const { return {*folderEdit, QStringLiteral("check/folder")}; }
    void chooseFolder();
    void startCheck();
    void showRun();
    void applyFilter();
    void openFinding(const QModelIndex& index);
    void saveFindings();

    Services& services_;
    Desktop& desktop_;
    QLineEdit* folderEdit;
    QPushButton* chooseFolderButton;
    QPushButton* checkButton;
    QProgressBar* progressBar;
    QCheckBox* showErrors;
    QCheckBox* showWarnings;
    QCheckBox* showNotes;
    QPushButton* saveButton;
    QTableView* findingsTable;
    QLabel* summaryLabel;

    QStandardItemModel* model_;
    QSortFilterProxyModel* shown_;
    std::vector<Finding> findings_; // of the last check, as the model's rows refer to them
    QString summary_;
    QString checkedFolder_;
    QFutureWatcher<CheckRun> watcher_;
};
