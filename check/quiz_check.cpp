#include "check/quiz_check.h"

#include "check/check_services.h"
#include "check/picture_check.h"

#include "quiz/quiz_files.h"
#include "quiz/quiz_loader.h"
#include "quiz/quiz_run.h"
#include "results/result_files.h"
#include "runtime/conversions.h"
#include "runtime/seqfile.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr int kLongestTime = 3600; // seconds per question
constexpr int kHeaderTextLength = 75;

// The points or key file the pupil's program reads beside the quiz; "" for a
// name too short to have one, which the load reports.
QString sibling(const QString& quizPath, QStringView extension)
{
    try {
        return existingFileIgnoringCase(siblingFileName(quizPath, extension));
    } catch (const RunError&) {
        return {};
    }
}

// The quiz in the file's order, as far as the readers got.
struct QuizParts {
    PupilRecord pupil;
    QuizHeader header;
    HeaderAsWritten written;
    QuestionBank bank;
    std::vector<BodyLines> bodies;
    bool bodiesWhole = false;
    Attempt key;
    std::vector<int> keyLines;
};

class QuizCheck {
public:
    explicit QuizCheck(const QString& quizPath)
        : quizPath_(quizPath), folder_(QFileInfo(quizPath).path() + u'/'), pointsPath_(sibling(quizPath, u".tsb")),
          keyPath_(sibling(quizPath, u".ts1"))
    {
    }

    std::vector<Finding> run();

private:
    void add(const QString& file, int line, Severity severity, const QString& code, const QString& message)
    {
        found_.push_back({file, line, severity, code, message});
    }
    void noteEncoding(const InputFile& file, const QString& path);

    void loadAsThePupil();
    void checkFiles();
    void checkHeader();
    void checkPoints();
    void checkBodies();
    void checkPictures(int k);
    void checkKey();
    void checkKeyLine(int k);
    void sortByFileAndLine();

    const QString quizPath_;
    const QString folder_;
    const QString pointsPath_;
    const QString keyPath_;
    const std::unique_ptr<QuizParts> parts_ = std::make_unique<QuizParts>();
    QHash<QString, std::optional<PictureProblem>> pictures_; // a picture shown by many questions is read once
    std::vector<Finding> found_;
};

// The first line from the reader's place on that holds more than blanks, 0 when
// there is none: what follows the last part a reader takes is never read.
int firstLineWithText(SeqReader& reader)
{
    try {
        while (!reader.atEnd()) {
            const int line = reader.lineNumber();
            if (!reader.lineInput().trimmed().isEmpty())
                return line;
        }
    } catch (const RunError& error) {
        return error.line();
    }
    return 0;
}

std::vector<Finding> QuizCheck::run()
{
    loadAsThePupil();
    // Whatever the readers refuse has been reported by the load; the checks go on
    // over what they could read before it.
    try {
        checkFiles();
    } catch (const RunError&) {
    } catch (const std::exception& error) {
        add(quizPath_, 0, Severity::Warning, QStringLiteral("check.incomplete"),
            QStringLiteral("тест проверен не до конца: %1").arg(QString::fromLocal8Bit(error.what())));
    }
    sortByFileAndLine();
    return std::move(found_);
}

void QuizCheck::loadAsThePupil()
{
    CheckServices services;
    const auto loaded = std::make_unique<LoadedQuiz>(loadQuiz(quizPath_, services));
    if (!loaded->failure)
        return;
    const QString& file = loaded->failedFile;
    add(file, loaded->failure->line(), Severity::Error,
        file == quizPath_ ? QStringLiteral("quiz.refused") : QStringLiteral("key.refused"),
        loaded->failure->description());
}

void QuizCheck::noteEncoding(const InputFile& file, const QString& path)
{
    if (file.encoding() == TextEncoding::Utf8)
        add(path, 0, Severity::Note, QStringLiteral("encoding.utf8"),
            QStringLiteral("файл сохранён в кодировке UTF-8, а не Windows-1251; он прочитан как UTF-8"));
}

