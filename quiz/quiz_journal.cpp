#include "quiz/quiz_journal.h"

#include "quiz/quiz_files.h"

#include "runtime/seqfile.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtGlobal>

namespace {

constexpr quint32 kMagic = 0x53484B4A; // "SHKJ"
constexpr quint16 kFormat = 1;

// The three files of a quiz as they are now: a changed quiz must not be taken up.
QByteArray quizDigest(const QString& quizPath)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    try {
        for (const QString& path : {quizPath, existingFileIgnoringCase(siblingFileName(quizPath, u".tsb")),
                                    existingFileIgnoringCase(siblingFileName(quizPath, u".ts1"))}) {
            if (!QFileInfo::exists(path)) {
                hash.addData("-");
                continue;
            }
            const std::unique_ptr<QFile> file = openRegularFile(path);
            hash.addData(file->read(kMaxAuthoredFileBytes));
            hash.addData("|");
        }
    } catch (const RunError&) {
        return {};
    }
    return hash.result();
}

// What stays as it is from the start of a quiz to its end: the questions drawn,
// their options in the order shown, and the key. Written once per quiz.
void writeQuiz(QDataStream& out, const QuizRun& run)
{
    const PupilRecord& pupil = run.pupil;
    out << pupil.subject.text() << pupil.topic.text() << pupil.variantNo.text() << pupil.testPath;
    const QuizHeader& header = run.header;
    out << header.timePerQuestion << header.questionCount << header.askCount;
    for (int i = 1; i <= 3; ++i)
        out << header.markThresholds(i);
    for (int p = 1; p <= header.askCount; ++p) {
        const QuestionRecord& r = run.questionBank(p);
        out << r.answerForm << r.optionCount << r.questionText << r.points;
        for (int j = 2; j <= kMaxOptions; ++j)
            out << r.optionText(j);
        for (int j = 1; j <= kMaxOptions; ++j)
            out << run.attempt.correctFlags(j, p);
        out << run.attempt.correctTyped(p) << qint32(run.attempt.drawNumbers(p));
    }
}

// What the pupil changes: ticks, typed answers (also kept as a typed question's
// first option), the position and the time.
void writeAnswers(QDataStream& out, const QuizRun& run)
{
    const Attempt& attempt = run.attempt;
    for (int p = 1; p <= run.header.askCount; ++p) {
        out << run.questionBank(p).optionText(1) << attempt.typedAnswers(p);
        for (int j = 1; j <= kMaxOptions; ++j)
            out << attempt.answerFlags(j, p);
    }
    out << qint32(attempt.currentQuestion) << attempt.timeLeft << attempt.startTime;
}

// False when the streams do not hold a run this program could have written.
bool readRun(QDataStream& quiz, QDataStream& answers, QuizRun& run)
{
    QString subject, topic, variant;
    quiz >> subject >> topic >> variant >> run.pupil.testPath;
    run.pupil.subject = subject;
    run.pupil.topic = topic;
    run.pupil.variantNo = variant;
    QuizHeader& header = run.header;
    quiz >> header.timePerQuestion >> header.questionCount >> header.askCount;
    for (int i = 1; i <= 3; ++i)
        quiz >> header.markThresholds(i);
    if (quiz.status() != QDataStream::Ok || header.askCount < 1 || header.askCount > header.questionCount
        || header.questionCount > kMaxQuestions)
        return false;
    Attempt& attempt = run.attempt;
    for (int p = 1; p <= header.askCount; ++p) {
        QuestionRecord& r = run.questionBank(p);
        quiz >> r.answerForm >> r.optionCount >> r.questionText >> r.points;
        for (int j = 2; j <= kMaxOptions; ++j)
            quiz >> r.optionText(j);
        for (int j = 1; j <= kMaxOptions; ++j)
            quiz >> attempt.correctFlags(j, p);
        qint32 drawn = 0;
        quiz >> attempt.correctTyped(p) >> drawn;
        attempt.drawNumbers(p) = drawn;
        answers >> r.optionText(1) >> attempt.typedAnswers(p);
        for (int j = 1; j <= kMaxOptions; ++j)
            answers >> attempt.answerFlags(j, p);
    }
    qint32 current = 0;
    answers >> current >> attempt.timeLeft >> attempt.startTime;
    attempt.currentQuestion = current;
    return quiz.status() == QDataStream::Ok && quiz.atEnd() && answers.status() == QDataStream::Ok
           && answers.atEnd() && current >= 1 && current <= header.askCount && attempt.startTime.isValid();
}

