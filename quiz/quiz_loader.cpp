#include "quiz/quiz_loader.h"

#include "quiz/draw.h"
#include "quiz/quiz_files.h"

#include "runtime/seqfile.h"

#include <exception>
#include <new>

namespace {

void readPointsFile(const QString& path, int questionCount, QuestionBank& bank)
{
    try {
        InputFile points(path, TextSource::Authored);
        readPoints(points.reader(), questionCount, bank);
    } catch (const RunError&) {
        // The points file is optional: without it every question is worth 0.
    }
}

LoadedQuiz readAndDraw(const QString& testPath, Services& services)
{
    LoadedQuiz result;
    QuestionBank& bank = result.questionBank;
    Attempt& attempt = result.attempt;
    const auto fail = [&](const RunError& error, const QString& file) {
        result.failure = error;
        result.failedFile = file;
    };

    std::optional<InputFile> testFile;
    QString pointsPath;
    try {
        testFile.emplace(testPath, TextSource::Authored);
        readQuizHeader(testFile->reader(), result.pupil, result.header);
        pointsPath = existingFileIgnoringCase(siblingFileName(testPath, u".tsb"));
    } catch (const RunError& error) {
        result.headerFailure = true;
        fail(error, testPath);
        return result;
    }

    const int questionCount = result.header.questionCount;
    readPointsFile(pointsPath, questionCount, bank);
    try {
        readQuestionBodies(testFile->reader(), questionCount, bank);
    } catch (const RunError& error) {
        fail(error, testPath);
        return result;
    }
    testFile.reset();

    try {
        result.pupil.testPath = existingFileIgnoringCase(siblingFileName(testPath, u".ts1"));
        std::optional<InputFile> keyFile;
        try {
            keyFile.emplace(result.pupil.testPath, TextSource::Authored);
        } catch (const RunError& error) {
            throw RunError(error.number(), error.description() + QStringLiteral(" (файл ключа к тесту)"));
        }
        readAnswerKey(keyFile->reader(), questionCount, bank, attempt);
    } catch (const RunError& error) {
        fail(error, result.pupil.testPath);
        return result;
    }

    try {
        drawQuestions(services, result.header, attempt);
        exchangeDrawnQuestions(result.header, bank, attempt);
        shuffleOptions(services, result.header, bank, attempt);
    } catch (const RunError& error) {
        fail(error, testPath);
        return result;
    }
    return result;
}

} // namespace

LoadedQuiz loadQuiz(const QString& testPath, Services& services)
{
    // Whatever nobody foresaw while reading a quiz sends the pupil back to the
    // selection like any unreadable quiz; it must not end the program.
    const auto unforeseen = [&](int number, const QString& detail) {
        LoadedQuiz failed;
        failed.failure = runError(number, QStringLiteral("при чтении теста %1 (%2)").arg(testPath, detail));
        failed.failedFile = testPath;
        return failed;
    };
    try {
        return readAndDraw(testPath, services);
    } catch (const std::bad_alloc&) {
        return unforeseen(ErrorNumber::OutOfMemory, QStringLiteral("памяти не хватило"));
    } catch (const std::exception& error) {
        return unforeseen(ErrorNumber::InternalError, QString::fromLocal8Bit(error.what()));
    }
}

void commitLoadedQuiz(const LoadedQuiz& result, QuizRun& run)
{
    if (result.failure)
        return;
    takeQuizRead(run, result.pupil, result.header, result.questionBank);
    run.attempt.correctFlags = result.attempt.correctFlags;
    run.attempt.correctTyped = result.attempt.correctTyped;
    run.attempt.answerFlags = result.attempt.answerFlags;
    run.attempt.drawNumbers = result.attempt.drawNumbers;
}
