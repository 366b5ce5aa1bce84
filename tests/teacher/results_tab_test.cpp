// The tab «Результаты», headless: a folder read in the background, the tree of
// class, topic and variant, the pupils, charts and questions of the one chosen,
// what could not be read, the report saved and the tables exported.
#include "teacher/desktop.h"
#include "teacher/report_charts.h"
#include "teacher/results_tab.h"
#include "teacher/teacher_window.h"

#include "tests/support/fake_desktop.h"
#include "tests/support/files.h"
#include "tests/support/form_controls.h"
#include "tests/support/recording_services.h"

#include <QDirIterator>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString kResults = QStringLiteral(SHKOLNIK_SOURCE_DIR "/examples/results");

class ResultsTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        // The sample results and a teacher's note that is no register.
        QDirIterator files(kResults, QDir::Files);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile::copy(path, folder.filePath(files.fileName()));
        }
        writeLines(folder.filePath("Заметки.doc"), {"Проверить работы 5Б"});
    }

    void read(TeacherWindow& window)
    {
        QSignalSpy finished(&control<ResultsTab>(window, "resultsTab"), &ResultsTab::readingFinished);
        control<QPushButton>(window, "readButton").click();
        ASSERT_TRUE(finished.wait(30000));
    }

    QTemporaryDir settings;
    QTemporaryDir folder;
    RecordingServices services;
    FakeDesktop desktop;
};

QTreeWidgetItem* itemAt(QTreeWidget& tree, std::initializer_list<int> path)
{
    QTreeWidgetItem* item = nullptr;
    for (const int index : path)
        item = item ? item->child(index) : tree.topLevelItem(index);
    return item;
}

TEST_F(ResultsTabTest, ReadsTheFolderAndShowsEachClassTopicAndVariant)
{
    TeacherWindow window(services, desktop, {});
    EXPECT_EQ(control<QTabWidget>(window, "tabs").tabText(1), "Результаты");
    desktop.folder = folder.path();
    control<QPushButton>(window, "resultsChooseFolderButton").click();
    read(window);

    auto& tree = control<QTreeWidget>(window, "resultsTree");
    ASSERT_EQ(tree.topLevelItemCount(), 3);
    EXPECT_EQ(itemAt(tree, {0})->text(0), "Класс 5А");
    EXPECT_EQ(itemAt(tree, {0, 1})->text(0), "Столицы государств");
    EXPECT_EQ(itemAt(tree, {1, 0, 1})->text(0), "Вариант 2");
    EXPECT_EQ(itemAt(tree, {2})->text(0), "Не удалось прочитать (1)");
    EXPECT_EQ(control<QLabel>(window, "resultsSummaryLabel").text(),
              "Прочитано журналов: 4, протоколов: 32, файлов статистики: 4; не удалось прочитать файлов или строк: 1 "
              "(они перечислены в отчёте)");

    // The first quiz is shown at once: 5А, «Дроби», variant 1.
    auto& pupils = control<QTableWidget>(window, "pupilsTable");
    auto& questions = control<QTableWidget>(window, "questionsTable");
    EXPECT_EQ(tree.currentItem(), itemAt(tree, {0, 0, 0}));
    EXPECT_EQ(pupils.rowCount(), 12);
    EXPECT_EQ(pupils.item(0, 0)->text(), "Алексеева Мария");
    EXPECT_TRUE(pupils.isColumnHidden(1));
    EXPECT_EQ(questions.rowCount(), 8);
    EXPECT_EQ(questions.item(0, 1)->text(), "Какие дроби равны 1/2?");
    EXPECT_EQ(questions.item(0, 6)->text(), "слишком лёгкий, плохо различает");
    const BarChart& marks = control<ChartView>(window, "markChart").chart();
    EXPECT_EQ(marks.title, "Оценки (всего 12)");
    EXPECT_EQ(std::accumulate(marks.values.begin(), marks.values.end(), 0.0), 12);
    EXPECT_EQ(control<ChartView>(window, "questionChart").chart().values.size(), 8u);

    // A class: all its pupils, with their quiz; the questions are each variant's own.
    tree.setCurrentItem(itemAt(tree, {0}));
    EXPECT_EQ(pupils.rowCount(), 23);
    EXPECT_FALSE(pupils.isColumnHidden(1));
    EXPECT_TRUE(questions.isHidden());
    EXPECT_EQ(control<ChartView>(window, "markChart").chart().title, "Оценки (всего 23)");
    // A pupil who took it twice.
    const auto again = pupils.findItems("2 из 2", Qt::MatchExactly);
    ASSERT_EQ(again.size(), 1);
    EXPECT_EQ(pupils.item(again[0]->row(), 0)->text(), "Белов Кирилл");

    tree.setCurrentItem(itemAt(tree, {2}));
    auto& problems = control<QTableWidget>(window, "problemsTable");
    ASSERT_EQ(problems.rowCount(), 1);
    EXPECT_EQ(problems.item(0, 0)->text(), "Заметки.doc");
    EXPECT_TRUE(problems.item(0, 2)->text().startsWith("не журнал класса"));
}

