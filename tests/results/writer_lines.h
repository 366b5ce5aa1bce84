#pragma once

#include "results/checking.h"
#include "quiz/question_bank.h"

#include <QString>

// The register lines the concurrent writers append: line `line` of writer `writer`.
inline PupilRecord writerPupil(const QString& folder, int writer, int line)
{
    PupilRecord pupil;
    pupil.testFolder = folder;
    pupil.pupilClass = QStringLiteral("10 5 класс");
    pupil.topic = QStringLiteral("Одновременная запись");
    pupil.variantNo = QStringLiteral("1");
    pupil.pupilName = QStringLiteral("Писатель %1 строка %2").arg(writer).arg(line);
    return pupil;
}

inline Score writerScore(int writer, int line)
{
    Score score;
    score.pointsScored = (writer * 25 + line) % 100;
    score.mark = 5 - (writer + line) % 4;
    score.percentDone = float(score.pointsScored);
    return score;
}

inline const QString kWriterTime = QStringLiteral("07.12.2026 9:05:03");
