// The teacher's report over a school's results: 10,000 protocols and 100
// registers (10 classes, 5 topics, 2 variants, 100 pupils each, 20 of 30
// questions asked), read, analysed and written as the web page and the tables.
#include "teacher/report_html.h"

#include "report/analysis.h"
#include "report/report_csv.h"
#include "report/result_reading.h"
#include "results/result_files.h"
#include "runtime/cp1251.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "benchmarks/bench_files.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kClasses = 10;
constexpr int kTopics = 5;
constexpr int kVariants = 2;
constexpr int kPupils = 100;
constexpr int kQuestions = 30;
constexpr int kAsked = 20;

// One quiz's register and its pupils' protocols, by the pupil's program's own writers.
void writeQuiz(const QString& folder, int classNo, int topicNo, int variant, QRandomGenerator& random)
{
    PupilRecord pupil;
    pupil.pupilClass = QStringLiteral("%1 %2А").arg(classNo + 1, 2, 10, QLatin1Char('0')).arg(classNo + 1);
    pupil.pupilClass10 = pupil.pupilClass;
    pupil.topic = QStringLiteral("Тема %1 — контрольная работа за четверть").arg(topicNo + 1);
    pupil.variantNo = QString::number(variant + 1);
    pupil.testFolder = folder + u'/';
    QStringList registerLines;
    for (int p = 0; p < kPupils; ++p) {
        pupil.pupilName = QStringLiteral("Ученик %1 Фамилия%2").arg(p + 1).arg(classNo * 1000 + p);
        const double ability = random.generateDouble();
        QStringList protocol = protocolHead(pupil, QStringLiteral("07.12.2026 9:00:00"), QStringLiteral("07.12.2026 9:20:00"));
        Score score;
        score.pointsTotal = kAsked;
        for (int k = 0; k < kAsked; ++k) {
            const int question = (p + k * 7) % kQuestions;
            Verdict verdict;
            verdict.typed = question % 3 == 0;
            verdict.correct = random.generateDouble() < 0.25 + 0.7 * ability - 0.01 * question;
            verdict.correctFlags = QStringLiteral("010100");
            verdict.answerFlags = verdict.correct ? verdict.correctFlags : QStringLiteral("000100");
            verdict.typedAnswer = verdict.correct ? QString() : QStringLiteral("НЕ ЗНАЮ");
            protocol << protocolLine(verdict, QStringLiteral("Вопрос %1 по теме %2: что получится, если 2 * %1?")
                                                  .arg(question + 1)
                                                  .arg(topicNo + 1));
            score.pointsScored += verdict.correct ? 1 : 0;
        }
        score.percentDone = percentOf(score.pointsScored, score.pointsTotal);
        score.mark = score.percentDone >= 85 ? 5 : score.percentDone >= 65 ? 4 : score.percentDone >= 45 ? 3 : 2;
        protocol << protocolSummary(QString::number(kAsked), score);
        writeLines(inTestFolder(pupil, protocolFileName(pupil, pupil.topic.text())), protocol);
        registerLines << registerLine(pupil, score, QStringLiteral("07.12.2026 9:%1:00").arg(20 + p % 40));
    }
    writeLines(inTestFolder(pupil, registerFileName(pupil)), registerLines);
}

const QTemporaryDir& schoolResults()
{
    static const QTemporaryDir root;
    static bool written = false;
    if (!written) {
        written = true;
        QRandomGenerator random(2026);
        for (int c = 0; c < kClasses; ++c) {
            const QString folder = root.filePath(QStringLiteral("Класс %1").arg(c + 1));
            QDir().mkpath(folder);
            for (int t = 0; t < kTopics; ++t)
                for (int v = 0; v < kVariants; ++v)
                    writeQuiz(folder, c, t, v, random);
        }
    }
    return root;
}

void BM_ReportSchoolResults(benchmark::State& bench)
{
    const QString folder = schoolResults().path();
    Report report;
    qsizetype bytes = 0;
    for (auto _ : bench) {
        report = makeReport(readResultFiles({folder}, findResultFiles({folder})));
        const QByteArray html = reportHtml(report, QDateTime(QDate(2026, 12, 7), QTime(15, 0)));
        bytes = html.size() + pupilsCsv(report).size() + questionsCsv(report).size();
        if (report.protocols != kClasses * kTopics * kVariants * kPupils || !report.problems.empty())
            bench.SkipWithError("the school's results did not read whole");
    }
    bench.counters["protocols"] = report.protocols;
    bench.counters["registers"] = report.registers;
    bench.counters["MB written"] = double(bytes) / 1e6;
}
BENCHMARK(BM_ReportSchoolResults)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
