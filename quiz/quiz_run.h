#pragma once

#include "quiz/attempt.h"
#include "quiz/question_bank.h"

#include "runtime/run_error.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class Services;

// Where the running quiz stands; the main form offers what each stage allows.
enum class QuizStage { BeforeStart, Running, Finished };

// The information block and the criterion holders, as the main form shows them.
struct HeaderScreen {
    QString subject;                   // txtSpec
    QString topic;                     // txtTema
    QString variant;                   // TxtVar
    QString asked;                     // TxtVsego: askCount in plain digits
    QString timePerQuestion;           // TxtVremya
    std::array<QString, 3> thresholds{QStringLiteral("80"), QStringLiteral("60"), QStringLiteral("40")}; // Cbo5..3
};

// The first answer row keeps its designed place until a question with options lays it out.
enum class FirstRowLayout { Design, Tick, Typed };

// Answer place k: the tick box Otv(k), the text box TxtOtvets(k) and the picture Img(k).
struct AnswerRow {
    bool tickShown = false;
    bool textShown = false;
    bool ticked = false;
    QString text;
    bool picture = false; // the text is the name of a picture file in the quiz folder
};

// The question area as the main form shows it, with the holders that are never shown.
struct QuestionScreen {
    QString answerForm;  // TxtVid
    QString points = QStringLiteral("1"); // CboBall
    QString optionCount; // TxtOtvetov
    QString questionText;
    QString pictureName;        // the question's picture file, "" for none
    bool pictureLayout = false; // ImgVopros shown beside a narrowed txtVopros
    QString instruction;        // LblZ
    std::array<AnswerRow, kMaxOptions> rows;
    FirstRowLayout firstRow = FirstRowLayout::Design;
    QString position; // LblVopros: "Задание:  3"
};

// What the pupil can change on the question screen.
struct PupilAnswers {
    std::array<bool, kMaxOptions> ticked{}; // a greyed box is not ticked
    QString typed;                          // TxtOtvets(0) where a typed question lets the pupil type
};

// The running quiz: everything the pupil's program knows from registration to
// the result, and the screen it shows. No widget holds any of it.
struct QuizRun {
    PupilRecord pupil;
    QuestionBank questionBank;
    QuizHeader header;
    Attempt attempt;
    HeaderScreen headerScreen;
    QuestionScreen screen;
    QuizStage stage = QuizStage::BeforeStart;
};

// The main form's load step. False when the pupil's name begins with "*": the
// program ends without showing the form.
bool loadMainForm(QuizRun& run);

// "Начать". Nothing is started when no quiz was chosen; a quiz that cannot be
// read leaves the run as it was and tells which file failed.
struct QuizStart {
    enum class Outcome { NothingChosen, Failed, Started };
    Outcome outcome = Outcome::NothingChosen;
    std::optional<RunError> failure;
    QString failedFile;
};
QuizStart startQuiz(QuizRun& run, Services& services);

// The two message boxes about a quiz that could not be read; file is the file the
// failure is about.
void reportQuizFailure(Services& services, const RunError& failure, const QString& file);

// What follows the reading and the draw: the header shown, the time budget set,
// the start time taken and the first question shown.
void beginQuiz(QuizRun& run, const QDateTime& now);

// What was read of a quiz into the run: subject, topic, variant and the key's
// path of the pupil record, the header and the questions.
void takeQuizRead(QuizRun& run, const PupilRecord& read, const QuizHeader& header, const QuestionBank& bank);

// An interrupted quiz taken up again: saved's questions, answers, position and
// time left, with its question on the screen, running.
void resumeQuiz(QuizRun& run, const QuizRun& saved);

// The question at currentQuestion (1..askCount) onto the screen.
void showQuestion(QuizRun& run);
// The screen and the pupil's answers back into the question at currentQuestion;
// the answer rows are emptied.
void leaveQuestion(QuizRun& run, const PupilAnswers& answers);

// The moves, wrapping around at both ends. They do nothing until a quiz runs;
// false then. moveNext from position 0 shows question 1 without saving anything.
bool moveNext(QuizRun& run, const PupilAnswers& answers);
bool movePrevious(QuizRun& run, const PupilAnswers& answers);

// One second of the quiz.
enum class TimeTick {
    Counting, // the time left is shown
    TimeUp,   // the budget is spent: finish, as "Проверить и выйти" does
};
[[nodiscard]] TimeTick timerTick(QuizRun& run);
// The time left as LblNow1 shows it: 599 gives " 9 мин. 59 с.".
QString timeCaption(double timeLeft);
// The time left as a screen reader announces it, in whole minutes so that it
// changes once a minute: 599 gives "Осталось 9 мин.", 59 "Осталось меньше минуты.".
QString timeStatus(double timeLeft);

// The finishing takes over the question on the screen into its record and the answer tables.
void takeOverScreen(QuizRun& run, const PupilAnswers& answers);

// A question names a picture when its text holds ".jpg" (exactly, in small letters).
bool namesPicture(const QString& text);
// The picture file of a question: the text before the first ";", or, with no ";",
// everything up to and including the first ".jpg".
QString questionPictureName(const QString& questionText);

// The picture files of a question as showQuestion shows them, with the quiz
// folder; "" where there is none.
struct QuestionPictures {
    QString question;
    std::array<QString, kMaxOptions> options;
};
QuestionPictures picturesOf(const QuestionRecord& question, const QString& quizFolder);
// The pictures of the question at a position.
QuestionPictures picturesAt(const QuizRun& run, int position);
// The positions a move can reach from the question on screen: their pictures are worth decoding ahead.
std::vector<int> neighbourPositions(const QuizRun& run);
