// "Начать" on the largest legal test: 350 questions of six options, with points
// and the answer key, read, drawn, shuffled and the first question shown.
#include "forms/frm_gl.h"
#include "quiz/session.h"
#include "quiz/quiz_start.h"

#include "runtime/cp1251.h"
#include "ui/qt_services.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void write(const QString& path, const QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    for (const QString& line : lines)
        file.write(toCp1251(line) + "\r\n");
}

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
    write(folder.filePath("big.tst"), test);
    write(folder.filePath("big.tsb"), points);
    write(folder.filePath("big.ts1"), key);
    return folder.filePath("big.tst");
}

void BM_StartLargestQuiz(benchmark::State& bench)
{
    QTemporaryDir folder;
    const QString testPath = largestTest(folder);
    auto session = std::make_unique<Session>();
    session->pupil.pupilName = QStringLiteral("Иванов Иван");
    session->pupil.testFolder = folder.path() + u'/';
    QtServices services;
    FrmGl form(*session, services);
    form.load();
    form.show();
    for (auto _ : bench) {
        // The start replaces the test path by the answer key's.
        session->pupil.testPath = testPath;
        startQuiz(form.controls(), *session, form.state(), services, [] {});
        if (!form.state().quizRunning)
            bench.SkipWithError("the test did not start");
    }
    bench.counters["asked"] = session->header.askCount;
    bench.counters["options"] = digitValue(session->questionBank(350).optionCount);
}
BENCHMARK(BM_StartLargestQuiz)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace
