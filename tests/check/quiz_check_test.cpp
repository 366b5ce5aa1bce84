// The teacher's check against the pupil's own load, over the sample folders, the
// fuzzing seeds and hundreds of spoilt copies of a good quiz.
#include "check/check_services.h"
#include "check/folder_check.h"
#include "check/quiz_check.h"

#include "quiz/quiz_loader.h"
#include "runtime/cp1251.h"
#include "tests/support/files.h"
#include "tests/support/unattended_services.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const QString kSource = QStringLiteral(SHKOLNIK_SOURCE_DIR);

// A draw other than the checker's: the golden ratio's steps round the unit interval.
class OtherDraw : public UnattendedServices {
public:
    double rnd() override { return value_ = std::fmod(value_ + 0.6180339887, 1.0); }

private:
    double value_ = 0;
};

bool refusal(const Finding& finding)
{
    return finding.code == QStringLiteral("quiz.refused") || finding.code == QStringLiteral("key.refused");
}

// Whatever the draw: the check reports the load's failure with its description,
// file and line, and has no other error of the load when the load succeeds.
// True when the load failed.
bool expectAgreesWithTheLoad(const QString& quizPath)
{
    SCOPED_TRACE(quizPath.toStdString());
    CheckServices services;
    const auto loaded = std::make_unique<LoadedQuiz>(loadQuiz(quizPath, services));
    OtherDraw otherDraw;
    EXPECT_EQ(bool(loadQuiz(quizPath, otherDraw).failure), bool(loaded->failure));

    const std::vector<Finding> found = checkQuiz(quizPath);
    const auto refused = std::find_if(found.begin(), found.end(), refusal);
    if (!loaded->failure) {
        EXPECT_EQ(refused, found.end()) << refused->message.toStdString();
        return false;
    }
    if (refused == found.end()) {
        ADD_FAILURE() << "not reported: " << loaded->failure->description().toStdString();
        return true;
    }
    EXPECT_EQ(refused->severity, Severity::Error);
    EXPECT_EQ(refused->message, loaded->failure->description());
    EXPECT_EQ(refused->file, loaded->failedFile);
    EXPECT_EQ(std::count_if(found.begin(), found.end(), refusal), 1);
    // The line carried is the line the description names.
    const QRegularExpressionMatch named = QRegularExpression(QStringLiteral("строка (\\d+)")).match(refused->message);
    EXPECT_EQ(refused->line, named.hasMatch() ? named.captured(1).toInt() : 0) << refused->message.toStdString();
    return true;
}

QStringList quizzesIn(const QString& folder)
{
    return findTargets({folder}).quizzes;
}

TEST(CheckAgreesWithTheLoad, OnTheSampleFolders)
{
    for (const char* folder : {"/examples/classroom", "/examples/broken", "/fuzz/corpus"})
        for (const QString& quiz : quizzesIn(kSource + QLatin1String(folder)))
            expectAgreesWithTheLoad(quiz);
}

// Every fuzzing seed read as a quiz, as points and as the key of every other.
TEST(CheckAgreesWithTheLoad, OnTheFuzzingSeedsCrossed)
{
    const QDir corpus(kSource + QStringLiteral("/fuzz/corpus"));
    const QStringList seeds = corpus.entryList(QDir::Files);
    QTemporaryDir dir;
    for (const QString& quiz : seeds)
        for (const QString& key : seeds) {
            writeBytes(dir.filePath("q.tst"), readBytes(corpus.filePath(quiz)));
            writeBytes(dir.filePath("q.tsb"), readBytes(corpus.filePath(quiz)));
            writeBytes(dir.filePath("q.ts1"), readBytes(corpus.filePath(key)));
            SCOPED_TRACE((quiz + u' ' + key).toStdString());
            expectAgreesWithTheLoad(dir.filePath("q.tst"));
        }
}

