#include "results/finishing.h"

#include "results/checking.h"
#include "results/file_retry.h"
#include "results/result_files.h"
#include "quiz/display.h"

#include "runtime/conversions.h"
#include "runtime/services.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>

void takeOverQuestion(const MainControls& controls, Session& session, Attempt& state)
{
    const int c = state.currentQuestion;
    if (c < 1 || c > kMaxQuestions)
        return;
    QuestionRecord& record = session.questionBank(c);
    record.answerForm = firstChar(controls.TxtVid.text());
    if (val(controls.TxtVid.text()) == 2)
        state.typedAnswers(c) = textOf(*controls.TxtOtvets[0]);
    record.optionCount = firstChar(controls.TxtOtvetov.text());
    record.questionText = textOf(controls.txtVopros);
    const int n = std::clamp(int(val(QString(record.optionCount))), 0, kMaxOptions);
    for (int j = 1; j <= n; ++j) {
        // A greyed box counts as not ticked, as when the pupil moves to another question.
        state.answerFlags(j, c) = controls.Otv[std::size_t(j - 1)]->checkState() == Qt::Checked ? 1 : 0;
    }
}

void finishQuiz(const MainControls& controls, Session& session, Attempt& state, Services& services,
                std::chrono::milliseconds lockWait)
{
    if (state.finished)
        return;
    state.finished = true;
    controls.form.setProperty(kKeyPreviewProperty, false);
    controls.Tmr.stop();
    controls.LblZ.hide();

    takeOverQuestion(controls, session, state);

    const PupilRecord& pupil = session.pupil;
    QStringList protocol = protocolHead(pupil, dateTimeText(state.startTime), dateTimeText(services.now()));

    const Checking checking = checkAll(session, state);
    const Score& score = checking.score;
    state.pointsTotal = score.pointsTotal;
    state.pointsScored = score.pointsScored;
    for (std::size_t k = 0; k < checking.verdicts.size(); ++k)
        protocol << protocolLine(checking.verdicts[k], session.questionBank(int(k) + 1).questionText);

    controls.LblProcent.show();
    controls.LblOcenka.show();
    controls.LblProcent.setText(percentLabel(score.percentDone));
    controls.LblOcenka.setText(markLabel(score.mark));

    const QString askedText = controls.TxtVsego.text();
    protocol << protocolSummary(askedText, score);
    FileRetry retry{services, lockWait};
    writeProtocol(retry, inTestFolder(pupil, protocolFileName(pupil, controls.txtTema.text())), protocol);
    const QString registerPath = inTestFolder(pupil, registerFileName(pupil));
    if (appendRegisterLine(retry, registerPath, registerLine(pupil, score, dateTimeText(services.now()))))
        rebuildStatistics(retry, registerPath, inTestFolder(pupil, statisticsFileName(pupil)));

    services.beep();
    services.messageBox(resultMessage(askedText, score, session.header.markThresholds), MessageIcon::Information,
                        resultTitle(pupil));
    services.endProgram();
}
