#include "main_form_fixture.h"


#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const QString kTick = QStringLiteral("Поставьте галочку напротив правильного ответа (или ответов).");
const QString kType = QStringLiteral("Наберите на клавиатуре правильный ответ. Слова отделяются только одним пробелом.");

// The first answer row after moving from one question to the next.
struct RowCase {
    const char* name;
    QuestionRecord before;
    QuestionRecord after;
    int left, width;
    bool locked, tickShown;
    QString instruction;
    int rowsShown;
};

class FirstRow : public ScreenTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(FirstRow, FollowsTheAnswerFormOrKeepsItsLayoutWithoutOptions)
{
    const RowCase& row = GetParam();
    start({row.before, row.after});
    next();
    QPlainTextEdit& box = *c().TxtOtvets[0];
    EXPECT_EQ(twipsOf(box).left, row.left);
    EXPECT_EQ(twipsOf(box).width, row.width);
    EXPECT_EQ(box.isReadOnly(), row.locked);
    EXPECT_EQ(shown(*c().Otv[0]), row.tickShown);
    EXPECT_EQ(c().LblZ.text(), row.instruction);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(shown(*c().TxtOtvets[k]), k < row.rowsShown) << "row " << k;
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  2"));
}

const QuestionRecord kTyped = question(u'2', QStringLiteral("Столица России?"), {QString()});
const QuestionRecord kTicked = question(u'1', QStringLiteral("Простые числа?"), {"2", "4", "5"});