void QuizCheck::checkFiles()
{
    QuizParts& q = *parts_;
    InputFile quiz(quizPath_, TextSource::Authored);
    noteEncoding(quiz, quizPath_);
    readQuizHeader(quiz.reader(), q.pupil, q.header, &q.written);
    checkHeader();
    checkPoints();
    try {
        readQuestionBodies(quiz.reader(), q.header.questionCount, q.bank, &q.bodies);
        q.bodiesWhole = true;
    } catch (const RunError&) {
    }
    checkBodies();
    if (!q.bodiesWhole)
        return;
    if (q.written.questionCount <= kMaxQuestions)
        if (const int line = firstLineWithText(quiz.reader()))
            add(quizPath_, line, Severity::Warning, QStringLiteral("quiz.extra-lines"),
                QStringLiteral("после вопроса %1 — последнего по числу вопросов в заголовке — в файле ещё строки: "
                               "они не читаются")
                    .arg(q.header.questionCount));
    checkKey();
}

void QuizCheck::checkHeader()
{
    const QuizParts& q = *parts_;
    const HeaderAsWritten& written = q.written;
    // The first three lines of every quiz file.
    if (written.subject.size() > kHeaderTextLength)
        add(quizPath_, 1, Severity::Warning, QStringLiteral("header.subject-long"),
            QStringLiteral("название предмета длиннее %1 символов (%2): остаётся «%3»")
                .arg(kHeaderTextLength)
                .arg(written.subject.size())
                .arg(trimBlanks(q.pupil.subject.text())));
    if (written.topic.size() > kHeaderTextLength)
        add(quizPath_, 2, Severity::Warning, QStringLiteral("header.topic-long"),
            QStringLiteral("тема длиннее %1 символов (%2): в результатах и в их именах остаётся «%3»")
                .arg(kHeaderTextLength)
                .arg(written.topic.size())
                .arg(trimBlanks(q.pupil.topic.text())));
    if (trimBlanks(written.variant).isEmpty())
        add(quizPath_, 3, Severity::Warning, QStringLiteral("header.variant"),
            QStringLiteral("нет номера варианта: в результатах и в их именах вариант пуст"));
    else if (written.variant.size() > 1)
        add(quizPath_, 3, Severity::Warning, QStringLiteral("header.variant"),
            QStringLiteral("номер варианта «%1» длиннее одного символа: остаётся только «%2»")
                .arg(written.variant, q.pupil.variantNo.text()));

    const int time = q.header.timePerQuestion;
    if (time <= 0)
        add(quizPath_, written.timeLine, Severity::Warning, QStringLiteral("header.time"),
            QStringLiteral("время на вопрос %1 с: тест кончается через секунду после начала").arg(time));
    else if (time > kLongestTime)
        add(quizPath_, written.timeLine, Severity::Warning, QStringLiteral("header.time"),
            QStringLiteral("время на вопрос %1 с — больше часа").arg(time));

    if (written.questionCount > kMaxQuestions)
        add(quizPath_, written.questionCountLine, Severity::Warning, QStringLiteral("quiz.too-many-questions"),
            QStringLiteral("число вопросов в файле %1 больше %2: читаются только первые %2, остальные не задаются никогда")
                .arg(written.questionCount)
                .arg(kMaxQuestions));
    if (written.askCount > q.header.questionCount)
        add(quizPath_, written.askCountLine, Severity::Warning, QStringLiteral("header.ask-count"),
            QStringLiteral("число задаваемых вопросов %1 больше числа вопросов в тесте (%2): задаются все %2")
                .arg(written.askCount)
                .arg(q.header.questionCount));

    const auto threshold = [&](int mark) { return q.header.markThresholds(6 - mark); };
    const auto thresholdLine = [&](int mark) { return written.thresholdLines[std::size_t(5 - mark)]; };
    for (int mark = 5; mark >= 3; --mark)
        if (threshold(mark) < 0 || threshold(mark) > 100)
            add(quizPath_, thresholdLine(mark), Severity::Warning, QStringLiteral("header.thresholds"),
                QStringLiteral("процент для оценки %1 — %2, а он должен быть от 0 до 100").arg(mark).arg(threshold(mark)));
    // A mark is given from its percentage up to the next higher mark's; with none between, it is never given.
    if (threshold(4) >= threshold(5))
        add(quizPath_, thresholdLine(4), Severity::Warning, QStringLiteral("header.thresholds"),
            QStringLiteral("процент для оценки 4 (%1) не меньше, чем для оценки 5 (%2): оценку 4 не получить")
                .arg(threshold(4))
                .arg(threshold(5)));
    const int higher = threshold(4) < threshold(5) ? 4 : 5;
    if (threshold(3) >= threshold(higher))
        add(quizPath_, thresholdLine(3), Severity::Warning, QStringLiteral("header.thresholds"),
            QStringLiteral("процент для оценки 3 (%1) не меньше, чем для оценки %2 (%3): оценку 3 не получить")
                .arg(threshold(3))
                .arg(higher)
                .arg(threshold(higher)));
}

