#include "ui/picture.h"

#include "tests/support/pictures.h"

#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct LoadCase {
    const char* name;
    QSize stored;
    bool turned;
    QSize shown;
};

class LoadPicture : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadPicture, FitsTheLabelUprightAndEmptiesItOnFailure)
{
    QTemporaryDir folder;
    QLabel label;
    label.resize(220, 156);
    const QString path = makeJpeg(folder, "p.jpg", GetParam().stored, GetParam().turned);
    EXPECT_TRUE(loadPicture(label, path));
    EXPECT_EQ(label.pixmap().deviceIndependentSize().toSize(), GetParam().shown);
    EXPECT_FALSE(loadPicture(label, folder.filePath("missing.jpg")));
    EXPECT_TRUE(label.pixmap().isNull());
}

INSTANTIATE_TEST_SUITE_P(Picture, LoadPicture,
                         ::testing::Values(LoadCase{"largePhoto", {4000, 3000}, false, {208, 156}},
                                           LoadCase{"smallPicture", {40, 30}, false, {208, 156}},
                                           LoadCase{"cameraHeldUpright", {400, 300}, true, {117, 156}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureCache, EachLabelEndsAsIfLoadedAlone)
{
    QTemporaryDir folder;
    QLabel shown, missing;
    shown.resize(96, 72);
    missing.resize(96, 72);
    missing.setPixmap(QPixmap(10, 10));
    const PictureLoad loads[] = {{&shown, makeJpeg(folder, "a.jpg", {800, 600})},
                                 {&missing, folder.filePath("none.jpg")}};
    PictureCache cache;
    cache.show(loads);
    EXPECT_EQ(shown.pixmap().size(), QSize(96, 72));
    EXPECT_TRUE(missing.pixmap().isNull());
}

TEST(PictureCache, ShowsWhatWasDecodedAheadAndForgetsWhatIsNoLongerAsked)
{
    QTemporaryDir folder;
    QLabel label;
    label.resize(96, 72);
    const QString path = makeJpeg(folder, "a.jpg", {800, 600});
    const PictureLoad load[] = {{&label, path}};
    PictureCache cache;
    cache.prefetch(load);
    cache.waitForPrefetch();
    // Decoded ahead: the file may go, the picture is still shown.
    QFile::rename(path, folder.filePath("gone.jpg"));
    cache.show(load);
    EXPECT_EQ(label.pixmap().size(), QSize(96, 72));
    // Shown last is still known, and so is the question left for a move back;
    // asked for no more, it is forgotten.
    cache.prefetch({});
    cache.show(load);
    EXPECT_FALSE(label.pixmap().isNull());
    cache.show({});
    cache.show(load);
    EXPECT_FALSE(label.pixmap().isNull());
    cache.show({});
    cache.prefetch({});
    cache.show(load);
    EXPECT_TRUE(label.pixmap().isNull());
}

// A pipe named like a picture is not waited on: the picture stays empty.
TEST(LoadPicture, APipeShowsNothing)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("pipe.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    QLabel label;
    label.resize(96, 72);
    EXPECT_FALSE(loadPicture(label, path));
}

} // namespace
