#pragma once

#include "teacher/tab_folder.h"

#include "report/analysis.h"

#include <QFutureWatcher>
#include <QWidget>

class ChartView;
class Desktop;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTreeWidget;
class Services;

// What reading in the background gives the window: the report, or why there is none.
struct ReportRun {
    Report report;
    QString failure;
};

// The tab «Результаты»: a folder of results read in the background with a
// progress bar, a tree of class, topic and variant, and for the chosen one the
// pupils, the charts of marks and percentages and the analysis of the questions;
// the report saved as a web page, the tables for spreadsheets exported.
class ResultsTab : public QWidget {
    Q_OBJECT
public:
    ResultsTab(Services& services, Desktop& desktop, const QString& classroomFolder, QWidget* parent = nullptr);
    // A reading still running is cancelled and waited for.
    ~ResultsTab() override;

signals:
    // A reading has ended, also by a failure; the tree shows what was read.
    void readingFinished();

private:
    void createControls();
    // The folder box, remembered under this tab's own key.
    TabFolder folder() const { return {*folderEdit, QStringLiteral("results/folder")}; }
    void chooseFolder();
    void startReading();
    void showRun();
    void fillTree();
    void showChosen();
    void showNode(const ReportNode& node, bool oneQuiz);
    void showProblems();
    void saveReport();
    void exportCsv();
    bool save(const QString& path, const QByteArray& bytes);

    Services& services_;
    Desktop& desktop_;
    QLineEdit* folderEdit;
    QPushButton* chooseFolderButton;
    QPushButton* readButton;
    QProgressBar* progressBar;
    QTreeWidget* resultsTree;
    QStackedWidget* pages;
    QLabel* nodeTitle;
    QTableWidget* pupilsTable;
    ChartView* markChart;
    ChartView* percentChart;
    QTableWidget* questionsTable;
    ChartView* questionChart;
    QTableWidget* problemsTable;
    QLabel* summaryLabel;
    QPushButton* saveReportButton;
    QPushButton* exportCsvButton;

    Report report_;
    QFutureWatcher<ReportRun> watcher_;
};
