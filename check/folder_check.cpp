#include "check/folder_check.h"

#include "check/class_list_check.h"
#include "check/quiz_check.h"

#include "results/class_list.h"
#include "runtime/folder_walk.h"
#include "runtime/run_error.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <numeric>

namespace {

// Small enough that progress and a cancel come soon, large enough to keep both cores busy.
constexpr int kChunk = 16;

} // namespace

CheckTargets findTargets(const QStringList& folders)
{
    CheckTargets targets;
    for (const QString& path : filesUnder(folders, {QStringLiteral("*.tst"), kClassListName})) {
        const QFileInfo info(path);
        // A class list in another letter case counts only where the real one is missing.
        if (info.fileName().compare(kClassListName, Qt::CaseInsensitive) != 0)
            targets.quizzes << path;
        else if (info.fileName() == kClassListName || !QFileInfo::exists(info.path() + u'/' + kClassListName))
            targets.classLists << path;
    }
    return targets;
}

CheckReport checkTargets(const CheckTargets& targets, const CheckProgress& progress)
{
    const int quizzes = int(targets.quizzes.size());
    const int total = quizzes + int(targets.classLists.size());
    std::vector<std::vector<Finding>> found(static_cast<std::size_t>(total));
    std::vector<int> chunk;
    CheckReport report;
    for (int start = 0; start < total; start += kChunk) {
        if (progress.cancelled && progress.cancelled()) {
            report.cancelled = true;
            break;
        }
        chunk.resize(std::size_t(std::min(kChunk, total - start)));
        std::iota(chunk.begin(), chunk.end(), start);
        QtConcurrent::blockingMap(chunk, [&](int i) {
            found[std::size_t(i)] = i < quizzes ? checkQuiz(targets.quizzes[i])
                                                : checkClassList(targets.classLists[i - quizzes]);
        });
        if (progress.step)
            progress.step(start + int(chunk.size()), total);
    }

    report.quizzes = quizzes;
    report.classLists = total - quizzes;
    for (const std::vector<Finding>& findings : found) {
        const auto has = [&](Severity severity) {
            return std::any_of(findings.begin(), findings.end(),
                               [&](const Finding& finding) { return finding.severity == severity; });
        };
        if (has(Severity::Error))
            ++report.withErrors;
        else if (has(Severity::Warning))
            ++report.withWarnings;
        report.findings.insert(report.findings.end(), findings.begin(), findings.end());
    }
    return report;
}

QString summaryText(const CheckReport& report)
{
    QString checked = QStringLiteral("%1 %2").arg(report.quizzes).arg(
        countedNoun(report.quizzes, QStringLiteral("тест"), QStringLiteral("теста"), QStringLiteral("тестов")));
    if (report.classLists > 0)
        checked += QStringLiteral(" и %1 %2").arg(report.classLists).arg(
            countedNoun(report.classLists, QStringLiteral("список классов"), QStringLiteral("списка классов"),
                        QStringLiteral("списков классов")));
    return QStringLiteral("%1: %2 с ошибками, %3 с предупреждениями")
        .arg(checked, QString::number(report.withErrors), QString::number(report.withWarnings));
}
