#include "teacher/results_tab.h"

#include "teacher/tab_folder.h"
#include "ui/controls.h"

#include "teacher/command_line.h"
#include "teacher/desktop.h"
#include "teacher/report_charts.h"
#include "teacher/report_html.h"

#include "report/report_csv.h"
#include "runtime/run_error.h"
#include "runtime/services.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {


// The nodes a tree item stands for: report_.nodes[first .. first + count); none for the list of what was not read.
constexpr int kFirstRole = Qt::UserRole + 1;
constexpr int kCountRole = Qt::UserRole + 2;

enum PupilColumn { NameColumn, TopicColumn, VariantColumn, PointsColumn, PercentColumn, MarkColumn, FinishedColumn, AttemptColumn };

void readFolder(QPromise<ReportRun>& promise, const QString& folder)
{
    ReportRun run;
    try {
        const QStringList files = findResultFiles({folder});
        promise.setProgressRange(0, int(files.size()));
        ResultFiles read = readResultFiles({folder}, files, {[&](int done, int) { promise.setProgressValue(done); },
                                                              [&] { return promise.isCanceled(); }});
        if (read.cancelled)
            return;
        run.report = makeReport(std::move(read));
    } catch (const RunError& error) {
        run.failure = error.description();
    }
    promise.addResult(std::move(run));
}

QTableWidgetItem* cell(const QString& text, bool number = false)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidget* makeTable(QWidget* parent, const char* name, const QStringList& headers)
{
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// The file a save goes to: a web page always ends so, and so never takes a result file's name.
QString htmlPath(const QString& chosen)
{
    return chosen.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive)
                   || chosen.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive)
               ? chosen
               : chosen + QStringLiteral(".html");
}

} // namespace

ResultsTab::ResultsTab(Services& services, Desktop& desktop, const QString& classroomFolder, QWidget* parent)
    : QWidget(parent), services_(services), desktop_(desktop)
{
    setObjectName(QStringLiteral("resultsTab"));
    createControls();
    folder().show(classroomFolder);
    connect(&watcher_, &QFutureWatcher<ReportRun>::progressRangeChanged, progressBar, &QProgressBar::setRange);
    connect(&watcher_, &QFutureWatcher<ReportRun>::progressValueChanged, progressBar, &QProgressBar::setValue);
    connect(&watcher_, &QFutureWatcher<ReportRun>::finished, this, &ResultsTab::showRun);
}

ResultsTab::~ResultsTab()
{
    watcher_.cancel();
    watcher_.waitForFinished();
}

