#include "teacher/check_tab.h"

#include "teacher/tab_folder.h"
#include "ui/controls.h"

#include "teacher/desktop.h"

#include "runtime/run_error.h"
#include "runtime/services.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <array>

namespace {


enum Column { SeverityColumn, FileColumn, LineColumn, MessageColumn };
// What the table sorts by, the severity each row is filtered by, and the finding it shows.
constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kSeverityRole = Qt::UserRole + 2;
constexpr int kFindingRole = Qt::UserRole + 3;

QIcon severityIcon(Severity severity)
{
    const QStyle::StandardPixmap pixmap = severity == Severity::Error     ? QStyle::SP_MessageBoxCritical
                                          : severity == Severity::Warning ? QStyle::SP_MessageBoxWarning
                                                                          : QStyle::SP_MessageBoxInformation;
    return QApplication::style()->standardIcon(pixmap);
}

QStandardItem* cell(const QString& text, const QVariant& sortKey, int finding)
{
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    item->setData(sortKey, kSortRole);
    item->setData(finding, kFindingRole);
    return item;
}

void checkFolder(QPromise<CheckRun>& promise, const QString& folder)
{
    CheckRun run;
    try {
        const CheckTargets targets = findTargets({folder});
        promise.setProgressRange(0, int(targets.quizzes.size() + targets.classLists.size()));
        run.report = checkTargets(targets, {[&](int done, int) { promise.setProgressValue(done); },
                                            [&] { return promise.isCanceled(); }});
    } catch (const RunError& error) {
        run.failure = error.description();
    }
    promise.addResult(std::move(run));
}

} // namespace

CheckTab::CheckTab(Services& services, Desktop& desktop, const QString& classroomFolder, QWidget* parent)
    : QWidget(parent), services_(services), desktop_(desktop)
{
    setObjectName(QStringLiteral("checkTab"));
    createControls();
    folder().show(classroomFolder);
    connect(&watcher_, &QFutureWatcher<CheckRun>::progressRangeChanged, progressBar, &QProgressBar::setRange);
    connect(&watcher_, &QFutureWatcher<CheckRun>::progressValueChanged, progressBar, &QProgressBar::setValue);
    connect(&watcher_, &QFutureWatcher<CheckRun>::finished, this, &CheckTab::showRun);
}

CheckTab::~CheckTab()
{
    watcher_.cancel();
    watcher_.waitForFinished();
}

void CheckTab::createControls()
{
    folderEdit = makeControl<QLineEdit>(this, QStringLiteral("folderEdit"));
    folderEdit->setPlaceholderText(QStringLiteral("Папка с тестами"));
    chooseFolderButton = makeControl<QPushButton>(this, QStringLiteral("chooseFolderButton"), QStringLiteral("Выбрать папку…"));
    checkButton = makeControl<QPushButton>(this, QStringLiteral("checkButton"), QStringLiteral("Проверить"));
    checkButton->setDefault(true);
    progressBar = makeControl<QProgressBar>(this, QStringLiteral("progressBar"));
    progressBar->setRange(0, 1);
    progressBar->setValue(0);
    showErrors = makeControl<QCheckBox>(this, QStringLiteral("showErrors"), QStringLiteral("Ошибки"));
    showWarnings = makeControl<QCheckBox>(this, QStringLiteral("showWarnings"), QStringLiteral("Предупреждения"));
    showNotes = makeControl<QCheckBox>(this, QStringLiteral("showNotes"), QStringLiteral("Замечания"));
    for (QCheckBox* box : {showErrors, showWarnings, showNotes}) {
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, &CheckTab::applyFilter);
    }
    saveButton = makeControl<QPushButton>(this, QStringLiteral("saveButton"), QStringLiteral("Сохранить…"));
    saveButton->setEnabled(false);
    summaryLabel = makeControl<QLabel>(this, QStringLiteral("summaryLabel"));

    model_ = new QStandardItemModel(0, 4, this);
    model_->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Файл"), QStringLiteral("Строка"), QStringLiteral("Сообщение")});
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(model_);
    shown_->setSortRole(kSortRole);
    shown_->setFilterRole(kSeverityRole);
    shown_->setFilterKeyColumn(SeverityColumn);
    findingsTable = makeControl<QTableView>(this, QStringLiteral("findingsTable"));
    findingsTable->setModel(shown_);
    findingsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    findingsTable->setWordWrap(false);
    findingsTable->verticalHeader()->hide();
    findingsTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    findingsTable->horizontalHeader()->setStretchLastSection(true);
    // Sorted by file to begin with: a stable sort keeps each file's findings in line order.
    findingsTable->horizontalHeader()->setSortIndicator(FileColumn, Qt::AscendingOrder);
    findingsTable->setSortingEnabled(true);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Папка:"), this));
    folderRow->addWidget(folderEdit, 1);
    folderRow->addWidget(chooseFolderButton);
    folderRow->addWidget(checkButton);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(QStringLiteral("Показать:"), this));
    filterRow->addWidget(showErrors);
    filterRow->addWidget(showWarnings);
    filterRow->addWidget(showNotes);
    filterRow->addStretch(1);
    filterRow->addWidget(saveButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addWidget(progressBar);
    layout->addLayout(filterRow);
    layout->addWidget(findingsTable, 1);
    layout->addWidget(summaryLabel);

    connect(chooseFolderButton, &QPushButton::clicked, this, &CheckTab::chooseFolder);
    connect(checkButton, &QPushButton::clicked, this, &CheckTab::startCheck);
    connect(folderEdit, &QLineEdit::returnPressed, this, &CheckTab::startCheck);
    connect(findingsTable, &QTableView::doubleClicked, this, &CheckTab::openFinding);
    connect(saveButton, &QPushButton::clicked, this, &CheckTab::saveFindings);
}

