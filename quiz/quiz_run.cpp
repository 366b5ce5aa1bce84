#include "quiz/quiz_run.h"

#include "quiz/quiz_loader.h"

#include "runtime/conversions.h"
#include "runtime/services.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kPictureExtension = QStringLiteral(".jpg");

// The number of answer rows a record asks for: a non-digit counts as none, and
// the screen has no more than six rows whatever the record says.
int rowsOf(QChar optionCount)
{
    return std::clamp(digitValue(optionCount), 0, kMaxOptions);
}

// The instruction line for an answer form: "1" tick, "2" type; any other form
// leaves the line as it is.
void setInstruction(QString& instruction, QChar answerForm)
{
    switch (digitValue(answerForm)) {
    case 1: instruction = QStringLiteral("Поставьте галочку напротив правильного ответа (или ответов)."); break;
    case 2:
        instruction = QStringLiteral("Наберите на клавиатуре правильный ответ. Слова отделяются только одним пробелом.");
        break;
    default: break;
    }
}

// The first answer box takes typing only where a typed question laid it out and shows it.
QString firstRowText(const QuestionScreen& screen, const PupilAnswers& answers)
{
    const bool typing = screen.firstRow == FirstRowLayout::Typed && screen.rows[0].textShown;
    return typing ? answers.typed : screen.rows[0].text;
}

// A started quiz with at least one question, so that every position a move
// touches lies inside the tables.
bool canMove(const QuizRun& run)
{
    return run.stage == QuizStage::Running && run.header.askCount >= 1 && run.header.askCount <= kMaxQuestions;
}

// The information block and the criterion holders for the quiz read.
void showQuizHeader(QuizRun& run)
{
    const QuizHeader& header = run.header;
    HeaderScreen& shown = run.headerScreen;
    for (int i = 1; i <= 3; ++i)
        shown.thresholds[std::size_t(i - 1)] = strInt(header.markThresholds(i));
    shown.subject = run.pupil.subject.text();
    shown.topic = run.pupil.topic.text();
    shown.variant = run.pupil.variantNo.text();
    shown.asked = plainInt(header.askCount);
    shown.timePerQuestion = plainInt(header.timePerQuestion);
}

bool questionOnScreen(const QuizRun& run)
{
    return run.attempt.currentQuestion >= 1 && run.attempt.currentQuestion <= run.header.askCount;
}

// One step forwards or backwards, wrapping around at both ends.
bool moveBy(QuizRun& run, const PupilAnswers& answers, int step)
{
    if (!canMove(run))
        return false;
    if (questionOnScreen(run))
        leaveQuestion(run, answers);
    int& current = run.attempt.currentQuestion;
    current += step;
    if (current < 1 || current > run.header.askCount)
        current = step > 0 ? 1 : run.header.askCount;
    showQuestion(run);
    return true;
}

} // namespace

bool loadMainForm(QuizRun& run)
{
    PupilRecord& pupil = run.pupil;
    if (pupil.pupilName.text().startsWith(u'*'))
        return false;
    run.attempt.currentQuestion = 1;
    HeaderScreen& shown = run.headerScreen;
    shown.subject = pupil.subject.text();
    shown.topic = pupil.topic.text();
    pupil.pupilClass10 = pupil.pupilClass;
    shown.variant = QStringLiteral("1");
    run.screen.answerForm = QStringLiteral("1");
    run.screen.optionCount = QStringLiteral("1");
    shown.asked = QStringLiteral("1");
    shown.timePerQuestion = QStringLiteral("30");
    // Position 351 is the scratch slot of the draw and keeps what it has.
    for (int position = 1; position <= kMaxQuestions; ++position)
        for (int option = 1; option <= kMaxOptions; ++option)
            run.attempt.correctFlags(option, position) = 0;
    pupil.variantNo = shown.variant;
    pupil.subject = shown.subject;
    pupil.topic = shown.topic;
    run.header.timePerQuestion = toInt16(val(shown.timePerQuestion)).value_or(0);
    run.header.askCount = toInt16(val(shown.asked)).value_or(0);
    run.screen.rows = {};
    return true;
}