void QuizCheck::checkPoints()
{
    QuizParts& q = *parts_;
    const int count = q.header.questionCount;
    if (!QFileInfo::exists(pointsPath_)) {
        add(quizPath_, 0, Severity::Warning, QStringLiteral("points.missing"),
            QStringLiteral("нет файла баллов «%1»: все вопросы стоят поровну").arg(QFileInfo(pointsPath_).fileName()));
        return;
    }
    std::optional<InputFile> points;
    try {
        points.emplace(pointsPath_, TextSource::Authored);
    } catch (const RunError& error) {
        add(pointsPath_, 0, Severity::Warning, QStringLiteral("points.unreadable"),
            QStringLiteral("файл баллов не читается, все вопросы стоят поровну: %1").arg(error.description()));
        return;
    }
    noteEncoding(*points, pointsPath_);
    std::vector<Int16Field> fields;
    readPoints(points->reader(), count, q.bank, &fields);

    int lastLine = 0;
    int read = 0;
    for (const Int16Field& field : fields) {
        switch (field.status) {
        case Int16Field::Status::Ok:
            break;
        case Int16Field::Status::NotNumber:
            add(pointsPath_, field.line, Severity::Warning, QStringLiteral("points.not-number"),
                QStringLiteral("балл вопроса %1 «%2» — не число: вопрос стоит 0 баллов").arg(read + 1).arg(field.text));
            break;
        case Int16Field::Status::Overflow:
            add(pointsPath_, field.line, Severity::Warning, QStringLiteral("points.overflow"),
                QStringLiteral("балл вопроса %1 — %2, вне пределов от -32768 до 32767: этот и следующие вопросы "
                               "стоят 0 баллов")
                    .arg(read + 1)
                    .arg(field.text));
            return;
        case Int16Field::Status::Missing:
            continue;
        }
        ++read;
        lastLine = field.line;
    }
    if (read < count) {
        add(pointsPath_, lastLine, Severity::Warning, QStringLiteral("points.count"),
            read == 0 ? QStringLiteral("в файле баллов нет ни одного числа: все вопросы стоят поровну")
                      : QStringLiteral("чисел в файле баллов %1, а вопросов %2: вопросы после %1-го стоят 0 баллов")
                            .arg(read)
                            .arg(count));
        return;
    }
    if (const int line = firstLineWithText(points->reader()))
        add(pointsPath_, line, Severity::Warning, QStringLiteral("points.count"),
            QStringLiteral("в файле баллов больше чисел, чем вопросов в тесте (%1): лишние не читаются").arg(count));
}

void QuizCheck::checkBodies()
{
    const QuizParts& q = *parts_;
    QHash<QString, int> seen; // a question as its protocol line names it, and its number
    for (int k = 1; k <= int(q.bodies.size()); ++k) {
        const QuestionRecord& question = q.bank(k);
        const BodyLines& at = q.bodies[std::size_t(k - 1)];
        const int form = digitValue(question.answerForm);
        if (form != 1 && form != 2)
            add(quizPath_, at.form, Severity::Warning, QStringLiteral("question.answer-form"),
                QStringLiteral("у вопроса %1 форма ответа %2, а бывает 1 (отметить) или 2 (набрать): вопрос "
                               "показывается с отметками, но его варианты не перемешиваются")
                    .arg(k)
                    .arg(form));
        if (form == 2 && digitValue(question.optionCount) <= 0)
            add(quizPath_, at.optionCount, Severity::Error, QStringLiteral("question.typed-without-field"),
                QStringLiteral("у вопроса %1 ответ набирается, а число вариантов ответа «%2»: поля для ответа нет, "
                               "и ответить на вопрос нельзя")
                    .arg(k)
                    .arg(question.optionCount));

        const QString named = protocolQuestionText(form == 2, question.questionText);
        if (const auto earlier = seen.constFind(named); earlier != seen.cend())
            add(quizPath_, at.text, Severity::Warning, QStringLiteral("question.duplicate-text"),
                (named == question.questionText
                     ? QStringLiteral("текст вопроса %1 такой же, как у вопроса %2")
                     : QStringLiteral("вопрос %1 начинается так же, как вопрос %2, а протокол показывает только "
                                      "первые 64 символа"))
                        .arg(k)
                        .arg(*earlier)
                    + QStringLiteral(": в протоколе ученика их ответы не различить"));
        else
            seen.insert(named, k);
        checkPictures(k);
    }
}

