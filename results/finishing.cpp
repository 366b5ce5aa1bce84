#include "results/finishing.h"

#include "results/file_retry.h"
#include "results/result_files.h"

#include "runtime/services.h"

std::optional<FinishedQuiz> finishQuiz(QuizRun& run, const PupilAnswers& onScreen, Services& services)
{
    if (run.stage == QuizStage::Finished)
        return std::nullopt;
    run.stage = QuizStage::Finished;
    takeOverScreen(run, onScreen);

    FinishedQuiz finished;
    finished.protocol = protocolHead(run.pupil, dateTimeText(run.attempt.startTime), dateTimeText(services.now()));
    const Checking checking = checkAll(run.questionBank, run.header, run.attempt);
    finished.score = checking.score;
    run.attempt.pointsTotal = checking.score.pointsTotal;
    run.attempt.pointsScored = checking.score.pointsScored;
    for (std::size_t k = 0; k < checking.verdicts.size(); ++k)
        finished.protocol << protocolLine(checking.verdicts[k], run.questionBank(int(k) + 1).questionText);
    finished.protocol << protocolSummary(run.headerScreen.asked, checking.score);
    finished.percentLabel = percentLabel(checking.score.percentDone);
    finished.markLabel = markLabel(checking.score.mark);
    return finished;
}

void writeResults(const QuizRun& run, const FinishedQuiz& finished, Services& services,
                  std::chrono::milliseconds lockWait)
{
    const PupilRecord& pupil = run.pupil;
    FileRetry retry{services, lockWait};
    writeProtocol(retry, inTestFolder(pupil, protocolFileName(pupil, run.headerScreen.topic)), finished.protocol);
    const QString registerPath = inTestFolder(pupil, registerFileName(pupil));
    if (appendRegisterLine(retry, registerPath, registerLine(pupil, finished.score, dateTimeText(services.now()))))
        rebuildStatistics(retry, registerPath, inTestFolder(pupil, statisticsFileName(pupil)));
}

void showResult(const QuizRun& run, const FinishedQuiz& finished, Services& services)
{
    services.beep();
    services.messageBox(resultMessage(run.headerScreen.asked, finished.score, run.header.markThresholds),
                        MessageIcon::Information, resultTitle(run.pupil));
    services.endProgram();
}