QuizStart startQuiz(QuizRun& run, Services& services)
{
    if (run.pupil.testPath.isEmpty())
        return {};
    // Everything is read and drawn on the side first, so a quiz that fails half-way
    // leaves nothing behind.
    const LoadedQuiz loaded = loadQuiz(run.pupil.testPath, services);
    if (loaded.failure)
        return {QuizStart::Outcome::Failed, loaded.failure, loaded.failedFile};
    commitLoadedQuiz(loaded, run);
    beginQuiz(run, services.now());
    return {QuizStart::Outcome::Started, std::nullopt, {}};
}

void reportQuizFailure(Services& services, const RunError& failure, const QString& file)
{
    services.messageBox(QStringLiteral("Ошибка: ") + plainInt(failure.number()) + u' ' + failure.description(),
                        MessageIcon::Information);
    if (failure.number() == ErrorNumber::FileNotFound)
        services.messageBox(QStringLiteral("Не найден файл: ") + file, MessageIcon::None);
    else if (failure.number() == ErrorNumber::DeviceIo)
        services.messageBox(QStringLiteral("Ошибка ввода-вывода: ") + file, MessageIcon::None);
    else
        services.messageBox(QStringLiteral("Необрабатываемая ошибка. Ошибка при чтении файлов теста."),
                            MessageIcon::Information);
}

void beginQuiz(QuizRun& run, const QDateTime& now)
{
    const QuizHeader& header = run.header;
    showQuizHeader(run);
    run.attempt.timeLeft = double(header.askCount) * double(header.timePerQuestion);
    for (AnswerRow& row : run.screen.rows)
        row.tickShown = row.textShown = false;
    run.attempt.currentQuestion = 0;
    run.attempt.startTime = now;
    run.stage = QuizStage::Running;
    moveNext(run, {});
    setInstruction(run.screen.instruction, run.questionBank(run.attempt.currentQuestion).answerForm);
}

void takeQuizRead(QuizRun& run, const PupilRecord& read, const QuizHeader& header, const QuestionBank& bank)
{
    run.pupil.subject = read.subject;
    run.pupil.topic = read.topic;
    run.pupil.variantNo = read.variantNo;
    run.pupil.testPath = read.testPath;
    run.header = header;
    run.questionBank = bank;
}

void resumeQuiz(QuizRun& run, const QuizRun& saved)
{
    takeQuizRead(run, saved.pupil, saved.header, saved.questionBank);
    run.attempt = saved.attempt;
    showQuizHeader(run);
    for (AnswerRow& row : run.screen.rows)
        row = AnswerRow{};
    run.stage = QuizStage::Running;
    showQuestion(run);
}

void showQuestion(QuizRun& run)
{
    QuestionScreen& screen = run.screen;
    for (AnswerRow& row : screen.rows)
        row.ticked = false;

    const int p = run.attempt.currentQuestion;
    const QuestionRecord& r = run.questionBank(p);
    screen.answerForm = QString(r.answerForm);
    screen.points = plainInt(r.points);
    setInstruction(screen.instruction, r.answerForm);
    screen.optionCount = QString(r.optionCount);
    screen.questionText = r.questionText;
    screen.pictureLayout = namesPicture(r.questionText);
    if (screen.pictureLayout)
        screen.pictureName = questionPictureName(r.questionText);

    // With no options the first row keeps the layout of the question before.
    if (const int n = rowsOf(r.optionCount); n > 0) {
        for (int j = 1; j <= n; ++j) {
            AnswerRow& row = screen.rows[std::size_t(j - 1)];
            row.text = r.optionText(j);
            row.ticked = run.attempt.answerFlags(j, p) == 1;
            row.picture = namesPicture(row.text);
            row.tickShown = true;
            row.textShown = !row.picture;
        }
        const bool typed = digitValue(firstChar(screen.answerForm)) == 2;
        screen.rows[0].tickShown = !typed;
        screen.firstRow = typed ? FirstRowLayout::Typed : FirstRowLayout::Tick;
    }
    screen.position = QStringLiteral("Задание: ") + strInt(p);
}

