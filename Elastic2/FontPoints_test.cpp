#include "Elastic2/FontPoints.h"

#include <QFont>
#include <gtest/gtest.h>

TEST(FontPoints, HeightsToPointsAndBackRoundHalvesAwayFromZero)
{
    struct TCase {
        int Height, Ppi, Points, Back;
    };
    const TCase cases[] = {
        {10, 96, 8, 11},                    // 7.5 -> 8 -> 10.67: the round trip moves the height
        {13, 120, 8, 13},                   // the main window's font
        {12, 120, 7, 12},                   // the credit label's font
        {27, 120, 16, 27}, {5, 144, 3, 6},  // 2.5 -> 3: a half goes up
        {1, 120, 1, 2},    {0, 120, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Height << " px at " << c.Ppi << " ppi");
        EXPECT_EQ(PointsOfHeight(c.Height, c.Ppi), c.Points);
        EXPECT_EQ(HeightOfPoints(c.Points, c.Ppi), c.Back);
    }
}

TEST(FontPoints, PixelHeightComesFromPointsWhenTheFontHasNoPixelSize)
{
    QFont byPixels;
    byPixels.setPixelSize(13);
    EXPECT_EQ(FontPixelHeight(byPixels, 96), 13);

    QFont byPoints;
    byPoints.setPointSize(8);
    EXPECT_EQ(FontPixelHeight(byPoints, 120), 13);  // 13.33
    byPoints.setPointSizeF(7.5);
    EXPECT_EQ(FontPixelHeight(byPoints, 96), 10);
    byPoints.setPointSize(9);
    EXPECT_EQ(FontPixelHeight(byPoints, 120), 15);
}
