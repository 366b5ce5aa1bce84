#include "main_form_fixture.h"


#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

struct MoveCase {
    const char* name;
    int askCount;
    int from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
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
    key(row.key, row.modifiers);
    EXPECT_EQ(state().currentQuestion, row.to);
    EXPECT_EQ(c().txtVopros.toPlainText(), QStringLiteral("Вопрос %1").arg(row.to));
    EXPECT_EQ(state().answerFlags(2, row.from), 1);
    EXPECT_EQ(c().Otv[1]->checkState(), row.to == row.from ? Qt::Checked : Qt::Unchecked);
}

INSTANTIATE_TEST_SUITE_P(Navigation, Move,
                         ::testing::Values(MoveCase{"pageDownFromLast", 5, 5, Qt::Key_PageDown, {}, 1},
                                           MoveCase{"pageUpFromFirst", 5, 1, Qt::Key_PageUp, {}, 5},
                                           MoveCase{"pageDownWithCtrl", 5, 2, Qt::Key_PageDown, Qt::ControlModifier, 3},
                                           MoveCase{"pageDownWithShift", 5, 2, Qt::Key_PageDown, Qt::ShiftModifier, 3},
                                           MoveCase{"pageUpWithCtrlAltShift", 5, 3, Qt::Key_PageUp,
                                                    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, 2},
                                           MoveCase{"pageDownOnlyQuestion", 1, 1, Qt::Key_PageDown, {}, 1},
                                           MoveCase{"pageUpOnlyQuestion", 1, 1, Qt::Key_PageUp, {}, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, FirstMoveSavesNothingAndTwoPageDownsSaveBoth)
{
    run->screen.answerForm = QStringLiteral("2");
    start({question(u'1', "?", {"a"}), question(u'2', "?", {QString()}), question(u'1', "?", {"c"})});
    EXPECT_EQ(bank(1).answerForm, u'1');
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  1"));
    c().Otv[0]->setCheckState(Qt::Checked);
    key(Qt::Key_PageDown);
    c().TxtOtvets[0]->setPlainText(QStringLiteral("42"));
    key(Qt::Key_PageDown);
    EXPECT_EQ(state().currentQuestion, 3);
    EXPECT_EQ(state().answerFlags(1, 1), 1);
    EXPECT_EQ(state().typedAnswers(2), QStringLiteral("42"));
}

TEST_F(ScreenTest, KeysAndMovesDoNothingWhileNoQuizRuns)
{
    // As after a failed start: a header may have been read, the quiz never began.
    run->header.askCount = 5;
    for (Qt::Key pageKey : {Qt::Key_PageUp, Qt::Key_PageDown}) {
        key(pageKey);
        next();
        previous();
    }
    run->header.askCount = 0;
    run->stage = QuizStage::Running;
    next();
    previous();
    EXPECT_FALSE(moveNext(*run, {}));
    EXPECT_EQ(state().currentQuestion, 1);
    EXPECT_FALSE(shown(c().txtVopros));
    EXPECT_FALSE(shown(c().LblVopros));
}

TEST_F(ScreenTest, MovesLeaveTheTimeAlone)
{
    start({question(u'1', "?", {"a"}), question(u'1', "?", {"b"})});
    state().timeLeft = 600;
    next();
    key(Qt::Key_PageUp);
    c().Otv[0]->setCheckState(Qt::Checked);
    previous();
    EXPECT_EQ(state().timeLeft, 600);
}

struct NoticeCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool notice;
};

const Qt::KeyboardModifiers kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

class ProductNotice : public ScreenTest, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(ProductNotice, OpensOnCtrlAltF1Only)
{
    start({question(u'1', "?", {"a"})});
    key(GetParam().key, GetParam().modifiers);
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
                         ::testing::Values(NoticeCase{"ctrlAltF1", Qt::Key_F1, kCtrlAlt, true},
                                           NoticeCase{"f1", Qt::Key_F1, {}, false},
                                           NoticeCase{"ctrlF1", Qt::Key_F1, Qt::ControlModifier, false},
                                           NoticeCase{"altF1", Qt::Key_F1, Qt::AltModifier, false},
                                           NoticeCase{"ctrlAltShiftF1", Qt::Key_F1, kCtrlAlt | Qt::ShiftModifier, false},
                                           NoticeCase{"ctrlAltPageDown", Qt::Key_PageDown, kCtrlAlt, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
