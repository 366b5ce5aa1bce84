#include "results/file_retry.h"

#include "tests/support/files.h"
#include "tests/support/recording_services.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace std::chrono_literals;

namespace {

// Another computer's finishing program, holding the register's write lock.
class LockHolder {
public:
    LockHolder(const QString& file, int holdMs)
    {
        process_.start(QStringLiteral(REGISTER_WRITER), {QStringLiteral("hold"), file, QString::number(holdMs)});
        const bool ready = process_.waitForReadyRead(10000);
        EXPECT_TRUE(ready) << process_.readAllStandardError().toStdString();
        EXPECT_EQ(process_.readLine().trimmed(), QByteArray("locked"));
    }
    ~LockHolder() { release(); }
    void release()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

private:
    QProcess process_;
};

struct Folder {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

const QString kLine = QStringLiteral("Иванов Иван               5 класс 1  15 4 75% 07.12.2026 9:05:03");

TEST(RegisterAppend, WaitsForAnotherComputerToLetGo)
{
    Folder folder;
    const QString file = folder.path(QStringLiteral("5 класс_Дроби_1.doc"));
    writeLines(file, {QStringLiteral("первая строка")});
    RecordingServices services;
    FileRetry retry{services, 10s};
    LockHolder holder(file, 2000);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(appendRegisterLine(retry, file, kLine));
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_EQ(readLines(file), (QStringList{QStringLiteral("первая строка"), kLine}));
}

TEST(RegisterAppend, AsksAfterTheWaitAndTriesAgain)
{
    Folder folder;
    const QString file = folder.path(QStringLiteral("5 класс_Дроби_1.doc"));
    writeLines(file, {});
    RecordingServices services;
    FileRetry retry{services, 300ms};
    LockHolder holder(file, 60000);
    // The pupil fetches the teacher, who closes the register on the other computer.
    services.onMessage = [&](const MessageRecord&) { holder.release(); };
    services.retryAnswers = {true};
    EXPECT_TRUE(appendRegisterLine(retry, file, kLine));
    const MessageRecord question = services.takeMessage();
    EXPECT_TRUE(question.question);
    EXPECT_TRUE(question.text.contains(file)) << question.text.toStdString();
    EXPECT_TRUE(question.text.contains(QStringLiteral("занят другой программой"))) << question.text.toStdString();
    EXPECT_EQ(readLines(file), QStringList{kLine});
}

TEST(RegisterAppend, GivingUpLeavesTheRegisterAlone)
{
    Folder folder;
    const QString file = folder.path(QStringLiteral("5 класс_Дроби_1.doc"));
    writeLines(file, {QStringLiteral("первая строка")});
    RecordingServices services;
    FileRetry retry{services, 100ms};
    LockHolder holder(file, 60000);
    services.retryAnswers = {true, false};
    // After «Повторить» the register is waited for again before the pupil is asked again.
    QElapsedTimer clock;
    std::vector<qint64> askedAt;
    services.onMessage = [&](const MessageRecord&) { askedAt.push_back(clock.elapsed()); };
    clock.start();
    EXPECT_FALSE(appendRegisterLine(retry, file, kLine));
    ASSERT_EQ(askedAt.size(), 2u);
    EXPECT_GE(askedAt[1] - askedAt[0], 100);
    EXPECT_TRUE(services.takeMessage().question);
    EXPECT_TRUE(services.takeMessage().question);
    EXPECT_EQ(readLines(file), QStringList{QStringLiteral("первая строка")});
}

TEST(ResultFiles, AFileThatCannotBeCreatedIsReportedAtOnce)
{
    Folder folder;
    const QString file = folder.path(QStringLiteral("7б_Дроби_Иванов Иван_1.otv"));
    ASSERT_TRUE(QDir().mkdir(file));
    RecordingServices services;
    FileRetry retry{services, 10s};
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(writeProtocol(retry, file, {QStringLiteral("строка")}));
    EXPECT_LT(clock.elapsed(), 5000);
    const MessageRecord question = services.takeMessage();
    EXPECT_TRUE(question.question);
    EXPECT_TRUE(question.text.contains(QStringLiteral("протокол"))) << question.text.toStdString();
    EXPECT_TRUE(question.text.contains(file)) << question.text.toStdString();
}

TEST(ResultFiles, ReadOnlyFolderIsReported)
{
#ifndef Q_OS_WIN
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions do not deny writing";
#endif
    Folder folder;
    ASSERT_TRUE(QFile::setPermissions(folder.dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    RecordingServices services;
    FileRetry retry{services, 10s};
    const QString file = folder.path(QStringLiteral("5 класс_Дроби_1.doc"));
    EXPECT_FALSE(appendRegisterLine(retry, file, kLine));
    EXPECT_TRUE(services.takeMessage().text.contains(file));
    QFile::setPermissions(folder.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(Statistics, RebuiltEmptyWhenNothingCounts)
{
    Folder folder;
    const QString registerFile = folder.path(QStringLiteral("5 класс_Дроби_1.doc"));
    const QString statistics = folder.path(QStringLiteral("5 класс_S_Дроби_1.doc"));
    writeLines(registerFile, {QStringLiteral("короткая строка")});
    writeLines(statistics, {QStringLiteral("Статистика сдачи теста"), QStringLiteral("старое")});
    RecordingServices services;
    FileRetry retry{services};
    EXPECT_TRUE(rebuildStatistics(retry, registerFile, statistics));
    EXPECT_TRUE(QFile::exists(statistics));
    EXPECT_EQ(readBytes(statistics), QByteArray());
}

TEST(Statistics, AMissingRegisterIsReported)
{
    Folder folder;
    RecordingServices services;
    FileRetry retry{services};
    const QString registerFile = folder.path(QStringLiteral("нет.doc"));
    EXPECT_FALSE(rebuildStatistics(retry, registerFile, folder.path(QStringLiteral("S.doc"))));
    EXPECT_TRUE(services.takeMessage().text.contains(registerFile));
}

} // namespace
