#include "main_form_fixture.h"

#include <QApplication>
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
    run->pupil.pupilName = QStringLiteral("Иванова Мария");
    run->pupil.testFolder = folder.path() + u'/';
    form = std::make_unique<FrmGl>(*run, services);
    form->load();
}

void ScreenTest::start(const std::vector<QuestionRecord>& questions)
{
    for (std::size_t p = 0; p < questions.size(); ++p)
        bank(int(p) + 1) = questions[p];
    run->header.askCount = std::int16_t(questions.size());
    beginQuiz(*run, services.now());
    form->showRun();
}

void ScreenTest::next()
{
    c().cmdNapravo.click();
}

void ScreenTest::previous()
{
    c().cmdNalevo.click();
}

void ScreenTest::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // The focused control is the first to receive a key, as at the keyboard.
    QWidget* target = QApplication::focusWidget();
    if (!target || !form->isAncestorOf(target))
        target = form.get();
    QTest::keyClick(target, key, modifiers);
}

bool ScreenTest::shown(const QWidget& widget)
{
    return !widget.isHidden();
}
