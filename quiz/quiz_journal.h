#pragma once

#include "quiz/quiz_run.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

// How long an interrupted quiz may be taken up again.
constexpr qint64 kJournalLifetimeSeconds = 24 * 60 * 60;

// A quiz as its journal brought it back: the run as it stood when last written,
// the question on the screen with what the pupil had ticked and typed there.
struct InterruptedQuiz {
    std::unique_ptr<QuizRun> run;
};

// The running quiz kept on the pupil's own computer, so that a crash or a power
// cut loses nothing and a restart does not draw again. One file per pupil and
// quiz, in a folder of the pupil's own (never the shared test folder).
class QuizJournal {
public:
    explicit QuizJournal(QString folder);

    // The interrupted quiz of this pupil and quiz file, when its journal can be
    // trusted: the same pupil and quiz files, written within a day. A journal that
    // cannot be trusted is removed, with a note in the program's log.
    std::optional<InterruptedQuiz> interrupted(const PupilRecord& pupil, const QString& quizPath,
                                               const QDateTime& now);

    // From here on save() keeps this run, started (or taken up) from quizPath.
    void begin(const QuizRun& run, const QString& quizPath);
    // Writes the run with what the pupil has on the screen, whole or not at all. A
    // failure goes to the log: the journal must never stand in a pupil's way.
    void save(const QuizRun& run, const PupilAnswers& onScreen, const QDateTime& now);
    // The quiz is finished: nothing is left to take up.
    void remove();
    // The pupil gave up an interrupted quiz to start afresh.
    void discard(const PupilRecord& pupil, const QString& quizPath);

private:
    QString fileFor(const PupilRecord& pupil, const QString& quizPath) const;

    QString folder_;
    QString file_;
    QByteArray quiz_; // what stays the same for the whole quiz, written once
    QByteArray quizSum_;
};
