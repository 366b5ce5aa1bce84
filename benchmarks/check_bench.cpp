// The teacher's check of a school's whole test folder: 1,000 quizzes of 350
// questions in ten subfolders, with points, keys and pictures (read by their
// headers only), as the command line and the window run it.
#include "check/folder_check.h"

#include "runtime/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "benchmarks/bench_files.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kFolders = 10;
constexpr int kQuizzesPerFolder = 100;
constexpr int kQuestions = 350;

const QStringList kPictures = {"krug.jpg",      "kvadrat.jpg",   "pryamougolnik.jpg", "romb.jpg",
                               "shestiugolnik.jpg", "trapeciya.jpg", "treugolnik.jpg",    "ugol.jpg"};

// Tick questions of six options and typed ones; every tenth question shows a
// picture, every tenth tick question six pictures as its options.
void writeQuiz(const QString& folder, int number)
{
    QStringList quiz = {QStringLiteral("Геометрия"), QStringLiteral("Итоговый тест %1").arg(number), "1", "60",
                        QString::number(kQuestions), "30", "85,65,45"};
    QStringList points, key;
    for (int q = 1; q <= kQuestions; ++q) {
        const QString text = QStringLiteral("Вопрос %1 теста %2: что верно о фигуре с %3 сторонами?")
                                 .arg(q)
                                 .arg(number)
                                 .arg(q % 9 + 3);
        if (q % 3 == 0) {
            quiz << "2" << "1" << (q % 10 == 0 ? kPictures[q % 8] + u';' + text : text) << "";
            key << QStringLiteral("%1$%2 сторон").arg(q % 9 + 3).arg(q % 9 + 3);
        } else {
            quiz << "1" << "6" << (q % 10 == 0 ? kPictures[q % 8] + u';' + text : text);
            for (int j = 1; j <= 6; ++j)
                quiz << (q % 10 == 5 ? kPictures[(q + j) % 8] : QStringLiteral("Утверждение %1").arg(j));
            key << "224456";
        }
        points << QString::number(q % 4 + 1);
    }
    const QString stem = QStringLiteral("%1/Тест %2").arg(folder).arg(number);
    writeLines(stem + ".tst", quiz);
    writeLines(stem + ".tsb", points);
    writeLines(stem + ".ts1", key);
}

const QTemporaryDir& schoolFolder()
{
    static const QTemporaryDir root;
    static bool written = false;
    if (!written) {
        written = true;
        for (int f = 1; f <= kFolders; ++f) {
            const QString folder = root.filePath(QStringLiteral("Класс %1").arg(f));
            QDir().mkpath(folder);
            for (const QString& picture : kPictures)
                QFile::copy(QStringLiteral(SHKOLNIK_SOURCE_DIR "/examples/classroom/") + picture,
                            folder + u'/' + picture);
            for (int q = 1; q <= kQuizzesPerFolder; ++q)
                writeQuiz(folder, (f - 1) * kQuizzesPerFolder + q);
        }
        writeLines(root.filePath("Klass.txt"), {QStringLiteral("05 5 класс"), QStringLiteral("06 6 класс")});
    }
    return root;
}

void BM_CheckSchoolFolder(benchmark::State& bench)
{
    const QString folder = schoolFolder().path();
    CheckReport report;
    for (auto _ : bench) {
        report = checkTargets(findTargets({folder}));
        if (report.quizzes != kFolders * kQuizzesPerFolder || report.withErrors + report.withWarnings > 0)
            bench.SkipWithError("the school folder did not check clean");
    }
    bench.counters["quizzes"] = report.quizzes;
    bench.counters["findings"] = double(report.findings.size());
}
BENCHMARK(BM_CheckSchoolFolder)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
