// The data part of the finishing and the statistics rebuild, against registers
// of a real school year and beyond.
#include "results/checking.h"
#include "results/file_retry.h"
#include "results/result_files.h"

#include "quiz/quiz_run.h"

#include "runtime/cp1251.h"
#include "runtime/services.h"
#include "tests/support/unattended_services.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

PupilRecord benchPupil(const QString& folder)
{
    PupilRecord pupil;
    pupil.testFolder = folder + QLatin1Char('/');
    pupil.pupilName = QStringLiteral("Иванов Иван");
    pupil.pupilClass = QStringLiteral("10 5 класс");
    pupil.pupilClass10 = pupil.pupilClass;
    pupil.topic = QStringLiteral("Столицы государств");
    pupil.variantNo = QStringLiteral("1");
    return pupil;
}

// A register of `lines` lines with marks 5, 4, 3, 2 in turn, written in one piece.
void writeRegister(const QString& path, int lines)
{
    const PupilRecord pupil = benchPupil(QString());
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        const Score score{20, 10 + i % 10, 75.0f, 5 - i % 4};
        bytes += toCp1251(registerLine(pupil, score, QStringLiteral("07.12.2026 9:05:03"))) + "\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

void BM_StatisticsRebuild(benchmark::State& state)
{
    QTemporaryDir dir;
    const PupilRecord pupil = benchPupil(dir.path());
    const QString registerPath = inTestFolder(pupil, registerFileName(pupil));
    writeRegister(registerPath, int(state.range(0)));
    UnattendedServices services;
    FileRetry retry{services};
    for (auto _ : state) {
        if (!rebuildStatistics(retry, registerPath, inTestFolder(pupil, statisticsFileName(pupil))))
            state.SkipWithError("statistics not written");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StatisticsRebuild)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Check, protocol, register append and statistics for 350 asked questions.
void BM_FinishingDataPart(benchmark::State& state)
{
    QTemporaryDir dir;
    auto run = std::make_unique<QuizRun>();
    Attempt& attempt = run->attempt;
    run->pupil = benchPupil(dir.path());
    run->header.askCount = 350;
    run->header.markThresholds(1) = 80;
    run->header.markThresholds(2) = 60;
    run->header.markThresholds(3) = 40;
    for (int i = 1; i <= 350; ++i) {
        QuestionRecord& q = run->questionBank(i);
        q.points = std::int16_t(1 + i % 3);
        q.questionText = QStringLiteral("Вопрос %1: какой из ответов верен? Подумайте и отметьте его в списке ниже.").arg(i);
        if (i % 5 == 0) {
            q.answerForm = u'2';
            attempt.correctTyped(i) = QStringLiteral("Москва$Moscow$Мск");
            attempt.typedAnswers(i) = i % 10 == 0 ? QStringLiteral("  moscow ") : QStringLiteral("Питер");
        } else {
            q.answerForm = u'1';
            q.optionCount = u'4';
            attempt.correctFlags(1 + i % 4, i) = 1;
            attempt.answerFlags(1 + (i % 3 == 0 ? 0 : i % 4), i) = 1;
        }
    }
    const PupilRecord& pupil = run->pupil;
    const QString registerPath = inTestFolder(pupil, registerFileName(pupil));
    writeRegister(registerPath, 100'000);
    UnattendedServices services;
    FileRetry retry{services};
    for (auto _ : state) {
        QStringList protocol = protocolHead(pupil, QStringLiteral("07.12.2026 9:00:00"), dateTimeText(services.now()));
        const Checking checking = checkAll(run->questionBank, run->header, attempt);
        for (std::size_t k = 0; k < checking.verdicts.size(); ++k)
            protocol << protocolLine(checking.verdicts[k], run->questionBank(int(k) + 1).questionText);
        protocol << protocolSummary(QStringLiteral("350"), checking.score);
        const bool written =
            writeProtocol(retry, inTestFolder(pupil, protocolFileName(pupil, pupil.topic.text())), protocol)
            && appendRegisterLine(retry, registerPath, registerLine(pupil, checking.score, dateTimeText(services.now())))
            && rebuildStatistics(retry, registerPath, inTestFolder(pupil, statisticsFileName(pupil)));
        if (!written)
            state.SkipWithError("result files not written");
    }
}
BENCHMARK(BM_FinishingDataPart)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
