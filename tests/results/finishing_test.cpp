#include "results/finishing.h"

#include "tests/support/files.h"
#include "tests/support/recording_services.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const QDateTime kStart{QDate(2026, 12, 7), QTime(9, 0, 0)};
const QDateTime kEnd{QDate(2026, 12, 7), QTime(9, 5, 3)};

// One running quiz, from its start to the finishing.
class FinishRun {
public:
    FinishRun(RecordingServices& services, const QString& folder, const QString& pupilClass)
        : services_(services), run_(std::make_unique<QuizRun>())
    {
        PupilRecord& pupil = run_->pupil;
        pupil.pupilName = QStringLiteral("Иванов Иван");
        pupil.pupilClass = pupilClass;
        pupil.pupilClass10 = pupilClass;
        pupil.topic = QStringLiteral("Дроби");
        pupil.variantNo = QStringLiteral("1");
        pupil.testFolder = folder + QLatin1Char('/');
        run_->header.markThresholds(1) = 80;
        run_->header.markThresholds(2) = 60;
        run_->header.markThresholds(3) = 40;
        run_->headerScreen.topic = pupil.topic.text();
        state().startTime = kStart;
        run_->stage = QuizStage::Running;
    }

    QuizRun& run() { return *run_; }
    PupilRecord& pupil() { return run_->pupil; }
    Attempt& state() { return run_->attempt; }
    const FinishedQuiz& finished() const { return *finished_; }

    // A tick question of three options; flags as digit texts, option 1 first.
    void ticks(int i, const char* correct, const char* answer, const QString& text, std::int16_t points = 1)
    {
        asked(i, u'1', u'3', text, points);
        for (int j = 1; j <= kMaxOptions; ++j) {
            state().correctFlags(j, i) = std::int16_t(correct[j - 1] - '0');
            state().answerFlags(j, i) = std::int16_t(answer[j - 1] - '0');
        }
    }

    void typed(int i, const QString& key, const QString& answer, const QString& text, std::int16_t points = 1)
    {
        asked(i, u'2', u'1', text, points);
        state().correctTyped(i) = key;
        state().typedAnswers(i) = answer;
    }

    // The question at position i on the screen, with what the pupil typed and ticked there.
    void onScreen(int i, const QString& typedText = {}, std::array<Qt::CheckState, 3> boxes = {})
    {
        state().currentQuestion = i;
        showQuestion(*run_);
        onScreen_.typed = typedText;
        for (std::size_t k = 0; k < boxes.size(); ++k)
            onScreen_.ticked[k] = boxes[k] == Qt::Checked;
    }

    // "Проверить и выйти": false when the quiz had finished already.
    bool finish(std::chrono::milliseconds lockWait = 10s)
    {
        const std::optional<FinishedQuiz> finished = finishQuiz(*run_, onScreen_, services_);
        if (!finished)
            return false;
        finished_ = finished;
        writeResults(*run_, *finished, services_, lockWait);
        showResult(*run_, *finished, services_);
        return true;
    }

private:
    QuestionRecord& asked(int i, char16_t form, char16_t options, const QString& text, std::int16_t points)
    {
        QuestionRecord& q = run_->questionBank(i);
        q.answerForm = form;
        q.optionCount = options;
        q.questionText = text;
        q.points = points;
        run_->header.askCount = std::max<std::int16_t>(run_->header.askCount, std::int16_t(i));
        run_->headerScreen.asked = QString::number(run_->header.askCount);
        return q;
    }

    RecordingServices& services_;
    std::unique_ptr<QuizRun> run_;
    PupilAnswers onScreen_;
    std::optional<FinishedQuiz> finished_;
};

class Finishing : public ::testing::Test {
protected:
    Finishing() { services.nowValue = kEnd; }

