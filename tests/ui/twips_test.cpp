#include "ui/twips.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(TwipsToPixels, FifteenTwipsAPixelAt96Dpi)
{
    EXPECT_EQ(twipsToPixels(Twips{120, 90, 11175, 360}, 96, 96), QRect(8, 6, 745, 24));
    EXPECT_EQ(twipsToPixels(1440, 120), 120);
}

TEST(TwipsToPixels, RoundsEdgesSoNeighboursStillTouch)
{
    // 3500/15 = 233.3 and 11295/15 = 753: the right edge lands where the full-width box ends.
    const QRect narrowed = twipsToPixels(Twips{3500, 0, 7795, 100}, 96, 96);
    const QRect full = twipsToPixels(Twips{120, 0, 11175, 100}, 96, 96);
    EXPECT_EQ(narrowed.x() + narrowed.width(), full.x() + full.width());
    const QRect a = twipsToPixels(Twips{0, 0, 1007, 10}, 96, 96);
    const QRect b = twipsToPixels(Twips{1007, 0, 1007, 10}, 96, 96);
    EXPECT_EQ(a.x() + a.width(), b.x());
}

TEST(TwipsOf, GivesBackWhatWasSetAndFollowsOtherMoves)
{
    QWidget parent;
    QWidget child(&parent);
    placeInTwips(child, Twips{3500, 1260, 7795, 2400});
    EXPECT_EQ(twipsOf(child), (Twips{3500, 1260, 7795, 2400}));
    setLeftWidthInTwips(child, 120, 11175);
    EXPECT_EQ(twipsOf(child), (Twips{120, 1260, 11175, 2400}));
    const double dpi = child.logicalDpiX();
    child.move(twipsToPixels(1500, dpi), child.y());
    EXPECT_NEAR(twipsOf(child).left, 1500, 1440 / dpi);
}

} // namespace