void CheckTab::chooseFolder()
{
    folder().choose(desktop_, this);
}

void CheckTab::startCheck()
{
    if (watcher_.isRunning())
        return;
    const std::optional<QString> chosen = folder().take(services_, QStringLiteral("Выберите папку с тестами."));
    if (!chosen)
        return;
    checkedFolder_ = *chosen;
    for (QWidget* control : std::initializer_list<QWidget*>{folderEdit, chooseFolderButton, checkButton, saveButton})
        control->setEnabled(false);
    summaryLabel->setText(QStringLiteral("Идёт проверка…"));
    progressBar->setRange(0, 0);
    watcher_.setFuture(QtConcurrent::run(checkFolder, *chosen));
}

void CheckTab::showRun()
{
    for (QWidget* control : std::initializer_list<QWidget*>{folderEdit, chooseFolderButton, checkButton})
        control->setEnabled(true);
    if (watcher_.future().resultCount() == 0)
        return; // cancelled on closing
    const CheckRun run = watcher_.result();
    progressBar->setRange(0, 1);
    progressBar->setValue(1);
    model_->removeRows(0, model_->rowCount());
    findings_ = run.report.findings;
    if (!run.failure.isEmpty()) {
        findings_.clear();
        summary_.clear();
        summaryLabel->setText(QStringLiteral("Проверить не удалось."));
        services_.messageBox(run.failure, MessageIcon::Critical, kTeacherTitle);
        emit checkFinished();
        return;
    }

    const QDir folder(checkedFolder_);
    QHash<QString, int> fileOrder;
    std::array<int, 3> counts{};
    for (int i = 0; i < int(findings_.size()); ++i) {
        const Finding& finding = findings_[std::size_t(i)];
        const int severity = int(finding.severity);
        ++counts[std::size_t(severity)];
        if (!fileOrder.contains(finding.file))
            fileOrder.insert(finding.file, int(fileOrder.size()));
        auto* mark = cell(severityWord(finding.severity), severity, i);
        mark->setIcon(severityIcon(finding.severity));
        mark->setData(severityName(finding.severity), kSeverityRole);
        auto* line = cell(finding.line > 0 ? QString::number(finding.line) : QString(), finding.line, i);
        line->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* message = cell(finding.message, finding.message, i);
        message->setToolTip(finding.message);
        model_->appendRow({mark,
                           cell(QDir::toNativeSeparators(folder.relativeFilePath(finding.file)),
                                fileOrder.value(finding.file), i),
                           line, message});
    }
    showErrors->setText(QStringLiteral("Ошибки (%1)").arg(counts[0]));
    showWarnings->setText(QStringLiteral("Предупреждения (%1)").arg(counts[1]));
    showNotes->setText(QStringLiteral("Замечания (%1)").arg(counts[2]));
    findingsTable->resizeColumnsToContents();
    summary_ = summaryText(run.report);
    summaryLabel->setText(summary_);
    saveButton->setEnabled(true);
    applyFilter();
    emit checkFinished();
}

void CheckTab::applyFilter()
{
    QStringList shown;
    if (showErrors->isChecked())
        shown << severityName(Severity::Error);
    if (showWarnings->isChecked())
        shown << severityName(Severity::Warning);
    if (showNotes->isChecked())
        shown << severityName(Severity::Note);
    shown_->setFilterRegularExpression(QRegularExpression(QStringLiteral("^(%1)$").arg(shown.join(u'|'))));
}

void CheckTab::openFinding(const QModelIndex& index)
{
    const Finding& finding = findings_.at(std::size_t(index.data(kFindingRole).toInt()));
    if (!desktop_.openInEditor(finding.file))
        services_.messageBox(QStringLiteral("Не удалось открыть файл %1: в системе нет программы для таких файлов.")
                                 .arg(QDir::toNativeSeparators(finding.file)),
                             MessageIcon::Information, kTeacherTitle);
}

void CheckTab::saveFindings()
{
    const QString path =
        desktop_.chooseFileToSave(this, QDir(checkedFolder_).filePath(QStringLiteral("Проверка тестов.txt")));
    if (path.isEmpty())
        return;
    // What the table shows, in its order.
    QString text;
    for (int row = 0; row < shown_->rowCount(); ++row) {
        const int i = shown_->index(row, SeverityColumn).data(kFindingRole).toInt();
        text += findingText(findings_[std::size_t(i)]) + u'\n';
    }
    text += summary_ + u'\n';
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        services_.messageBox(QStringLiteral("Не удалось сохранить файл %1: %2")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()),
                             MessageIcon::Critical, kTeacherTitle);
}
