#include "tests/results/writer_lines.h"

#include "results/result_files.h"
#include "tests/support/files.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kWriters = 8;
constexpr int kLinesEach = 25;

TEST(ConcurrentRegister, EveryLineOfEveryWriterArrivesWholeAndStatisticsAgree)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 1; w <= kWriters; ++w) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(QStringLiteral(REGISTER_WRITER),
                              {QStringLiteral("append"), folder, QString::number(w), QString::number(kLinesEach)});
    }
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
    }

    QStringList expected;
    MarkCounts expectedCounts;
    for (int w = 1; w <= kWriters; ++w) {
        for (int line = 1; line <= kLinesEach; ++line) {
            const Score score = writerScore(w, line);
            expected << registerLine(writerPupil(folder, w, line), score, kWriterTime);
            switch (score.mark) {
            case 5: ++expectedCounts.count5; break;
            case 4: ++expectedCounts.count4; break;
            case 3: ++expectedCounts.count3; break;
            default: ++expectedCounts.count2; break;
            }
        }
    }
    const PupilRecord pupil = writerPupil(folder, 1, 1);
    QStringList written = readLines(inTestFolder(pupil, registerFileName(pupil)));
    ASSERT_EQ(written.size(), kWriters * kLinesEach);
    // Each writer's lines in its own order, none torn or mixed with another's.
    for (int w = 1; w <= kWriters; ++w) {
        QStringList own;
        for (const QString& line : written) {
            if (line.startsWith(QStringLiteral("Писатель %1 ").arg(w)))
                own << line;
        }
        EXPECT_EQ(own, expected.mid((w - 1) * kLinesEach, kLinesEach)) << "writer " << w;
    }
    written.sort();
    expected.sort();
    EXPECT_EQ(written, expected);
    // The statistics file the last writer left has seen every line.
    EXPECT_EQ(readLines(inTestFolder(pupil, statisticsFileName(pupil))), statisticsLines(expectedCounts));
}

} // namespace