void QuizCheck::checkPictures(int k)
{
    const QuestionRecord& question = parts_->bank(k);
    const BodyLines& at = parts_->bodies[std::size_t(k - 1)];
    const QuestionPictures pictures = picturesOf(question, folder_);
    const auto check = [&](const QString& path, int line) {
        if (path.isEmpty())
            return;
        auto known = pictures_.constFind(path);
        if (known == pictures_.cend())
            known = pictures_.insert(path, pictureProblem(path, path.mid(folder_.size())));
        if (const std::optional<PictureProblem>& problem = *known)
            add(quizPath_, line, problem->severity, problem->code,
                QStringLiteral("вопрос %1: %2").arg(k).arg(problem->message));
    };
    check(pictures.question, at.text);
    for (int j = 1; j <= kMaxOptions; ++j)
        check(pictures.options[std::size_t(j - 1)], at.options[std::size_t(j - 1)]);
}

void QuizCheck::checkKey()
{
    QuizParts& q = *parts_;
    // A key that cannot be opened has been reported by the load.
    InputFile key(keyPath_, TextSource::Authored);
    noteEncoding(key, keyPath_);
    try {
        readAnswerKey(key.reader(), q.header.questionCount, q.bank, q.key, &q.keyLines);
    } catch (const RunError&) {
        for (int k = 1; k <= int(q.keyLines.size()); ++k)
            checkKeyLine(k);
        throw;
    }
    for (int k = 1; k <= int(q.keyLines.size()); ++k)
        checkKeyLine(k);
    if (const int line = firstLineWithText(key.reader()))
        add(keyPath_, line, Severity::Warning, QStringLiteral("key.count"),
            QStringLiteral("в файле ключа больше строк, чем вопросов в тесте (%1): лишние не читаются")
                .arg(q.header.questionCount));
}

void QuizCheck::checkKeyLine(int k)
{
    const QuizParts& q = *parts_;
    const QuestionRecord& question = q.bank(k);
    if (digitValue(question.answerForm) == 2)
        return;
    const int line = q.keyLines[std::size_t(k - 1)];
    const int shown = std::clamp(digitValue(question.optionCount), 0, kMaxOptions);
    int ticked = 0;
    for (int j = 1; j <= kMaxOptions; ++j) {
        const int flag = q.key.correctFlags(j, k);
        if (flag != 0 && flag != 1) {
            add(keyPath_, line, Severity::Error, QStringLiteral("key.flag-digit"),
                QStringLiteral("в ключе вопроса %1 на месте %2 стоит %3, а может стоять только %2 (не отмечать) или %4 "
                               "(отметить): верно ответить на вопрос нельзя")
                    .arg(k)
                    .arg(j)
                    .arg(flag + j)
                    .arg(j + 1));
            return;
        }
        if (flag == 1 && j > shown) {
            add(keyPath_, line, Severity::Error, QStringLiteral("key.ticks-beyond-options"),
                QStringLiteral("ключ вопроса %1 отмечает вариант %2, а вариантов у вопроса %3: такого варианта на "
                               "экране нет, и верно ответить на вопрос нельзя")
                    .arg(k)
                    .arg(j)
                    .arg(shown));
            return;
        }
        ticked += flag;
    }
    if (ticked == 0)
        add(keyPath_, line, Severity::Warning, QStringLiteral("key.ticks-none"),
            QStringLiteral("ключ вопроса %1 не отмечает ни одного варианта: верен только ответ без единой отметки").arg(k));
    else if (shown >= 2 && ticked == shown)
        add(keyPath_, line, Severity::Warning, QStringLiteral("key.ticks-all"),
            QStringLiteral("ключ вопроса %1 отмечает все варианты (%2): верен ответ, в котором отмечено всё")
                .arg(k)
                .arg(shown));
}

void QuizCheck::sortByFileAndLine()
{
    const auto rank = [&](const Finding& finding) {
        if (finding.file == quizPath_)
            return 0;
        return finding.file == pointsPath_ ? 1 : 2;
    };
    std::stable_sort(found_.begin(), found_.end(), [&](const Finding& a, const Finding& b) {
        return std::pair(rank(a), a.line) < std::pair(rank(b), b.line);
    });
}

} // namespace

std::vector<Finding> checkQuiz(const QString& quizPath)
{
    return QuizCheck(quizPath).run();
}
