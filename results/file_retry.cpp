#include "results/file_retry.h"

#include "results/result_files.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace {

constexpr int kPollMs = 50;
// Rebuilds in a row while other computers keep appending; the next finishing rebuilds again.
constexpr int kMaxStatisticsRounds = 20;

// A write lock refused by another program, as opposed to a folder or file we may never write.
bool heldByAnother(const RunError& error, const QString& path)
{
    const QFileInfo info(path);
    return error.number() == ErrorNumber::PermissionDenied && info.exists() && info.isWritable();
}

void waitAMoment(std::chrono::milliseconds span)
{
    // The labels with the mark are already up: keep them painted while we wait.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(static_cast<unsigned long>(span.count()));
}

QString question(const QString& what, const RunError& error)
{
    return what + QStringLiteral("\n") + error.description()
           + QStringLiteral("\n\nЕсли файл открыт на другом компьютере или в другой программе, закройте его "
                            "(или позовите учителя) и нажмите «Повторить». «Отмена» — продолжить без этого файла; "
                            "ваш результат всё равно будет показан.");
}

} // namespace

bool retryFileOperation(FileRetry& retry, const QString& path, const QString& what,
                        const std::function<void()>& operation)
{
    for (;;) {
        QDeadlineTimer deadline(retry.lockWait);
        for (;;) {
            try {
                operation();
                return true;
            } catch (const RunError& error) {
                if (heldByAnother(error, path) && !deadline.hasExpired()) {
                    waitAMoment(std::min(std::chrono::milliseconds(kPollMs),
                                   std::chrono::milliseconds(deadline.remainingTime())));
                    continue;
                }
                if (!retry.services.askRetry(question(what, error), QStringLiteral("Запись результатов")))
                    return false;
                break;
            }
        }
    }
}

bool writeProtocol(FileRetry& retry, const QString& path, const QStringList& lines)
{
    return retryFileOperation(retry, path, QStringLiteral("Не удалось записать протокол ответов."), [&] {
        OutputFile file(path, WriteMode::Replace);
        for (const QString& line : lines)
            file.print(line);
        file.close();
    });
}

bool appendRegisterLine(FileRetry& retry, const QString& registerPath, const QString& line)
{
    return retryFileOperation(retry, registerPath, QStringLiteral("Не удалось дописать результат в журнал класса."),
                              [&] {
                                  OutputFile file(registerPath, WriteMode::Append, true);
                                  file.print(line);
                                  file.close();
                              });
}

bool rebuildStatistics(FileRetry& retry, const QString& registerPath, const QString& statisticsPath)
{
    return retryFileOperation(retry, statisticsPath, QStringLiteral("Не удалось обновить статистику теста."), [&] {
        // Another computer may append and rebuild meanwhile, and the rebuild put in
        // place last must have seen every line: once ours is in place, a register
        // that grew since we began is read again.
        for (int round = 0; round < kMaxStatisticsRounds; ++round) {
            const qint64 lengthRead = QFileInfo(registerPath).size();
            InputFile registerFile(registerPath, TextSource::Ours);
            const QStringList lines = statisticsLines(countMarks(registerFile.reader()));
            // Put in place whole: two computers rebuilding at once leave one rebuild or the other.
            OutputFile statistics(statisticsPath, WriteMode::Replace);
            for (const QString& line : lines)
                statistics.print(line);
            statistics.close();
            if (QFileInfo(registerPath).size() == lengthRead)
                return;
        }
    });
}