QByteArray checksum(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

// Streams in one form whatever the machine: little-endian, as Qt 6.4 writes them.
void setFormat(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_6_4);
    stream.setByteOrder(QDataStream::LittleEndian);
}

} // namespace

QuizJournal::QuizJournal(QString folder) : folder_(std::move(folder)) {}

QString QuizJournal::fileFor(const PupilRecord& pupil, const QString& quizPath) const
{
    const QString who = pupil.pupilName.text() + u'\n' + pupil.pupilClass + u'\n' + QFileInfo(quizPath).absoluteFilePath();
    return QDir(folder_).filePath(
        QString::fromLatin1(QCryptographicHash::hash(who.toUtf8(), QCryptographicHash::Sha1).toHex()) + ".journal");
}

std::optional<InterruptedQuiz> QuizJournal::interrupted(const PupilRecord& pupil, const QString& quizPath,
                                                        const QDateTime& now)
{
    const QString path = fileFor(pupil, quizPath);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto untrusted = [&](const char* why) -> std::optional<InterruptedQuiz> {
        qWarning("Журнал %s не подходит (%s) и удалён", qPrintable(path), why);
        file.remove();
        return std::nullopt;
    };
    QDataStream in(&file);
    setFormat(in);
    quint32 magic = 0;
    quint16 format = 0;
    QByteArray quiz, quizSum, answers, answersSum;
    in >> magic >> format >> quiz >> quizSum >> answers >> answersSum;
    if (in.status() != QDataStream::Ok || magic != kMagic || format != kFormat || quizSum != checksum(quiz)
        || answersSum != checksum(answers))
        return untrusted("повреждён или чужой");

    QDataStream quizFields(quiz);
    QDataStream answerFields(answers);
    setFormat(quizFields);
    setFormat(answerFields);
    QString name, pupilClass, savedQuiz;
    QByteArray digest;
    QDateTime savedAt;
    quizFields >> name >> pupilClass >> savedQuiz >> digest;
    answerFields >> savedAt;
    if (name != pupil.pupilName.text() || pupilClass != pupil.pupilClass
        || QFileInfo(savedQuiz).absoluteFilePath() != QFileInfo(quizPath).absoluteFilePath())
        return untrusted("другого ученика или теста");
    if (!savedAt.isValid() || savedAt.secsTo(now) > kJournalLifetimeSeconds || now.secsTo(savedAt) > 60)
        return untrusted("старше суток");
    if (digest.isEmpty() || digest != quizDigest(quizPath))
        return untrusted("файлы теста изменились");
    InterruptedQuiz found{std::make_unique<QuizRun>()};
    if (!readRun(quizFields, answerFields, *found.run))
        return untrusted("повреждён");
    return found;
}

void QuizJournal::begin(const QuizRun& run, const QString& quizPath)
{
    file_ = fileFor(run.pupil, quizPath);
    quiz_.clear();
    QDataStream out(&quiz_, QIODevice::WriteOnly);
    setFormat(out);
    out << run.pupil.pupilName.text() << run.pupil.pupilClass << quizPath << quizDigest(quizPath);
    writeQuiz(out, run);
    quizSum_ = checksum(quiz_);
}

void QuizJournal::save(const QuizRun& run, const PupilAnswers& onScreen, const QDateTime& now)
{
    if (file_.isEmpty() || run.stage != QuizStage::Running)
        return;
    // What the pupil has on the screen counts as if the question had just been left.
    QuizRun kept = run;
    if (kept.attempt.currentQuestion >= 1 && kept.attempt.currentQuestion <= kept.header.askCount)
        leaveQuestion(kept, onScreen);
    QByteArray answers;
    answers.reserve(64 * 1024);
    QDataStream fields(&answers, QIODevice::WriteOnly);
    setFormat(fields);
    fields << now;
    writeAnswers(fields, kept);

    QDir().mkpath(folder_);
    QSaveFile file(file_);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("Журнал %s не записан: %s", qPrintable(file_), qPrintable(file.errorString()));
        return;
    }
    QDataStream out(&file);
    setFormat(out);
    out << kMagic << kFormat << quiz_ << quizSum_ << answers << checksum(answers);
    if (!file.commit())
        qWarning("Журнал %s не записан: %s", qPrintable(file_), qPrintable(file.errorString()));
}

void QuizJournal::remove()
{
    if (!file_.isEmpty())
        QFile::remove(file_);
    file_.clear();
}

void QuizJournal::discard(const PupilRecord& pupil, const QString& quizPath)
{
    QFile::remove(fileFor(pupil, quizPath));
}
