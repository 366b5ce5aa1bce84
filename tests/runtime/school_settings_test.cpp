#include "runtime/school_settings.h"

#include "runtime/run_error.h"
#include "tests/support/files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct StartRow {
    const char* name;
    const char* commandLine; // "@" stands for an existing folder, "!" for a missing one
    const char* setting;
    const char* expected;    // "@" the existing folder, "." the current one, "" a failure naming it
    const char* namedWhere;
};

class StartFolder : public ::testing::TestWithParam<StartRow> {};

TEST_P(StartFolder, CommandLineThenSettingThenCurrent)
{
    const StartRow& row = GetParam();
    QTemporaryDir dir;
    const QString existing = dir.filePath("Класс 5А");
    QDir().mkpath(existing);
    const auto place = [&](const char* text) {
        return QString::fromUtf8(text).replace(u'@', existing).replace(u'!', dir.filePath("нет такой"));
    };
    const QString settingsFile = dir.filePath("shkolnik.conf");
    // Written as an IT person's editor writes it today: in UTF-8.
    writeBytes(settingsFile, (QStringLiteral("[General]\nClassroomFolder=") + place(row.setting)
                              + QStringLiteral("\nDeploymentSentence=Для школ района.\n"))
                                 .toUtf8());
    const SchoolSettings settings = readSchoolSettings(settingsFile);
    EXPECT_EQ(settings.deploymentSentence, QStringLiteral("Для школ района."));
    if (*row.expected) {
        const QString expected = QString::fromUtf8(row.expected) == "." ? QDir::currentPath() : existing;
        EXPECT_EQ(startFolder(place(row.commandLine), settings, settingsFile), expected);
        return;
    }
    try {
        startFolder(place(row.commandLine), settings, settingsFile);
        FAIL() << "a missing folder was accepted";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number(), 76);
        EXPECT_TRUE(error.description().contains(dir.filePath("нет такой"))) << error.what();
        EXPECT_TRUE(error.description().contains(QString::fromUtf8(row.namedWhere))) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StartFolder,
    ::testing::Values(StartRow{"CommandLineFirst", "@", "!", "@", ""}, StartRow{"SettingNext", "", "@", "@", ""},
                      StartRow{"CurrentWithoutEither", "", "", ".", ""},
                      StartRow{"MissingOnTheCommandLine", "!", "@", "", "командной строке"},
                      StartRow{"MissingInTheSettings", "", "!", "", "shkolnik.conf"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
