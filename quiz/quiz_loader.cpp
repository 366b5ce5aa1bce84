#include "quiz/quiz_loader.h"

#include "quiz/draw.h"
#include "quiz/quiz_files.h"

#include "runtime/seqfile.h"

namespace {

void readPointsFile(const QString& path, int questionCount, QuestionBank& bank)
{
    try {
        InputFile points(path);
        readPoints(points.reader(), questionCount, bank);
    } catch (const RunError&) {
        // The points file is optional: without it every question is worth 0.
    }
}

} // namespace

LoadedQuiz loadQuiz(const QString& testPath, Services& services)
{
    LoadedQuiz result;
    Session& session = result.session;
    Attempt& state = result.state;
    const auto fail = [&](const RunError& error, const QString& file) {
        result.failure = error;
        result.failedFile = file;
    };

    std::optional<InputFile> testFile;
    QString pointsPath;
    try {
        testFile.emplace(testPath);
        readQuizHeader(testFile->reader(), session.pupil, session.header);
        pointsPath = existingFileIgnoringCase(siblingFileName(testPath, u".tsb"));
    } catch (const RunError& error) {
        result.headerFailure = true;
        fail(error, testPath);
        return result;
    }

    const int questionCount = session.header.questionCount;
    readPointsFile(pointsPath, questionCount, session.questionBank);
    try {
        readQuestionBodies(testFile->reader(), questionCount, session.questionBank);
    } catch (const RunError& error) {
        fail(error, testPath);
        return result;
    }
    testFile.reset();

    try {
        session.pupil.testPath = existingFileIgnoringCase(siblingFileName(testPath, u".ts1"));
        std::optional<InputFile> keyFile;
        try {
            keyFile.emplace(session.pupil.testPath);
        } catch (const RunError& error) {
            throw RunError(error.number(), error.description() + QStringLiteral(" (файл ключа к тесту)"));
        }
        readAnswerKey(keyFile->reader(), questionCount, session.questionBank, state);
    } catch (const RunError& error) {
        fail(error, session.pupil.testPath);
        return result;
    }

    try {
        drawQuestions(services, session.header, state);
        exchangeDrawnQuestions(session.header, session.questionBank, state);
        shuffleOptions(services, session.header, session.questionBank, state);
    } catch (const RunError& error) {
        fail(error, testPath);
        return result;
    }
    return result;
}

void commitLoadedQuiz(const LoadedQuiz& result, Session& session, Attempt& state)
{
    if (result.failure)
        return;
    session.pupil.subject = result.session.pupil.subject;
    session.pupil.topic = result.session.pupil.topic;
    session.pupil.variantNo = result.session.pupil.variantNo;
    session.pupil.testPath = result.session.pupil.testPath;
    session.header = result.session.header;
    session.questionBank = result.session.questionBank;
    state.correctFlags = result.state.correctFlags;
    state.correctTyped = result.state.correctTyped;
    state.answerFlags = result.state.answerFlags;
    state.drawNumbers = result.state.drawNumbers;
}
