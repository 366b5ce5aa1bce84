#include "main_form_fixture.h"

#include "quiz/navigation.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

struct MoveCase {
    const char* name;
    int askCount;
    int from;
    int keyCode, shiftState;
    int to;
};

class Move : public ScreenTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(Move, WrapsAroundAndIgnoresModifiers)
{
    const MoveCase& row = GetParam();
    std::vector<QuestionRecord> questions;
    for (int p = 1; p <= row.askCount; ++p)
        questions.push_back(question(u'1', QStringLiteral("Вопрос %1").arg(p), {"a", "b"}));
    start(questions);
    while (state().currentQuestion != row.from)
        next();
    c().Otv[1]->setCheckState(Qt::Checked);
    key(row.keyCode, row.shiftState);
    EXPECT_EQ(state().currentQuestion, row.to);
    EXPECT_EQ(c().txtVopros.toPlainText(), QStringLiteral("Вопрос %1").arg(row.to));
    EXPECT_EQ(state().answerFlags(2, row.from), 1);
    EXPECT_EQ(c().Otv[1]->checkState(), row.to == row.from ? Qt::Checked : Qt::Unchecked);
}

INSTANTIATE_TEST_SUITE_P(Navigation, Move,
                         ::testing::Values(MoveCase{"pageDownFromLast", 5, 5, 34, 0, 1},
                                           MoveCase{"pageUpFromFirst", 5, 1, 33, 0, 5},
                                           MoveCase{"pageDownWithCtrl", 5, 2, 34, 2, 3},
                                           MoveCase{"pageDownWithShift", 5, 2, 34, 1, 3},
                                           MoveCase{"pageUpWithCtrlAltShift", 5, 3, 33, 7, 2},
                                           MoveCase{"pageDownOnlyQuestion", 1, 1, 34, 0, 1},
                                           MoveCase{"pageUpOnlyQuestion", 1, 1, 33, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, FirstMoveSavesNothingAndTwoPageDownsSaveBoth)
{
    c().TxtVid.setText(QStringLiteral("2"));
    start({question(u'1', "?", {"a"}), question(u'2', "?", {QString()}), question(u'1', "?", {"c"})});
    EXPECT_EQ(bank(1).answerForm, u'1');
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  1"));
    c().Otv[0]->setCheckState(Qt::Checked);
    key(34, 0);
    c().TxtOtvets[0]->setPlainText(QStringLiteral("42"));
    key(34, 0);
    EXPECT_EQ(state().currentQuestion, 3);
    EXPECT_EQ(state().answerFlags(1, 1), 1);
    EXPECT_EQ(state().typedAnswers(2), QStringLiteral("42"));
}

TEST_F(ScreenTest, KeysAndMovesDoNothingWhileNoTestRuns)
{
    // As after a failed start: a header may have been read, the test never began.
    session->header.askCount = 5;
    for (int code : {33, 34}) {
        key(code, 0);
        next();
        previous();
    }
    session->header.askCount = 0;
    state().quizRunning = true;
    key(34, 0);
    key(33, 0);
    EXPECT_EQ(state().currentQuestion, 1);
    EXPECT_FALSE(shown(c().txtVopros));
    EXPECT_FALSE(shown(c().LblVopros));
}

TEST_F(ScreenTest, MovesLeaveTheTimeAlone)
{
    start({question(u'1', "?", {"a"}), question(u'1', "?", {"b"})});
    state().timeLeft = 600;
    next();
    key(33, 0);
    c().Otv[0]->setCheckState(Qt::Checked);
    previous();
    EXPECT_EQ(state().timeLeft, 600);
}

struct NoticeCase {
    const char* name;
    int keyCode, shiftState;
    bool notice;
};

class ProductNotice : public ScreenTest, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(ProductNotice, OpensOnCtrlAltF1Only)
{
    key(GetParam().keyCode, GetParam().shiftState);
    ASSERT_EQ(services.pendingMessages(), GetParam().notice ? 1u : 0u);
    if (!GetParam().notice)
        return;
    const MessageRecord box = services.takeMessage();
    EXPECT_EQ(box.icon, MessageIcon::Information);
    for (const QString& text : {box.title, box.text}) {
        EXPECT_TRUE(text.contains(QStringLiteral("Школьник"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("1.0.0"))) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Navigation, ProductNotice,
                         ::testing::Values(NoticeCase{"ctrlAltF1", 112, 6, true}, NoticeCase{"f1", 112, 0, false},
                                           NoticeCase{"ctrlF1", 112, 2, false}, NoticeCase{"altF1", 112, 4, false},
                                           NoticeCase{"ctrlAltShiftF1", 112, 7, false},
                                           NoticeCase{"ctrlAltPageDown", 34, 6, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
