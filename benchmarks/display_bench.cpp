// One move to a question with a picture and six picture options, each picture a
// 12-megapixel JPEG: what the pupil waits for after PageDown, once the pictures
// were decoded ahead while the pupil read the question before; the same pictures
// shown with nothing decoded ahead, as the first question of a test is; and a
// move made right after another, before the pictures ahead could be decoded.
#include "forms/frm_gl.h"
#include "quiz/quiz_run.h"

#include "ui/picture.h"
#include "ui/qt_services.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

// A photograph-like picture: shapes in many colours over a gradient, with sensor
// noise, so the file is as large as a camera's and not a trivial one.
QImage photograph(int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(quint32(seed + 1));
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 4000, 3000);
    sky.setColorAt(0, QColor::fromHsv(random.bounded(360), 120, 230));
    sky.setColorAt(1, QColor::fromHsv(random.bounded(360), 200, 90));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromHsv(random.bounded(360), random.bounded(256), random.bounded(256),
                                         80 + random.bounded(176)));
        painter.drawEllipse(random.bounded(4000), random.bounded(3000), 40 + random.bounded(600),
                            40 + random.bounded(600));
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = int(random.bounded(13)) - 6;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + noise, 255), qBound(0, qGreen(c) + noise, 255),
                           qBound(0, qBlue(c) + noise, 255));
        }
    }
    return image;
}

// The seven pictures of each of two questions, saved once at each JPEG quality
// measured: 90 as cameras save, 75 as image editors do by default.
struct Pictures {
    QTemporaryDir folder;
    qint64 bytes[2] = {};

    Pictures()
    {
        for (int k = 0; k < 14; ++k) {
            const QImage image = photograph(k);
            for (int quality : {75, 90}) {
                const QString path = folder.filePath(fileName(quality, k));
                if (!image.save(path, "JPG", quality))
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                bytes[quality == 90] += QFileInfo(path).size();
            }
        }
    }
    static QString fileName(int quality, int k) { return QStringLiteral("q%1_photo%2.jpg").arg(quality).arg(k); }
};

// Made once, on first use: saving 28 large photographs takes a while.
const Pictures& photos()
{
    static const Pictures made;
    return made;
}

// A running quiz of questions with seven photographs each, no two questions
// naming the same file: beyond the 14 photographs, copies under new names.
std::unique_ptr<QuizRun> pictureQuiz(int quality, int questions)
{
    auto run = std::make_unique<QuizRun>();
    run->pupil.pupilName = QStringLiteral("Иванов Иван");
    run->pupil.testFolder = photos().folder.path() + QDir::separator();
    run->header.askCount = std::int16_t(questions);
    for (int p = 1; p <= questions; ++p) {
        QuestionRecord& q = run->questionBank(p);
        q.answerForm = u'1';
        q.optionCount = u'6';
        QStringList names;
        for (int k = (p - 1) * 7; k < p * 7; ++k) {
            names << Pictures::fileName(quality, k);
            const QDir folder(photos().folder.path());
            if (k >= 14 && !folder.exists(names.back()))
                QFile::copy(folder.filePath(Pictures::fileName(quality, k % 14)), folder.filePath(names.back()));
        }
        q.questionText = names[0] + QStringLiteral(";Что изображено на снимке?");
        for (int j = 1; j <= 6; ++j)
            q.optionText(j) = names[j];
    }
    return run;
}

// The main form over such a quiz, begun and shown.
struct PictureDesk {
    PictureDesk(int quality, int questions) : run(pictureQuiz(quality, questions))
    {
        beginQuiz(*run, services.now());
        form.showRun();
        form.show();
    }
    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(QString::fromLatin1(name)); }

    const std::unique_ptr<QuizRun> run;
    QtServices services;
    const QTemporaryDir journals;
    FrmGl form{*run, services, DeskSetup{journals.path(), {}}};
};

void BM_MoveToPictureQuestion(benchmark::State& bench)
{
    const int quality = int(bench.range(0));
    PictureDesk desk(quality, 2);
    QPushButton* cmdNapravo = desk.button("cmdNapravo");
    for (auto _ : bench) {
        bench.PauseTiming();
        desk.form.waitForPicturesAhead();
        bench.ResumeTiming();
        cmdNapravo->click();
    }
    bench.counters["jpeg_MB"] = double(photos().bytes[quality == 90]) / 14 / 1e6;
}
BENCHMARK(BM_MoveToPictureQuestion)
    ->ArgName("quality")
    ->Arg(90)
    ->Arg(75)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Two moves in a row over four questions: the first, forwards, lands where the
// pictures were decoded ahead; the second, timed, comes at once, before anything
// ahead of it could be decoded: forwards again, or back to the question just left.
void BM_MoveRightAfterAMove(benchmark::State& bench)
{
    PictureDesk desk(int(bench.range(0)), 4);
    QPushButton* cmdNapravo = desk.button("cmdNapravo");
    QPushButton* second = desk.button(bench.range(1) ? "cmdNalevo" : "cmdNapravo");
    for (auto _ : bench) {
        bench.PauseTiming();
        desk.form.waitForPicturesAhead();
        cmdNapravo->click();
        bench.ResumeTiming();
        second->click();
    }
}
BENCHMARK(BM_MoveRightAfterAMove)
    ->ArgNames({"quality", "back"})
    ->Args({90, 0})
    ->Args({75, 0})
    ->Args({90, 1})
    ->Args({75, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The seven pictures in labels of the main form's sizes, with nothing decoded ahead.
void BM_ShowPicturesNotDecodedAhead(benchmark::State& bench)
{
    const int quality = int(bench.range(0));
    auto run = std::make_unique<QuizRun>();
    QtServices services;
    const QTemporaryDir journals;
    FrmGl form(*run, services, DeskSetup{journals.path(), {}});
    std::vector<PictureLoad> loads{{form.findChild<QLabel*>(QStringLiteral("ImgVopros")),
                                    photos().folder.filePath(Pictures::fileName(quality, 0))}};
    for (int k = 0; k < 6; ++k)
        loads.push_back({form.findChild<QLabel*>(QStringLiteral("Img(%1)").arg(k)),
                         photos().folder.filePath(Pictures::fileName(quality, k + 1))});
    for (auto _ : bench) {
        PictureCache cache;
        cache.show(loads);
    }
}
BENCHMARK(BM_ShowPicturesNotDecodedAhead)
    ->ArgName("quality")
    ->Arg(90)
    ->Arg(75)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