void ResultsTab::createControls()
{
    folderEdit = makeControl<QLineEdit>(this, QStringLiteral("resultsFolderEdit"));
    folderEdit->setPlaceholderText(QStringLiteral("Папка с результатами"));
    chooseFolderButton = makeControl<QPushButton>(this, QStringLiteral("resultsChooseFolderButton"), QStringLiteral("Выбрать папку…"));
    readButton = makeControl<QPushButton>(this, QStringLiteral("readButton"), QStringLiteral("Прочитать"));
    progressBar = makeControl<QProgressBar>(this, QStringLiteral("resultsProgressBar"));
    progressBar->setRange(0, 1);
    progressBar->setValue(0);
    resultsTree = makeControl<QTreeWidget>(this, QStringLiteral("resultsTree"));
    resultsTree->setHeaderHidden(true);
    nodeTitle = makeControl<QLabel>(this, QStringLiteral("nodeTitle"));
    QFont bold = nodeTitle->font();
    bold.setBold(true);
    nodeTitle->setFont(bold);
    pupilsTable = makeTable(this, "pupilsTable",
                            {QStringLiteral("Ученик"), QStringLiteral("Тема"), QStringLiteral("Вариант"),
                             QStringLiteral("Баллы"), QStringLiteral("Процент"), QStringLiteral("Оценка"),
                             QStringLiteral("Окончание"), QStringLiteral("Попытка")});
    markChart = makeControl<ChartView>(this, QStringLiteral("markChart"));
    percentChart = makeControl<ChartView>(this, QStringLiteral("percentChart"));
    questionsTable = makeTable(this, "questionsTable",
                               {QStringLiteral("№"), QStringLiteral("Вопрос"), QStringLiteral("Задан"),
                                QStringLiteral("Верно"), QStringLiteral("Решаемость, %"), QStringLiteral("Различение"),
                                QStringLiteral("Отметки")});
    questionsTable->horizontalHeader()->setStretchLastSection(false);
    questionsTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    questionChart = makeControl<ChartView>(this, QStringLiteral("questionChart"));
    problemsTable = makeTable(this, "problemsTable",
                              {QStringLiteral("Файл"), QStringLiteral("Строка"), QStringLiteral("Причина")});
    summaryLabel = makeControl<QLabel>(this, QStringLiteral("resultsSummaryLabel"));
    saveReportButton = makeControl<QPushButton>(this, QStringLiteral("saveReportButton"), QStringLiteral("Сохранить отчёт…"));
    exportCsvButton = makeControl<QPushButton>(this, QStringLiteral("exportCsvButton"), QStringLiteral("Экспорт в CSV…"));
    saveReportButton->setEnabled(false);
    exportCsvButton->setEnabled(false);

    auto* charts = new QWidget(this);
    auto* chartRow = new QHBoxLayout(charts);
    chartRow->setContentsMargins(0, 0, 0, 0);
    chartRow->addWidget(markChart);
    chartRow->addWidget(percentChart);
    auto* details = new QSplitter(Qt::Vertical, this);
    details->addWidget(pupilsTable);
    details->addWidget(charts);
    details->addWidget(questionsTable);
    details->addWidget(questionChart);
    for (int k = 0; k < 4; ++k)
        details->setStretchFactor(k, 1);
    auto* nodePage = new QWidget(this);
    auto* nodeLayout = new QVBoxLayout(nodePage);
    nodeLayout->setContentsMargins(0, 0, 0, 0);
    nodeLayout->addWidget(nodeTitle);
    nodeLayout->addWidget(details, 1);
    pages = makeControl<QStackedWidget>(this, QStringLiteral("resultPages"));
    pages->addWidget(nodePage);
    pages->addWidget(problemsTable);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(resultsTree);
    split->addWidget(pages);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 740});

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Папка:"), this));
    folderRow->addWidget(folderEdit, 1);
    folderRow->addWidget(chooseFolderButton);
    folderRow->addWidget(readButton);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(summaryLabel, 1);
    bottomRow->addWidget(saveReportButton);
    bottomRow->addWidget(exportCsvButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addWidget(progressBar);
    layout->addWidget(split, 1);
    layout->addLayout(bottomRow);

    connect(chooseFolderButton, &QPushButton::clicked, this, &ResultsTab::chooseFolder);
    connect(readButton, &QPushButton::clicked, this, &ResultsTab::startReading);
    connect(folderEdit, &QLineEdit::returnPressed, this, &ResultsTab::startReading);
    connect(resultsTree, &QTreeWidget::currentItemChanged, this, &ResultsTab::showChosen);
    connect(saveReportButton, &QPushButton::clicked, this, &ResultsTab::saveReport);
    connect(exportCsvButton, &QPushButton::clicked, this, &ResultsTab::exportCsv);
}

void ResultsTab::chooseFolder()
{
    folder().choose(desktop_, this);
}

void ResultsTab::startReading()
{
    if (watcher_.isRunning())
        return;
    const std::optional<QString> chosen = folder().take(services_, QStringLiteral("Выберите папку с результатами."));
    if (!chosen)
        return;
    for (QWidget* control : std::initializer_list<QWidget*>{folderEdit, chooseFolderButton, readButton,
                                                            saveReportButton, exportCsvButton})
        control->setEnabled(false);
    summaryLabel->setText(QStringLiteral("Идёт чтение…"));
    progressBar->setRange(0, 0);
    watcher_.setFuture(QtConcurrent::run(readFolder, *chosen));
}