TEST_F(ResultsTabTest, SavesTheReportAndExportsTheTables)
{
    TeacherWindow window(services, desktop, folder.path());
    EXPECT_EQ(control<QLineEdit>(window, "resultsFolderEdit").text(), folder.path());
    EXPECT_FALSE(control<QPushButton>(window, "saveReportButton").isEnabled());
    read(window);

    QTemporaryDir saved;
    desktop.reportAs = saved.filePath("Отчёт 5А");
    control<QPushButton>(window, "saveReportButton").click();
    const QByteArray html = readBytes(saved.filePath("Отчёт 5А.html"));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    // Made at the services' moment.
    EXPECT_TRUE(html.contains("Составлен 07.12.2026 9:05."));

    desktop.csvFolder = saved.filePath("таблицы");
    QDir().mkpath(desktop.csvFolder);
    control<QPushButton>(window, "exportCsvButton").click();
    EXPECT_EQ(services.takeMessage().text, "Таблицы записаны в папку " + desktop.csvFolder
                                               + ": pupils.csv (ученики) и questions.csv (вопросы).");
    EXPECT_TRUE(readBytes(desktop.csvFolder + "/pupils.csv").startsWith("\xEF\xBB\xBFКласс;Тема;"));
    EXPECT_TRUE(readBytes(desktop.csvFolder + "/questions.csv").startsWith("\xEF\xBB\xBFКласс;Тема;"));

    desktop.csvFolder = saved.filePath("нет такой папки");
    control<QPushButton>(window, "exportCsvButton").click();
    const MessageRecord failure = services.takeMessage();
    EXPECT_EQ(failure.text, "Не удалось сохранить файл " + desktop.csvFolder + "/pupils.csv: нет папки " + desktop.csvFolder);
    EXPECT_EQ(failure.icon, MessageIcon::Critical);

    // The folder read is remembered.
    TeacherWindow again(services, desktop, {});
    EXPECT_EQ(control<QLineEdit>(again, "resultsFolderEdit").text(), folder.path());
}

TEST_F(ResultsTabTest, AFolderThatIsNotThereIsToldInABox)
{
    TeacherWindow window(services, desktop, {});
    control<QLineEdit>(window, "resultsFolderEdit").clear();
    control<QPushButton>(window, "readButton").click();
    EXPECT_EQ(services.takeMessage(),
              (MessageRecord{"Выберите папку с результатами.", MessageIcon::Information, "Школьник: учитель"}));
    control<QLineEdit>(window, "resultsFolderEdit").setText("/nowhere");
    read(window);
    EXPECT_EQ(services.takeMessage(), (MessageRecord{"Путь не найден: /nowhere", MessageIcon::Critical, "Школьник: учитель"}));
    EXPECT_EQ(control<QTreeWidget>(window, "resultsTree").topLevelItemCount(), 0);
    EXPECT_FALSE(control<QPushButton>(window, "saveReportButton").isEnabled());
}

} // namespace
