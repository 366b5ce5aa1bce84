#include "tests/support/result_folder.h"

#include "tests/support/unattended_services.h"

#include "results/file_retry.h"
#include "results/result_files.h"

#include <gtest/gtest.h>

void writeSitting(const QString& folder, const std::vector<QuizQuestion>& questions, const Sitting& sitting)
{
    PupilRecord pupil;
    pupil.pupilName = sitting.name;
    pupil.pupilClass = sitting.pupilClass;
    pupil.pupilClass10 = sitting.pupilClass;
    pupil.topic = sitting.topic;
    pupil.variantNo = sitting.variant;
    pupil.testFolder = folder + u'/';

    Score score;
    score.pointsTotal = std::int32_t(questions.size());
    QStringList protocol = protocolHead(pupil, dateTimeText(sitting.finished.addSecs(-600)), dateTimeText(sitting.finished));
    for (std::size_t k = 0; k < questions.size(); ++k) {
        Verdict verdict;
        verdict.typed = questions[k].typed;
        verdict.correct = sitting.right.at(k);
        verdict.correctFlags = QStringLiteral("010000");
        verdict.answerFlags = verdict.correct ? verdict.correctFlags : QStringLiteral("001000");
        verdict.typedAnswer = verdict.correct ? QString() : QStringLiteral("НЕ ЗНАЮ");
        protocol << protocolLine(verdict, questions[k].text);
        score.pointsScored += verdict.correct ? 1 : 0;
    }
    score.percentDone = percentOf(score.pointsScored, score.pointsTotal);
    score.mark = score.percentDone >= 85 ? 5 : score.percentDone >= 65 ? 4 : score.percentDone >= 45 ? 3 : 2;
    protocol << protocolSummary(QString::number(questions.size()), score);

    UnattendedServices services;
    FileRetry retry{services};
    const QString registerPath = inTestFolder(pupil, registerFileName(pupil));
    EXPECT_TRUE(writeProtocol(retry, inTestFolder(pupil, protocolFileName(pupil, pupil.topic.text())), protocol));
    EXPECT_TRUE(appendRegisterLine(retry, registerPath, registerLine(pupil, score, dateTimeText(sitting.finished))));
    EXPECT_TRUE(rebuildStatistics(retry, registerPath, inTestFolder(pupil, statisticsFileName(pupil))));
}
