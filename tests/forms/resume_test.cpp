// A pupil whose computer dies in the middle of a quiz takes it up again: the
// same questions in the same order, the answers, the position and the time left,
// and in the end the same result files as if nothing had happened.
#include "forms/frm_gl.h"

#include "tests/support/files.h"
#include "tests/support/form_controls.h"
#include "tests/support/recording_services.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QStringList kQuiz = {
    QStringLiteral("Математика"), QStringLiteral("Дроби"), "1", "2", "3,3", "80,60,40",
    "1", "4", QStringLiteral("Какие дроби равны 1/2?"), "2/4", "1/3", "3/6", "2/5",
    "2", "1", QStringLiteral("Сколько будет 2+2?"), "",
    "1", "2", QStringLiteral("Больше ли 2/3, чем 3/4?"), QStringLiteral("Да"), QStringLiteral("Нет"),
};

// A draw that puts the questions and the options out of the file's order.
std::deque<double> shuffledDraw()
{
    std::deque<double> values;
    for (int i = 0; i < 60; ++i)
        values.push_back(double((i * 37 + 11) % 100) / 100.0);
    return values;
}

// One run of the pupil's program on a classroom folder of its own, up to the main form.
class Desk {
public:
    Desk(const QString& folder, const QString& journals) : folder_(folder), journals_(journals) { open(); }

    void open()
    {
        run_ = std::make_unique<QuizRun>();
        run_->pupil.pupilName = QStringLiteral("Иванов Иван");
        run_->pupil.pupilClass = QStringLiteral("05 5 класс");
        services_ = std::make_unique<RecordingServices>();
        services_->randomValues = shuffledDraw();
        form_ = std::make_unique<FrmGl>(*run_, *services_, DeskSetup{journals_, {}});
        form_->load();
        run_->pupil.testFolder = folder_ + u'/';
        run_->pupil.testPath = folder_ + QStringLiteral("/Дроби.tst");
    }
    // The computer dies: nothing of the program runs any more.
    void kill()
    {
        form_.reset();
        services_.reset();
        run_.reset();
    }
    void begin(std::deque<bool> answers = {})
    {
        services_->yesNoAnswers = std::move(answers);
        c().cmdBegin.click();
    }
    void tick(int k) { c().Otv[std::size_t(k)]->click(); }
    void next() { c().cmdNapravo.click(); }
    void type(const QString& text)
    {
        c().TxtOtvets[0]->moveCursor(QTextCursor::End);
        c().TxtOtvets[0]->insertPlainText(text);
        QTest::qWait(1200); // the typing is kept once it pauses for a second
    }
    void second() { QMetaObject::invokeMethod(&c().Tmr, "timeout"); }
    void finish() { c().cmdExit.click(); }

    // What the pupil sees of the question area.
    QStringList screen()
    {
        QStringList seen{c().LblVopros.text(), c().txtVopros.toPlainText(), QString::number(run_->attempt.timeLeft)};
        for (std::size_t k = 0; k < 6; ++k)
            seen << (c().TxtOtvets[k]->isHidden() ? QStringLiteral("-") : c().TxtOtvets[k]->toPlainText())
                 << QString::number(c().Otv[k]->checkState());
        return seen;
    }

    MainForm c() { return MainForm(*form_); }
    RecordingServices& services() { return *services_; }
    QuizRun& run() { return *run_; }

private:
    QString folder_;
    QString journals_;
    std::unique_ptr<QuizRun> run_;
    std::unique_ptr<RecordingServices> services_;
    std::unique_ptr<FrmGl> form_;
};

struct Classroom {
    Classroom()
    {
        writeLines(dir.filePath("Дроби.tst"), kQuiz);
        writeLines(dir.filePath("Дроби.tsb"), {"2", "1", "1"});
        writeLines(dir.filePath("Дроби.ts1"), {"224456", QStringLiteral("четыре$4"), "133456"});
    }
    QByteArray file(const char* name) const { return readBytes(dir.filePath(QString::fromUtf8(name))); }
    QTemporaryDir dir;
    QTemporaryDir journals;
};

using Actions = std::function<void(Desk&)>;

struct KillRow {
    const char* name;
    Actions beforeKill;
    Actions afterTakingUp;
};

class TakenUp : public ::testing::TestWithParam<KillRow> {};

