#include "main_form_fixture.h"

#include "platform/picture.h"

#include <QLabel>

namespace {

struct FitCase {
    const char* name;
    QSize picture, area, fitted;
};

class FittedSize : public ::testing::TestWithParam<FitCase> {};

TEST_P(FittedSize, KeepsTheProportions)
{
    EXPECT_EQ(fittedSize(GetParam().picture, GetParam().area), GetParam().fitted);
}

INSTANTIATE_TEST_SUITE_P(Picture, FittedSize,
                         ::testing::Values(FitCase{"photoInOptionArea", {4000, 3000}, {352, 72}, {96, 72}},
                                           FitCase{"photoInQuestionArea", {4000, 3000}, {220, 156}, {208, 156}},
                                           FitCase{"portrait", {3000, 4000}, {220, 156}, {117, 156}},
                                           FitCase{"smallIsEnlarged", {40, 20}, {220, 156}, {220, 110}},
                                           FitCase{"thinLineKeepsAPixel", {10000, 1}, {96, 72}, {96, 1}},
                                           FitCase{"noArea", {4000, 3000}, {0, 72}, {}},
                                           FitCase{"noPicture", {}, {96, 72}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

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

TEST(LoadPictures, EachLabelEndsAsIfLoadedAlone)
{
    QTemporaryDir folder;
    QLabel shown, missing;
    shown.resize(96, 72);
    missing.resize(96, 72);
    missing.setPixmap(QPixmap(10, 10));
    const PictureLoad loads[] = {{&shown, makeJpeg(folder, "a.jpg", {800, 600})},
                                 {&missing, folder.filePath("none.jpg")}};
    loadPictures(loads);
    EXPECT_EQ(shown.pixmap().size(), QSize(96, 72));
    EXPECT_TRUE(missing.pixmap().isNull());
}

} // namespace
