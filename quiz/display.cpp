#include "quiz/display.h"

#include "runtime/conversions.h"
#include "ui/picture.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace {

const QString kPictureExtension = QStringLiteral(".jpg");

// The number of option rows a record asks for: a non-digit counts as none, and
// the screen has no more than six rows whatever the record says.
int rowsOf(QChar optionCount)
{
    return std::clamp(digitValue(optionCount), 0, kMaxOptions);
}

class AnswerKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

std::vector<PictureLoad> picturesOf(const MainControls& c, const Session& session, int position)
{
    const QuestionRecord& r = session.questionBank(position);
    const QString& folder = session.pupil.testFolder;
    std::vector<PictureLoad> pictures;
    if (namesPicture(r.questionText))
        pictures.push_back({&c.ImgVopros, folder + questionPictureName(r.questionText)});
    for (int j = 1, n = rowsOf(r.optionCount); j <= n; ++j)
        if (namesPicture(r.optionText(j)))
            pictures.push_back({c.Img[j - 1], folder + r.optionText(j)});
    return pictures;
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

QString textOf(const QPlainTextEdit& box)
{
    // The plain-text form would turn non-breaking spaces of a test into blanks.
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void setInstruction(QLabel& LblZ, QChar answerForm)
{
    switch (digitValue(answerForm)) {
    case 1: LblZ.setText(QStringLiteral("Поставьте галочку напротив правильного ответа (или ответов).")); break;
    case 2:
        LblZ.setText(QStringLiteral("Наберите на клавиатуре правильный ответ. Слова отделяются только одним пробелом."));
        break;
    default: break;
    }
}

void leaveQuestion(const MainControls& c, Session& session, Attempt& state)
{
    for (QLabel* image : c.Img)
        clearPicture(*image);
    clearPicture(c.ImgVopros);

    const int p = state.currentQuestion;
    QuestionRecord& r = session.questionBank(p);
    r.answerForm = firstChar(c.TxtVid.text());
    // The points box is never shown, so it holds what showQuestion put there; should
    // it hold no whole number all the same, the question keeps its points.
    if (const auto number = parseNumber(c.CboBall.currentText()))
        if (const auto points = toInt16(*number))
            r.points = *points;
    r.optionCount = firstChar(c.TxtOtvetov.text());
    r.questionText = textOf(c.txtVopros);
    state.typedAnswers(p) = textOf(*c.TxtOtvets[0]);
    for (int j = 1, n = rowsOf(r.optionCount); j <= n; ++j) {
        r.optionText(j) = textOf(*c.TxtOtvets[j - 1]);
        state.answerFlags(j, p) = c.Otv[j - 1]->checkState() == Qt::Checked ? 1 : 0;
    }
    for (int k = 0; k < kMaxOptions; ++k) {
        c.TxtOtvets[k]->clear();
        c.Otv[k]->hide();
        c.TxtOtvets[k]->hide();
    }
}

void showQuestion(const MainControls& c, const Session& session, Attempt& state)
{
    for (QCheckBox* tick : c.Otv)
        tick->setCheckState(Qt::Unchecked);

    const int p = state.currentQuestion;
    const QuestionRecord& r = session.questionBank(p);
    c.TxtVid.setText(QString(r.answerForm));
    c.CboBall.setEditText(plainInt(r.points));
    setInstruction(c.LblZ, r.answerForm);
    c.TxtOtvetov.setText(QString(r.optionCount));
    c.txtVopros.setPlainText(r.questionText);
    c.txtVopros.show();

    if (namesPicture(r.questionText)) {
        c.ImgVopros.show();
        state.pictureName = questionPictureName(r.questionText);
        setLeftWidthInTwips(c.txtVopros, 3500, 7795);
    } else {
        c.ImgVopros.hide();
        setLeftWidthInTwips(c.txtVopros, 120, 11175);
    }

    // With no options the first row keeps the layout of the question before.
    if (const int n = rowsOf(r.optionCount); n > 0) {
        for (int j = 1; j <= n; ++j) {
            QCheckBox& tick = *c.Otv[j - 1];
            QPlainTextEdit& text = *c.TxtOtvets[j - 1];
            tick.show();
            text.show();
            text.setPlainText(r.optionText(j));
            tick.setCheckState(state.answerFlags(j, p) == 1 ? Qt::Checked : Qt::Unchecked);
            if (namesPicture(r.optionText(j))) {
                text.hide();
                tick.setText(QString());
            }
        }
        const bool typed = digitValue(firstChar(c.TxtVid.text())) == 2;
        c.Otv[0]->setVisible(!typed);
        if (typed)
            setLeftWidthInTwips(*c.TxtOtvets[0], 120, 11175);
        else
            setLeftWidthInTwips(*c.TxtOtvets[0], 360, 5295);
        c.TxtOtvets[0]->setReadOnly(!typed);
    }

    // Decoded together once the screen is set: the seven may be large photographs.
    c.pictures.show(picturesOf(c, session, p));
    c.LblVopros.setText(QStringLiteral("Задание: ") + strInt(p));

    // A move reaches only the questions before and after this one.
    const int askCount = session.header.askCount;
    if (askCount > 1) {
        std::vector<PictureLoad> ahead = picturesOf(c, session, p == askCount ? 1 : p + 1);
        const std::vector<PictureLoad> before = picturesOf(c, session, p == 1 ? askCount : p - 1);
        ahead.insert(ahead.end(), before.begin(), before.end());
        c.pictures.prefetch(ahead);
    }
}

void installAnswerKeyFilter(const MainControls& c)
{
    auto* filter = new AnswerKeyFilter(&c.form);
    for (QPlainTextEdit* box : c.TxtOtvets)
        box->installEventFilter(filter);
}