    QString file(const QString& name) const { return dir.filePath(name); }
    std::unique_ptr<FinishRun> newRun(const QString& pupilClass = QStringLiteral("10 5 класс"))
    {
        return std::make_unique<FinishRun>(services, dir.path(), pupilClass);
    }
    // A later run of the program, with services of its own.
    std::unique_ptr<FinishRun> nextRun(RecordingServices& next)
    {
        next.nowValue = kEnd;
        return std::make_unique<FinishRun>(next, dir.path(), QStringLiteral("10 5 класс"));
    }
    // Twenty one-point tick questions, the first `correct` of them answered right;
    // the last one is on the screen.
    static void twentyQuestions(FinishRun& run, int correct)
    {
        for (int i = 1; i <= 20; ++i)
            run.ticks(i, "010000", i <= correct ? "010000" : "100000", QStringLiteral("Вопрос %1").arg(i));
        const bool lastRight = correct >= 20;
        run.onScreen(20, {}, {lastRight ? Qt::Unchecked : Qt::Checked, lastRight ? Qt::Checked : Qt::Unchecked,
                              Qt::Unchecked});
    }
    MessageRecord resultBox()
    {
        const MessageRecord box = services.takeMessage();
        EXPECT_FALSE(box.question);
        EXPECT_EQ(box.icon, MessageIcon::Information);
        EXPECT_EQ(box.title, QStringLiteral("Школьник: Иванов Иван                   "));
        return box;
    }

    QTemporaryDir dir;
    RecordingServices services;
};

TEST_F(Finishing, WritesTheWorkedProtocolShowsTheResultAndEnds)
{
    auto run = newRun(QStringLiteral("10 7б"));
    const QString first = QStringLiteral("Какие из чисел делятся на 3 без остатка? Отметьте все верные ответы, "
                                         "их может быть несколько.");
    const QString second = QStringLiteral("Столица России?");
    run->ticks(1, "101000", "100000", first);
    run->typed(2, QStringLiteral("МОСКВА$MOSCOW"), {}, second);
    run->onScreen(2, QStringLiteral("  москва "));
    run->finish();

    EXPECT_EQ(readBytes(file(QStringLiteral("7б     _Дроби_Иванов Иван_1.otv"))),
              cp1251Lines({QStringLiteral("Ф.И.О.: Иванов Иван                   "), QStringLiteral("Номер варианта:  1"),
                           QStringLiteral("Класс: 7б     "),
                           QStringLiteral("Начало работы: 07.12.2026 9:00:00 Конец работы : 07.12.2026 9:05:03"),
                           QStringLiteral("*************************"),
                           QStringLiteral("Неправильно:_101000 * 100000 * ") + first.left(64),
                           QStringLiteral("Правильно:___ * ") + second,
                           QStringLiteral("Задано: 2 заданий. Всего баллов:  2 Из них набрано:  1  Правильно "
                                          "выполнено:  50% задания. Ваша оценка:  3")}));
    EXPECT_EQ(readBytes(file(QStringLiteral("7б_Дроби_1.doc"))),
              cp1251Lines({QStringLiteral("Иванов Иван               7б 1  1 3 50% 07.12.2026 9:05:03")}));
    // A short class puts the mark before column 40; it is counted all the same.
    EXPECT_EQ(readLines(file(QStringLiteral("7б_S_Дроби_1.doc"))),
              (QStringList{QStringLiteral("Статистика сдачи теста"), QStringLiteral("5:  0   0%"),
                           QStringLiteral("4:  0   0%"), QStringLiteral("3:  1   100%"), QStringLiteral("2:  0   0%"),
                           QStringLiteral("Всего:  1")}));

    EXPECT_EQ(run->finished().percentLabel, QStringLiteral("Выполнено:  50%"));
    EXPECT_EQ(run->finished().markLabel, QStringLiteral("Ваша оценка:  3"));
    EXPECT_EQ(run->run().stage, QuizStage::Finished);
    EXPECT_EQ(run->state().typedAnswers(2), QStringLiteral("МОСКВА"));
    EXPECT_EQ(run->state().pointsTotal, 2);
    EXPECT_EQ(run->state().pointsScored, 1);
    EXPECT_EQ(resultBox().text, QStringLiteral("Задано: 2 заданий. Всего возможных баллов:  2. Из них набрано:  1. "
                                               "Правильно выполнено:  50% задания. Ваша оценка:  3"));
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(services.endCalls, 1);
}

struct WorkedRow {
    const char* name;
    int correct;
    const char* percentLabel;
    const char* markLabel;
    const char* message;
};

class FinishingWorked : public Finishing, public ::testing::WithParamInterface<WorkedRow> {};