void ResultsTab::showRun()
{
    for (QWidget* control : std::initializer_list<QWidget*>{folderEdit, chooseFolderButton, readButton})
        control->setEnabled(true);
    if (watcher_.future().resultCount() == 0)
        return; // cancelled on closing
    ReportRun run = watcher_.result();
    progressBar->setRange(0, 1);
    progressBar->setValue(1);
    report_ = std::move(run.report);
    fillTree();
    if (!run.failure.isEmpty()) {
        summaryLabel->setText(QStringLiteral("Прочитать не удалось."));
        services_.messageBox(run.failure, MessageIcon::Critical, kTeacherTitle);
        emit readingFinished();
        return;
    }
    summaryLabel->setText(readSummary(report_));
    saveReportButton->setEnabled(true);
    exportCsvButton->setEnabled(true);
    emit readingFinished();
}

void ResultsTab::fillTree()
{
    resultsTree->clear();
    const auto item = [](QTreeWidgetItem* parent, const QString& text, int first, int count) {
        auto* added = new QTreeWidgetItem(parent, {text});
        added->setData(0, kFirstRole, first);
        added->setData(0, kCountRole, count);
        return added;
    };
    QTreeWidgetItem* classItem = nullptr;
    QTreeWidgetItem* topicItem = nullptr;
    const auto grow = [](QTreeWidgetItem* grown) { grown->setData(0, kCountRole, grown->data(0, kCountRole).toInt() + 1); };
    for (int k = 0; k < int(report_.nodes.size()); ++k) {
        const ReportNode& node = report_.nodes[std::size_t(k)];
        const ReportNode* previous = k > 0 ? &report_.nodes[std::size_t(k - 1)] : nullptr;
        if (!previous || previous->classPart != node.classPart) {
            classItem = item(nullptr, QStringLiteral("Класс %1").arg(node.classPart), k, 0);
            resultsTree->addTopLevelItem(classItem);
            topicItem = nullptr;
        }
        if (!topicItem || previous->topic != node.topic)
            topicItem = item(classItem, node.topic, k, 0);
        item(topicItem, QStringLiteral("Вариант %1").arg(node.variant), k, 1);
        grow(classItem);
        grow(topicItem);
    }
    if (!report_.problems.empty()) {
        auto* problems = item(nullptr, QStringLiteral("Не удалось прочитать (%1)").arg(report_.problems.size()), -1, 0);
        problems->setForeground(0, QColor(0xa0, 0x30, 0x30));
        resultsTree->addTopLevelItem(problems);
    }
    resultsTree->expandAll();
    // The first quiz is shown at once.
    QTreeWidgetItem* first = resultsTree->topLevelItem(0);
    while (first && first->childCount() > 0)
        first = first->child(0);
    resultsTree->setCurrentItem(first);
    if (!first)
        showNode(ReportNode{}, false);
}

void ResultsTab::showChosen()
{
    const QTreeWidgetItem* chosen = resultsTree->currentItem();
    if (!chosen)
        return;
    const int first = chosen->data(0, kFirstRole).toInt();
    const int count = chosen->data(0, kCountRole).toInt();
    if (first < 0) {
        showProblems();
        return;
    }
    if (count == 1) {
        showNode(report_.nodes[std::size_t(first)], true);
        return;
    }
    std::vector<const ReportNode*> nodes;
    for (int k = first; k < first + count; ++k)
        nodes.push_back(&report_.nodes[std::size_t(k)]);
    showNode(mergedNode(nodes), false);
}