void leaveQuestion(QuizRun& run, const PupilAnswers& answers)
{
    QuestionScreen& screen = run.screen;
    const int p = run.attempt.currentQuestion;
    QuestionRecord& r = run.questionBank(p);
    r.answerForm = firstChar(screen.answerForm);
    // Should the points holder hold no whole number, the question keeps its points.
    if (const auto number = parseNumber(screen.points))
        if (const auto points = toInt16(*number))
            r.points = *points;
    r.optionCount = firstChar(screen.optionCount);
    r.questionText = screen.questionText;
    const QString firstRow = firstRowText(screen, answers);
    run.attempt.typedAnswers(p) = firstRow;
    for (int j = 1, n = rowsOf(r.optionCount); j <= n; ++j) {
        r.optionText(j) = j == 1 ? firstRow : screen.rows[std::size_t(j - 1)].text;
        run.attempt.answerFlags(j, p) = answers.ticked[std::size_t(j - 1)] ? 1 : 0;
    }
    for (AnswerRow& row : screen.rows)
        row = AnswerRow{};
}

bool moveNext(QuizRun& run, const PupilAnswers& answers)
{
    return moveBy(run, answers, +1);
}

bool movePrevious(QuizRun& run, const PupilAnswers& answers)
{
    return moveBy(run, answers, -1);
}

TimeTick timerTick(QuizRun& run)
{
    run.attempt.timeLeft -= 1;
    return run.attempt.timeLeft < 0 ? TimeTick::TimeUp : TimeTick::Counting;
}

QString timeCaption(double timeLeft)
{
    const double minutes = std::floor(timeLeft / 60);
    return strDouble(minutes) + QStringLiteral(" мин.") + strDouble(timeLeft - 60 * minutes) + QStringLiteral(" с.");
}

QString timeStatus(double timeLeft)
{
    const double minutes = std::floor(timeLeft / 60);
    if (minutes < 1)
        return QStringLiteral("Осталось меньше минуты.");
    return QStringLiteral("Осталось ") + plainInt(std::int64_t(minutes)) + QStringLiteral(" мин.");
}

void takeOverScreen(QuizRun& run, const PupilAnswers& answers)
{
    const int c = run.attempt.currentQuestion;
    if (c < 1 || c > kMaxQuestions)
        return;
    const QuestionScreen& screen = run.screen;
    QuestionRecord& record = run.questionBank(c);
    record.answerForm = firstChar(screen.answerForm);
    if (val(screen.answerForm) == 2)
        run.attempt.typedAnswers(c) = firstRowText(screen, answers);
    record.optionCount = firstChar(screen.optionCount);
    record.questionText = screen.questionText;
    const int n = std::clamp(int(val(QString(record.optionCount))), 0, kMaxOptions);
    for (int j = 1; j <= n; ++j)
        run.attempt.answerFlags(j, c) = answers.ticked[std::size_t(j - 1)] ? 1 : 0;
}

bool namesPicture(const QString& text)
{
    return text.contains(kPictureExtension, Qt::CaseSensitive);
}

QString questionPictureName(const QString& questionText)
{
    const qsizetype semicolon = questionText.indexOf(u';');
    if (semicolon >= 0)
        return questionText.left(semicolon);
    const qsizetype extension = questionText.indexOf(kPictureExtension, 0, Qt::CaseSensitive);
    return extension >= 0 ? questionText.left(extension + kPictureExtension.size()) : questionText;
}

QuestionPictures picturesOf(const QuestionRecord& r, const QString& folder)
{
    QuestionPictures pictures;
    if (namesPicture(r.questionText))
        pictures.question = folder + questionPictureName(r.questionText);
    for (int j = 1, n = rowsOf(r.optionCount); j <= n; ++j)
        if (namesPicture(r.optionText(j)))
            pictures.options[std::size_t(j - 1)] = folder + r.optionText(j);
    return pictures;
}

QuestionPictures picturesAt(const QuizRun& run, int position)
{
    return picturesOf(run.questionBank(position), run.pupil.testFolder);
}

std::vector<int> neighbourPositions(const QuizRun& run)
{
    const int askCount = run.header.askCount;
    const int p = run.attempt.currentQuestion;
    if (askCount <= 1 || p < 1 || p > askCount)
        return {};
    return {p == askCount ? 1 : p + 1, p == 1 ? askCount : p - 1};
}
