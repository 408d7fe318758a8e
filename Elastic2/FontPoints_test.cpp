#include "Elastic2/FontPoints.h"

#include <QFont>
#include <gtest/gtest.h>

TEST(FontPoints, HeightsToPointsAndBackRoundHalvesAwayFromZero)
{
    struct Case { int Height, Ppi, Points, Back; };
    const Case Cases[] = {
        {10, 96, 8, 11},   // 7.5 -> 8 -> 10.67: the round trip moves the height
        {13, 120, 8, 13},  // the main window's font
        {12, 120, 7, 12},  // the credit label's font
        {27, 120, 16, 27},
        {5, 144, 3, 6},    // 2.5 -> 3: a half goes up
        {1, 120, 1, 2},
        {0, 120, 0, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Height << " px at " << C.Ppi << " ppi");
        EXPECT_EQ(PointsOfHeight(C.Height, C.Ppi), C.Points);
        EXPECT_EQ(HeightOfPoints(C.Points, C.Ppi), C.Back);
    }
}

TEST(FontPoints, PixelHeightComesFromPointsWhenTheFontHasNoPixelSize)
{
    QFont ByPixels;
    ByPixels.setPixelSize(13);
    EXPECT_EQ(FontPixelHeight(ByPixels, 96), 13);

    QFont ByPoints;
    ByPoints.setPointSize(8);
    EXPECT_EQ(FontPixelHeight(ByPoints, 120), 13);  // 13.33
    ByPoints.setPointSizeF(7.5);
    EXPECT_EQ(FontPixelHeight(ByPoints, 96), 10);
    ByPoints.setPointSize(9);
    EXPECT_EQ(FontPixelHeight(ByPoints, 120), 15);
}
