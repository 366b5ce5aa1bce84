#include "main_form_fixture.h"

#include "quiz/navigation.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>

QString makeJpeg(const QTemporaryDir& folder, const QString& name, QSize size, bool turned)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height() / 2, Qt::yellow);
    const QString path = folder.filePath(name);
    EXPECT_TRUE(image.save(path, "JPG"));
    if (turned) {
        // An EXIF segment right after the start marker: orientation 6, turn right.
        static const char exif[] = "\xFF\xE1\x00\x22"
                                   "Exif\0\0MM\x00\x2A\x00\x00\x00\x08\x00\x01"
                                   "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00\x00\x00\x00\x00";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll().insert(2, QByteArray(exif, sizeof exif - 1));
        file.seek(0);
        file.write(bytes);
    }
    return path;
}

QuestionRecord question(QChar answerForm, const QString& text, const QStringList& options)
{
    QuestionRecord r;
    r.answerForm = answerForm;
    r.optionCount = QChar(char16_t(u'0' + options.size()));
    r.questionText = text;
    r.points = 1;
    for (int j = 1; j <= options.size() && j <= kMaxOptions; ++j)
        r.optionText(j) = options[j - 1];
    return r;
}

ScreenTest::ScreenTest()
{
    session->pupil.pupilName = QStringLiteral("Иванова Мария");
    session->pupil.testFolder = folder.path() + u'/';
    form = std::make_unique<FrmGl>(*session, services);
    form->load();
}

void ScreenTest::start(const std::vector<QuestionRecord>& questions)
{
    for (std::size_t p = 0; p < questions.size(); ++p)
        bank(int(p) + 1) = questions[p];
    session->header.askCount = std::int16_t(questions.size());
    state().quizRunning = true;
    state().currentQuestion = 0;
    next();
}

void ScreenTest::next()
{
    moveNext(c(), *session, state());
}

void ScreenTest::previous()
{
    movePrevious(c(), *session, state());
}

void ScreenTest::key(int keyCode, int shiftState)
{
    keyDown(keyCode, shiftState, c(), *session, state(), services);
}

bool ScreenTest::shown(const QWidget& widget)
{
    return !widget.isHidden();
}