void ResultsTab::showNode(const ReportNode& node, bool oneQuiz)
{
    pages->setCurrentIndex(0);
    nodeTitle->setText(oneQuiz ? QStringLiteral("Класс %1, «%2», вариант %3").arg(node.classPart, node.topic, node.variant)
                               : QStringLiteral("Учеников: %1. Разбор вопросов — у каждого варианта.").arg(node.pupils.size()));
    pupilsTable->setRowCount(int(node.pupils.size()));
    for (int row = 0; row < int(node.pupils.size()); ++row) {
        const PupilRow& pupil = node.pupils[std::size_t(row)];
        const QString cells[] = {pupil.entry.pupil,
                                 pupil.topic,
                                 pupil.variant,
                                 QString::number(pupil.entry.points),
                                 QString(pupil.entry.percentText).replace(u'.', u','),
                                 QString::number(pupil.entry.mark),
                                 pupil.entry.finishedText,
                                 pupil.attempts > 1 ? QStringLiteral("%1 из %2").arg(pupil.attempt).arg(pupil.attempts)
                                                    : QString()};
        for (int column = 0; column < 8; ++column)
            pupilsTable->setItem(row, column, cell(cells[column], column >= PointsColumn && column != FinishedColumn));
    }
    pupilsTable->setColumnHidden(TopicColumn, oneQuiz);
    pupilsTable->setColumnHidden(VariantColumn, oneQuiz);
    pupilsTable->resizeColumnsToContents();
    markChart->setChart(::markChart(node));
    percentChart->setChart(::percentChart(node));

    questionsTable->setRowCount(int(node.questions.size()));
    for (int row = 0; row < int(node.questions.size()); ++row) {
        const QuestionStats& question = node.questions[std::size_t(row)];
        QStringList flags;
        for (const QuestionFlag flag : question.flags)
            flags << questionFlagText(flag);
        const QString cells[] = {QString::number(row + 1),
                                 question.sameText > 1 ? QStringLiteral("%1 ×%2").arg(question.text).arg(question.sameText)
                                                       : question.text,
                                 QString::number(question.asked),
                                 QString::number(question.right),
                                 decimalComma(question.facility, 1),
                                 question.discrimination ? decimalComma(*question.discrimination, 2) : QString(),
                                 flags.join(QStringLiteral(", "))};
        for (int column = 0; column < 7; ++column) {
            QTableWidgetItem* item = cell(cells[column], column != 1 && column != 6);
            if (column == 1)
                item->setToolTip(question.text);
            if (!question.flags.empty())
                item->setBackground(QColor(0xfb, 0xee, 0xe8));
            questionsTable->setItem(row, column, item);
        }
    }
    for (const int column : {0, 2, 3, 4, 5})
        questionsTable->resizeColumnToContents(column);
    questionChart->setChart(::questionChart(node));
    questionsTable->setVisible(oneQuiz);
    questionChart->setVisible(oneQuiz);
}

void ResultsTab::showProblems()
{
    pages->setCurrentIndex(1);
    problemsTable->setRowCount(int(report_.problems.size()));
    for (int row = 0; row < int(report_.problems.size()); ++row) {
        const Problem& problem = report_.problems[std::size_t(row)];
        problemsTable->setItem(row, 0, cell(shownPath(problem.file, report_.folders)));
        problemsTable->setItem(row, 1, cell(problem.line > 0 ? QString::number(problem.line) : QString(), true));
        problemsTable->setItem(row, 2, cell(problem.reason));
        problemsTable->item(row, 2)->setToolTip(problem.reason);
    }
    problemsTable->resizeColumnToContents(0);
    problemsTable->resizeColumnToContents(1);
}

bool ResultsTab::save(const QString& path, const QByteArray& bytes)
{
    const QString failure = saveFile(path, bytes);
    if (!failure.isEmpty())
        services_.messageBox(QStringLiteral("Не удалось сохранить файл %1: %2").arg(QDir::toNativeSeparators(path), failure),
                             MessageIcon::Critical, kTeacherTitle);
    return failure.isEmpty();
}

void ResultsTab::saveReport()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString chosen = desktop_.chooseReportFile(this, QDir(documents).filePath(QStringLiteral("Результаты тестов.html")));
    if (!chosen.isEmpty())
        save(htmlPath(chosen), reportHtml(report_, services_.now()));
}

void ResultsTab::exportCsv()
{
    const QString folder =
        desktop_.chooseCsvFolder(this, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (folder.isEmpty())
        return;
    const QDir into(folder);
    if (save(into.filePath(QStringLiteral("pupils.csv")), pupilsCsv(report_))
        && save(into.filePath(QStringLiteral("questions.csv")), questionsCsv(report_)))
        services_.messageBox(QStringLiteral("Таблицы записаны в папку %1: pupils.csv (ученики) и questions.csv (вопросы).")
                                 .arg(QDir::toNativeSeparators(folder)),
                             MessageIcon::Information, kTeacherTitle);
}