TEST_P(TakenUp, AsIfNothingHadHappened)
{
    const KillRow& row = GetParam();
    Classroom uninterrupted;
    Desk reference(uninterrupted.dir.path(), uninterrupted.journals.path());
    reference.begin();
    row.beforeKill(reference);
    row.afterTakingUp(reference);
    reference.finish();

    Classroom interrupted;
    Desk desk(interrupted.dir.path(), interrupted.journals.path());
    desk.begin();
    row.beforeKill(desk);
    const QStringList before = desk.screen();
    desk.kill();

    desk.open();
    desk.begin({true});
    const MessageRecord offer = desk.services().takeMessage();
    EXPECT_TRUE(offer.question);
    EXPECT_TRUE(offer.text.startsWith(QStringLiteral("Продолжить прерванную работу? Осталось "))) << offer.text.toStdString();
    EXPECT_EQ(desk.services().randomizeCalls, 0) << "a pupil taken up again gets no new draw";
    EXPECT_EQ(desk.screen(), before);
    row.afterTakingUp(desk);
    desk.finish();

    for (const char* name : {"5 класс_Дроби_Иванов Иван_1.otv", "5 класс_Дроби_1.doc", "5 класс_S_Дроби_1.doc"})
        EXPECT_EQ(interrupted.file(name), uninterrupted.file(name)) << name;
    EXPECT_TRUE(QDir(interrupted.journals.path()).isEmpty()) << "the journal outlived the finished quiz";
    reference.services().takeMessage();
    desk.services().takeMessage();
}

INSTANTIATE_TEST_SUITE_P(
    Kill, TakenUp,
    ::testing::Values(KillRow{"AfterTheFirstMove",
                              [](Desk& d) {
                                  d.tick(0);
                                  d.tick(2);
                                  d.next();
                              },
                              [](Desk& d) {
                                  d.next();
                                  d.tick(1);
                              }},
                      KillRow{"MidTyping",
                              [](Desk& d) {
                                  while (d.run().questionBank(d.run().attempt.currentQuestion).answerForm != u'2')
                                      d.next();
                                  d.type(QStringLiteral("четы"));
                              },
                              [](Desk& d) { d.type(QStringLiteral("ре")); }},
                      KillRow{"OneSecondBeforeTheEnd",
                              [](Desk& d) {
                                  d.tick(1);
                                  for (int s = 1; s <= 5; ++s)
                                      d.second();
                              },
                              [](Desk& d) { d.second(); }}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedRow {
    const char* name;
    std::function<void(Classroom&, Desk&)> spoil;
};

class JournalNotTakenUp : public ::testing::TestWithParam<RefusedRow> {};

// A journal that cannot be trusted is dropped without a word: the quiz starts afresh.
TEST_P(JournalNotTakenUp, StartsAfresh)
{
    Classroom room;
    Desk desk(room.dir.path(), room.journals.path());
    desk.begin();
    desk.tick(0);
    desk.next();
    desk.kill();
    desk.open();
    GetParam().spoil(room, desk);
    desk.begin();
    EXPECT_EQ(desk.services().pendingMessages(), 0u);
    EXPECT_EQ(desk.services().randomizeCalls, 2) << "a new draw";
    EXPECT_EQ(desk.run().attempt.currentQuestion, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Journal, JournalNotTakenUp,
    ::testing::Values(RefusedRow{"Damaged",
                                 [](Classroom& room, Desk&) {
                                     for (const QString& name : QDir(room.journals.path()).entryList(QDir::Files))
                                         writeBytes(QDir(room.journals.path()).filePath(name), "не журнал");
                                 }},
                      RefusedRow{"QuizChanged",
                                 [](Classroom& room, Desk&) {
                                     writeLines(room.dir.filePath("Дроби.tsb"), {"3", "1", "1"});
                                 }},
                      RefusedRow{"OlderThanADay",
                                 [](Classroom&, Desk& desk) { desk.services().nowValue = desk.services().nowValue.addDays(2); }},
                      RefusedRow{"AnotherPupil",
                                 [](Classroom&, Desk& desk) { desk.run().pupil.pupilName = QStringLiteral("Петров Пётр"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JournalOffer, DeclinedTwiceStartsAfreshAndDropsTheJournal)
{
    Classroom room;
    Desk desk(room.dir.path(), room.journals.path());
    desk.begin();
    desk.next();
    desk.kill();
    desk.open();
    desk.begin({false, true});
    desk.services().takeMessage();
    EXPECT_EQ(desk.services().takeMessage().text, QStringLiteral("Начатая работа будет потеряна. Начать заново?"));
    EXPECT_EQ(desk.services().randomizeCalls, 2);
    EXPECT_EQ(desk.run().attempt.currentQuestion, 1);
    EXPECT_EQ(QDir(room.journals.path()).entryList(QDir::Files).size(), 1) << "one journal, of the new start";
}

} // namespace