// Each line of the quiz file and of the key cut off, emptied, doubled or
// replaced by numbers and words out of place.
TEST(CheckAgreesWithTheLoad, OnSpoiltCopiesOfAGoodQuiz)
{
    const QString sample = kSource + QStringLiteral("/examples/classroom/Фигуры на плоскости");
    const QStringList quiz = readLines(sample + ".tst");
    const QStringList key = readLines(sample + ".ts1");
    const QStringList replacements = {"", "0", "7", "10", "x", "1,2", "-1", "70000", "2$"};
    QTemporaryDir dir;
    const QString path = dir.filePath("q.tst");
    writeLines(dir.filePath("q.tsb"), readLines(sample + ".tsb"));
    int refused = 0, started = 0;
    const auto spoil = [&](const QStringList& lines, bool isKey) {
        const auto check = [&](const QStringList& spoilt) {
            writeLines(path, isKey ? quiz : spoilt);
            writeLines(dir.filePath("q.ts1"), isKey ? spoilt : key);
            ++(expectAgreesWithTheLoad(path) ? refused : started);
        };
        for (int i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(QStringLiteral("%1 line %2").arg(isKey ? "key" : "quiz").arg(i + 1).toStdString());
            check(lines.mid(0, i));
            QStringList doubled = lines;
            doubled.insert(i, lines[i]);
            check(doubled);
            for (const QString& replacement : replacements) {
                QStringList replaced = lines;
                replaced[i] = replacement;
                check(replaced);
            }
        }
    };
    spoil(quiz, false);
    spoil(key, true);
    EXPECT_GT(refused, 200);
    EXPECT_GT(started, 100);
}

// What the checker finds in the sample of broken tests, one test for each kind of finding.
TEST(CheckOfTheSampleFolders, BrokenGivesItsGoldenFindings)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(kSource);
    const CheckReport report = checkTargets(findTargets({QStringLiteral("examples/broken")}));
    QDir::setCurrent(previous);
    const QStringList actual = QString::fromUtf8(findingsJson(report.findings)).split(u'\n');
    const QStringList golden =
        QString::fromUtf8(readBytes(kSource + QStringLiteral("/tests/check/broken_findings.json"))).split(u'\n');
    for (int i = 0; i < std::max(actual.size(), golden.size()); ++i)
        ASSERT_EQ(actual.value(i), golden.value(i)) << "line " << i + 1 << " of broken_findings.json";
    EXPECT_EQ(summaryText(report), QStringLiteral("29 тестов и 3 списка классов: 11 с ошибками, 20 с предупреждениями"));
}

TEST(CheckOfTheSampleFolders, ClassroomHasNoErrorAndNoWarning)
{
    const CheckReport report = checkTargets(findTargets({kSource + QStringLiteral("/examples/classroom")}));
    EXPECT_EQ(report.quizzes, 3);
    EXPECT_EQ(report.classLists, 1);
    for (const Finding& finding : report.findings)
        EXPECT_EQ(finding.severity, Severity::Note) << findingText(finding).toStdString();
}

// Quizzes in any letter case, each class list once, and no way round a link back up.
TEST(FindTargets, WalksSubfoldersWithoutFollowingLinks)
{
    QTemporaryDir dir;
    QDir root(dir.path());
    root.mkpath("Классы/7");
    for (const char* name : {"A.TST", "Классы/7/b.tst", "Klass.txt", "klass.txt", "Классы/klass.txt", "notes.txt"})
        writeLines(root.filePath(QString::fromUtf8(name)), {"1"});
    ASSERT_TRUE(QFile::link(dir.path(), root.filePath("Классы/7/наверх")));
    const CheckTargets targets = findTargets({dir.path() + "/"});
    EXPECT_EQ(targets.quizzes, QStringList({root.filePath("A.TST"), root.filePath("Классы/7/b.tst")}));
    EXPECT_EQ(targets.classLists, QStringList({root.filePath("Klass.txt"), root.filePath("Классы/klass.txt")}));
}

} // namespace