TEST_P(FinishingWorked, LabelsAndResultBox)
{
    auto run = newRun();
    twentyQuestions(*run, GetParam().correct);
    run->finish();
    EXPECT_EQ(run->finished().percentLabel, QString::fromUtf8(GetParam().percentLabel));
    EXPECT_EQ(run->finished().markLabel, QString::fromUtf8(GetParam().markLabel));
    EXPECT_EQ(resultBox().text, QString::fromUtf8(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FinishingWorked,
    ::testing::Values(WorkedRow{"FifteenOfTwenty", 15, "Выполнено:  75%", "Ваша оценка:  4",
                                "Задано: 20 заданий. Всего возможных баллов:  20. Из них набрано:  15. Правильно "
                                "выполнено:  75% задания. Ваша оценка:  4"},
                      WorkedRow{"SevenOfTwenty", 7, "Выполнено:  35%", "Ваша оценка:  2",
                                "Задано: 20 заданий. Всего возможных баллов:  20. Из них Вы набрали менее:  40%. "
                                "Ваша оценка:  2"},
                      WorkedRow{"AllOnScreenLast", 20, "Выполнено:  100%", "Ваша оценка:  5",
                                "Задано: 20 заданий. Всего возможных баллов:  20. Из них набрано:  20. Правильно "
                                "выполнено:  100% задания. Ваша оценка:  5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Finishing, RunsOnlyOnceWhateverTriggersIt)
{
    auto run = newRun();
    twentyQuestions(*run, 15);
    EXPECT_TRUE(run->finish());
    // The time-out arriving after the button.
    EXPECT_FALSE(run->finish());
    resultBox();
    EXPECT_EQ(readLines(file(QStringLiteral("5 класс_Дроби_1.doc"))).size(), 1);
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(services.endCalls, 1);
}

TEST_F(Finishing, RepeatedAttemptReplacesTheProtocolAndExtendsTheRegister)
{
    auto firstRun = newRun();
    twentyQuestions(*firstRun, 15);
    firstRun->finish();
    resultBox();
    RecordingServices again;
    auto secondRun = nextRun(again);
    twentyQuestions(*secondRun, 7);
    secondRun->finish();
    EXPECT_TRUE(again.takeMessage().text.endsWith(QStringLiteral("Ваша оценка:  2")));

    const QStringList protocol = readLines(file(QStringLiteral("5 класс_Дроби_Иванов Иван_1.otv")));
    ASSERT_EQ(protocol.size(), 26);
    EXPECT_EQ(protocol.last(), QStringLiteral("Задано: 20 заданий. Всего баллов:  20 Из них набрано:  7  Правильно "
                                              "выполнено:  35% задания. Ваша оценка:  2"));
    EXPECT_EQ(readLines(file(QStringLiteral("5 класс_Дроби_1.doc"))),
              (QStringList{QStringLiteral("Иванов Иван               5 класс 1  15 4 75% 07.12.2026 9:05:03"),
                           QStringLiteral("Иванов Иван               5 класс 1  7 2 35% 07.12.2026 9:05:03")}));
    EXPECT_EQ(readLines(file(QStringLiteral("5 класс_S_Дроби_1.doc"))),
              (QStringList{QStringLiteral("Статистика сдачи теста"), QStringLiteral("5:  0   0%"),
                           QStringLiteral("4:  1   50%"), QStringLiteral("3:  0   0%"), QStringLiteral("2:  1   50%"),
                           QStringLiteral("Всего:  2")}));
}

TEST_F(Finishing, TakesOverTheQuestionOnTheScreen)
{
    auto run = newRun();
    run->ticks(1, "101000", "000000", QStringLiteral("Первый"));
    run->ticks(2, "100000", "000000", QStringLiteral("Второй"));
    run->typed(3, QStringLiteral("ДА"), {}, QStringLiteral("Третий"));
    // Ticks made on question 1 before the pupil pressed the button; a greyed
    // box is no tick, as when the pupil moves on.
    run->onScreen(1, {}, {Qt::Checked, Qt::PartiallyChecked, Qt::Checked});
    run->finish();
    resultBox();
    const QStringList protocol = readLines(file(QStringLiteral("5 класс_Дроби_Иванов Иван_1.otv")));
    ASSERT_EQ(protocol.size(), 9);
    EXPECT_EQ(protocol[5], QStringLiteral("Правильно:___101000 * 101000 * Первый"));
    EXPECT_EQ(protocol[6], QStringLiteral("Неправильно:_100000 * 000000 * Второй"));
    EXPECT_EQ(protocol[7], QStringLiteral("Неправильно:_ * Третий"));
}

TEST_F(Finishing, TypedAnswerOnTheScreenIsTakenOver)
{
    auto run = newRun();
    run->typed(1, QStringLiteral("ДА$YES"), QStringLiteral("нет"), QStringLiteral("Согласны?"));
    run->onScreen(1, QStringLiteral(" yes"));
    run->finish();
    resultBox();
    EXPECT_EQ(readLines(file(QStringLiteral("5 класс_Дроби_Иванов Иван_1.otv"))).at(5),
              QStringLiteral("Правильно:___ * Согласны?"));
}

TEST_F(Finishing, NoPointsAnywhereCountsEachQuestionAsOne)
{
    auto run = newRun();
    for (int i = 1; i <= 4; ++i)
        run->ticks(i, "100000", i <= 3 ? "100000" : "000000", QStringLiteral("Вопрос"), 0);
    run->onScreen(4, {}, {});
    run->finish();
    EXPECT_EQ(run->finished().percentLabel, QStringLiteral("Выполнено:  75%"));
    EXPECT_EQ(resultBox().text, QStringLiteral("Задано: 4 заданий. Всего возможных баллов:  4. Из них набрано:  3. "
                                               "Правильно выполнено:  75% задания. Ваша оценка:  4"));
    EXPECT_EQ(readLines(file(QStringLiteral("5 класс_Дроби_1.doc"))),
              QStringList{QStringLiteral("Иванов Иван               5 класс 1  3 4 75% 07.12.2026 9:05:03")});
}

TEST_F(Finishing, UnsafeNamesStayInTheTestFolderAndLinesKeepTheText)
{
    auto run = newRun();
    run->pupil().pupilName = QStringLiteral("../Иванов/Иван");
    run->pupil().topic = QStringLiteral("Дроби: ч.1/2");
    run->run().headerScreen.topic = run->pupil().topic.text();
    run->ticks(1, "100000", "100000", QStringLiteral("Вопрос"));
    run->onScreen(1, {}, {Qt::Checked});
    run->finish();
    services.takeMessage();
    QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    files.sort();
    QStringList expected{QStringLiteral("5 класс_Дроби_ ч.1_2_.._Иванов_Иван_1.otv"),
                         QStringLiteral("5 класс_Дроби_ ч.1_2_1.doc"), QStringLiteral("5 класс_S_Дроби_ ч.1_2_1.doc")};
    expected.sort();
    EXPECT_EQ(files, expected);
    EXPECT_EQ(readLines(file(QStringLiteral("5 класс_Дроби_ ч.1_2_.._Иванов_Иван_1.otv"))).at(0),
              QStringLiteral("Ф.И.О.: ../Иванов/Иван                "));
    EXPECT_TRUE(readLines(file(QStringLiteral("5 класс_Дроби_ ч.1_2_1.doc")))
                    .at(0)
                    .startsWith(QStringLiteral("../Иванов/Иван            5 класс")));
}

TEST_F(Finishing, RegisterHeldElsewhereStillShowsTheResult)
{
    const QString registerFile = file(QStringLiteral("5 класс_Дроби_1.doc"));
    writeLines(registerFile, {});
    QProcess holder;
    holder.start(QStringLiteral(REGISTER_WRITER), {QStringLiteral("hold"), registerFile, QStringLiteral("60000")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    auto run = newRun();
    twentyQuestions(*run, 15);
    run->finish(200ms);
    holder.kill();
    holder.waitForFinished(10000);

    const MessageRecord question = services.takeMessage();
    EXPECT_TRUE(question.question);
    EXPECT_TRUE(question.text.contains(registerFile)) << question.text.toStdString();
    EXPECT_TRUE(resultBox().text.endsWith(QStringLiteral("Ваша оценка:  4")));
    EXPECT_EQ(services.endCalls, 1);
    EXPECT_EQ(readLines(file(QStringLiteral("5 класс_Дроби_Иванов Иван_1.otv"))).size(), 26);
    EXPECT_EQ(readBytes(registerFile), QByteArray());
}

const char* const kProtocol = "5 класс_Дроби_Иванов Иван_1.otv";
const char* const kRegister = "5 класс_Дроби_1.doc";
const char* const kStatistics = "5 класс_S_Дроби_1.doc";

// A pipe or a link planted in a result file's place: the pupil is asked about
// it, the result is shown, and nothing is written into it or through it.
struct PlantedRow {
    const char* name;
    const char* file;
    bool link; // else a pipe
    const char* reason;
};

class PlantedResultFile : public Finishing, public ::testing::WithParamInterface<PlantedRow> {};

TEST_P(PlantedResultFile, IsRefusedAndTheRestIsWritten)
{
    const PlantedRow& row = GetParam();
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath("чужой.txt");
    writeLines(outside, {QStringLiteral("не трогать")});
    const QString planted = file(QString::fromUtf8(row.file));
    const QByteArray plantedName = QFile::encodeName(planted);
    ASSERT_EQ(row.link ? ::symlink(QFile::encodeName(outside).constData(), plantedName.constData())
                       : ::mkfifo(plantedName.constData(), 0644),
              0);
    auto run = newRun();
    twentyQuestions(*run, 15);
    run->finish();

    const MessageRecord question = services.takeMessage();
    EXPECT_TRUE(question.question);
    EXPECT_TRUE(question.text.contains(planted)) << question.text.toStdString();
    EXPECT_TRUE(question.text.contains(QString::fromUtf8(row.reason))) << question.text.toStdString();
    EXPECT_TRUE(resultBox().text.endsWith(QStringLiteral("Ваша оценка:  4")));
    EXPECT_EQ(readLines(outside), QStringList{QStringLiteral("не трогать")});
    EXPECT_EQ(QFileInfo(planted).isSymLink(), row.link);
    for (const char* other : {kProtocol, kRegister, kStatistics}) {
        // Without its register line the statistics are not rebuilt.
        const bool written = other != row.file && !(row.file == kRegister && other == kStatistics);
        if (written) {
            EXPECT_FALSE(readLines(file(QString::fromUtf8(other))).isEmpty()) << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Links, PlantedResultFile,
    ::testing::Values(PlantedRow{"ProtocolLink", kProtocol, true, "символическая ссылка"},
                      PlantedRow{"RegisterLink", kRegister, true, "символическая ссылка"},
                      PlantedRow{"StatisticsLink", kStatistics, true, "символическая ссылка"},
                      PlantedRow{"ProtocolPipe", kProtocol, false, "не обычный файл"},
                      PlantedRow{"RegisterPipe", kRegister, false, "не обычный файл"},
                      PlantedRow{"StatisticsPipe", kStatistics, false, "не обычный файл"}),
    [](const auto& info) { return std::string(info.param.name); });

// A full disk on a file server: on a small file system of its own (root only).
TEST_F(Finishing, AFullDiskLosesNothingAndTearsNothing)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "tmpfs cannot be mounted here: " << std::strerror(errno);
    const std::unique_ptr<const char, void (*)(const char*)> unmount(mountPoint.constData(),
                                                                     [](const char* at) { ::umount(at); });
    // A register that fills its blocks exactly, so that one more line needs space the disk has not.
    const QString firstLine = QStringLiteral("Петров Пётр               5 класс 1  18 5 90% 06.12.2026 10:00:00");
    const QString filled = firstLine + QString(4096 - 2 - firstLine.size(), u' ');
    const QStringList statistics = {QStringLiteral("Статистика сдачи теста"), QStringLiteral("5:  1   100%")};
    writeLines(file(kRegister), {filled});
    writeLines(file(kStatistics), statistics);
    writeBytes(file("заполнитель"), QByteArray(64 * 1024, 'x')); // takes what is left
    auto run = newRun();
    twentyQuestions(*run, 15);
    run->finish();

    for (const char* about : {"протокол", "журнал класса"}) {
        const MessageRecord question = services.takeMessage();
        EXPECT_TRUE(question.question);
        EXPECT_TRUE(question.text.contains(QString::fromUtf8(about))) << question.text.toStdString();
    }
    EXPECT_TRUE(resultBox().text.endsWith(QStringLiteral("Ваша оценка:  4")));
    EXPECT_EQ(readLines(file(kRegister)), QStringList{filled});
    EXPECT_EQ(readLines(file(kStatistics)), statistics);
    EXPECT_FALSE(QFile::exists(file(kProtocol)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "a temporary was left behind";
}

} // namespace
