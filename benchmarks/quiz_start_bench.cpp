// "Начать" on the largest legal quiz: 350 questions of six options, with points
// and the answer key, read, drawn, shuffled and the first question shown; and a
// move and a tick on it with the journal written after each.
#include "forms/frm_gl.h"
#include "quiz/quiz_run.h"

#include "runtime/cp1251.h"
#include "ui/qt_services.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "benchmarks/bench_files.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// 350 tick questions of six options each, all asked.
QString largestTest(const QTemporaryDir& folder)
{
    QStringList test = {QStringLiteral("Математика"), QStringLiteral("Итоговый тест"), "1", "30", "350", "350",
                        "80", "60", "40"};
    QStringList points;
    QStringList key;
    for (int q = 1; q <= 350; ++q) {
        test << "1" << "6" << QStringLiteral("Вопрос %1: какие из чисел делятся на %2 без остатка?").arg(q).arg(q % 9 + 2);
        for (int j = 1; j <= 6; ++j)
            test << QStringLiteral("Число %1").arg(q * 7 + j * 13);
        points << QString::number(q % 4 + 1);
        key << "224456";
    }
    writeLines(folder.filePath("big.tst"), test);
    writeLines(folder.filePath("big.tsb"), points);
    writeLines(folder.filePath("big.ts1"), key);
    return folder.filePath("big.tst");
}

// The main form of a registered pupil with the largest quiz chosen, loaded and shown.
struct LargestQuizDesk {
    LargestQuizDesk()
    {
        run->pupil.pupilName = QStringLiteral("Иванов Иван");
        run->pupil.pupilClass = QStringLiteral("05 5 класс");
        run->pupil.testFolder = folder.path() + u'/';
        form.load();
        form.show();
    }
    QTemporaryDir folder;
    const QString testPath = largestTest(folder);
    const std::unique_ptr<QuizRun> run = std::make_unique<QuizRun>();
    QtServices services;
    const QTemporaryDir journals;
    FrmGl form{*run, services, DeskSetup{journals.path(), {}}};
};

void BM_StartLargestQuiz(benchmark::State& bench)
{
    LargestQuizDesk desk;
    for (auto _ : bench) {
        // The start replaces the quiz path by the answer key's.
        desk.run->pupil.testPath = desk.testPath;
        if (startQuiz(*desk.run, desk.services).outcome != QuizStart::Outcome::Started)
            bench.SkipWithError("the quiz did not start");
        desk.form.showRun();
    }
    bench.counters["asked"] = desk.run->header.askCount;
    bench.counters["options"] = digitValue(desk.run->questionBank(350).optionCount);
}
BENCHMARK(BM_StartLargestQuiz)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// A move and a tick on the largest quiz, each followed by the journal that keeps
// the running quiz on this computer.
void journalledAction(benchmark::State& bench, const char* control)
{
    LargestQuizDesk desk;
    desk.run->pupil.testPath = desk.testPath;
    desk.form.findChild<QPushButton*>(QStringLiteral("cmdBegin"))->click();
    auto* target = desk.form.findChild<QAbstractButton*>(QString::fromLatin1(control));
    for (auto _ : bench)
        target->click();
    bench.counters["journal_KB"] = double(QDir(desk.journals.path()).entryInfoList(QDir::Files).value(0).size()) / 1024;
}

void BM_MoveWithJournal(benchmark::State& bench)
{
    journalledAction(bench, "cmdNapravo");
}
BENCHMARK(BM_MoveWithJournal)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TickWithJournal(benchmark::State& bench)
{
    journalledAction(bench, "Otv(0)");
}
BENCHMARK(BM_TickWithJournal)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
