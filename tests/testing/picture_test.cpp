#include "main_form_fixture.h"

#include "platform/picture.h"

#include <QLabel>

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