INSTANTIATE_TEST_SUITE_P(
    Display, FirstRow,
    ::testing::Values(
        RowCase{"tickAfterTyped", kTyped, kTicked, 360, 5295, true, true, kTick, 3},
        RowCase{"typedAfterTick", kTicked, kTyped, 120, 11175, false, false, kType, 1},
        RowCase{"formThreeKeepsInstruction", kTyped, question(u'3', "?", {"a", "b"}), 360, 5295, true, true, kType, 2},
        RowCase{"noOptionsKeepTypedLayout", kTyped, question(u'1', "?", {}), 120, 11175, false, false, kTick, 0},
        RowCase{"noOptionsKeepTickLayout", kTicked, question(u'2', "?", {}), 360, 5295, true, false, kType, 0},
        RowCase{"sevenOptionsShowSix", kTyped, [] {
                    QuestionRecord r = question(u'1', "?", {"1", "2", "3", "4", "5", "6"});
                    r.optionCount = u'9';
                    return r;
                }(), 360, 5295, true, true, kTick, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, TicksAndTypedTextComeBackAfterMoves)
{
    start({question(u'1', "?", {"a", "b", "c", "d"}), question(u'2', "?", {QString()}), question(u'1', "?", {"x"})});
    c().Otv[0]->setCheckState(Qt::Checked);
    c().Otv[1]->setCheckState(Qt::PartiallyChecked);
    c().Otv[2]->setCheckState(Qt::Checked);
    key(Qt::Key_PageDown);
    typeText(c().TxtOtvets[0], QStringLiteral("Москва"));
    key(Qt::Key_PageDown);
    EXPECT_EQ(state().typedAnswers(2), QStringLiteral("Москва"));
    EXPECT_EQ(bank(2).optionText(1), QStringLiteral("Москва"));
    for (int j = 1; j <= 6; ++j)
        EXPECT_EQ(state().answerFlags(j, 1), j == 1 || j == 3 ? 1 : 0) << "option " << j;

    previous();
    EXPECT_EQ(c().TxtOtvets[0]->toPlainText(), QStringLiteral("Москва"));
    previous();
    EXPECT_EQ(c().Otv[0]->checkState(), Qt::Checked);
    EXPECT_EQ(c().Otv[1]->checkState(), Qt::Unchecked);
    EXPECT_EQ(c().Otv[2]->checkState(), Qt::Checked);
    EXPECT_EQ(c().Otv[3]->checkState(), Qt::Unchecked);
}

struct PictureCase {
    const char* name;
    QString file;       // made in the test folder, "" for none
    QByteArray content; // written instead of a JPEG when not empty
    QString questionText;
    bool pictureShown, pictureLoaded;
    QString pictureName;
};

class QuestionPicture : public ScreenTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(QuestionPicture, IsLoadedFromTheTestFolderBesideTheNarrowedText)
{
    const PictureCase& row = GetParam();
    if (!row.content.isEmpty()) {
        QFile file(folder.filePath(row.file));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.content);
    } else if (!row.file.isEmpty()) {
        makeJpeg(folder, row.file, QSize(800, 600));
    }
    start({question(u'1', row.questionText, {"a", "b"})});
    EXPECT_EQ(shown(c().ImgVopros), row.pictureShown);
    EXPECT_EQ(!c().ImgVopros.pixmap().isNull(), row.pictureLoaded);
    const Twips text = twipsOf(c().txtVopros);
    EXPECT_EQ(std::pair(text.left, text.width), row.pictureShown ? std::pair(3500, 7795) : std::pair(120, 11175));
    EXPECT_EQ(c().txtVopros.toPlainText(), row.questionText);
    if (row.pictureShown) {
        EXPECT_EQ(run->screen.pictureName, row.pictureName);
    }
    EXPECT_TRUE(shown(*c().TxtOtvets[1]));
    EXPECT_EQ(c().TxtOtvets[1]->toPlainText(), QStringLiteral("b"));
}

INSTANTIATE_TEST_SUITE_P(
    Display, QuestionPicture,
    ::testing::Values(
        PictureCase{"nameBeforeSemicolon", "cat.jpg", {}, "cat.jpg;Кто это?", true, true, "cat.jpg"},
        PictureCase{"capitalsAreNoPicture", "cat.JPG", {}, "cat.JPG;Кто это?", false, false, {}},
        PictureCase{"missingFileLeavesItEmpty", {}, {}, "dog.jpg;Кто это?", true, false, "dog.jpg"},
        PictureCase{"unreadableFileLeavesItEmpty", "bad.jpg", "not a picture", "bad.jpg;Кто это?", true, false, "bad.jpg"},
        PictureCase{"noSemicolonNameEndsAtExtension", "cat.jpg", {}, "cat.jpg Кто это?", true, true, "cat.jpg"},
        PictureCase{"semicolonBeforeExtension", "cat.jpg", {}, "Кто это; cat.jpg", true, false, "Кто это"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, PictureOptionShowsItsImageBesideItsTickAndIsEmptiedOnLeaving)
{
    makeJpeg(folder, "b.jpg", QSize(400, 300));
    c().Otv[1]->setText(QStringLiteral("старая подпись"));
    start({question(u'1', "?", {"a", "b.jpg", "c"}), question(u'1', "?", {"x"})});
    EXPECT_FALSE(shown(*c().TxtOtvets[1]));
    EXPECT_TRUE(shown(*c().Otv[1]));
    EXPECT_EQ(c().Otv[1]->text(), QString());
    EXPECT_FALSE(c().Img[1]->pixmap().isNull());
    EXPECT_TRUE(c().Img[0]->pixmap().isNull());
    EXPECT_TRUE(shown(*c().TxtOtvets[2]));
    c().Otv[1]->setCheckState(Qt::Checked);
    next();
    EXPECT_TRUE(c().Img[1]->pixmap().isNull());
    EXPECT_EQ(bank(1).optionText(2), QStringLiteral("b.jpg"));
    EXPECT_EQ(state().answerFlags(2, 1), 1);
}

struct PointsCase {
    const char* name;
    QString typed;
    int kept;
};

class PointsBox : public ScreenTest, public ::testing::WithParamInterface<PointsCase> {};

// The holder is never shown, but what it holds must not wipe out a question's points.
TEST_P(PointsBox, IsReadBackAsAWholeNumberOrLeavesThePoints)
{
    QuestionRecord r = question(u'1', "?", {"a"});
    r.points = -3;
    start({r});
    EXPECT_EQ(c().CboBall.currentText(), QStringLiteral("-3"));
    run->screen.points = GetParam().typed;
    next();
    EXPECT_EQ(bank(1).points, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Display, PointsBox,
                         ::testing::Values(PointsCase{"unchanged", "-3", -3}, PointsCase{"number", " 12 ", 12},
                                           PointsCase{"notANumber", "пять", -3},
                                           PointsCase{"beyondSixteenBits", "40000", -3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, PositionTwelveAndTextsAreShownAndTakenBackExactly)
{
    std::vector<QuestionRecord> questions(12, question(u'1', "?", {"a"}));
    // A non-breaking space from the authoring tool must survive the round trip.
    questions[11] = question(u'1', QStringLiteral("Сколько будет 2\u00A0+\u00A02?"), {QStringLiteral("4\u00A0шт.")});
    start(questions);
    for (int p = 2; p <= 12; ++p)
        next();
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  12"));
    next();
    EXPECT_EQ(bank(12).questionText, QStringLiteral("Сколько будет 2\u00A0+\u00A02?"));
    EXPECT_EQ(bank(12).optionText(1), QStringLiteral("4\u00A0шт."));
}

TEST_F(ScreenTest, EnterTypesNothingInAnAnswerBox)
{
    start({question(u'2', "?", {QString()})});
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QPlainTextEdit* box = c().TxtOtvets[0];
    box->setFocus();
    typeText(box, QStringLiteral("два"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    typeText(box, QStringLiteral(" три"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("два три"));
}

} // namespace
