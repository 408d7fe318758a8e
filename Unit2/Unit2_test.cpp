#include "Unit2/Unit2.h"

#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"
#include "chart/ChartPanel/ChartCanvas.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(Form2, LegendShowsTheSeriesInChartOrderBelowTheChart)
{
    TForm2 form;
    const TDataChart& chart = *form.DataChart1;
    ASSERT_EQ(chart.SeriesCount(), 4);
    const struct {
        TLineSeries* Series;
        const char* Title;
        TColor Color;
    } expected[] = {
        {form.Series3, "Lebend-Nichtsexuell", clAqua},
        {form.Series2, "Lebend-Sexuell", 0x8000FF},
        {form.Series4, "GC-Nichtsexuell", clBlue},
        {form.Series1, "GC-Sexuell", clRed},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(chart.Series(i), expected[i].Series);
        EXPECT_EQ(expected[i].Series->Title(), expected[i].Title);
        EXPECT_EQ(expected[i].Series->SeriesColor(), expected[i].Color);
        EXPECT_FALSE(expected[i].Series->Marks().Visible() || expected[i].Series->Pointer().Visible());
    }
    EXPECT_EQ(chart.Legend()->Alignment(), laBottom);
    EXPECT_TRUE(chart.Legend()->Inverted());
    EXPECT_EQ(chart.BottomAxis()->Title().Caption(), "Generationen");
}

TEST(Form2, ClosingHidesKeepsPointsAndTellsTheMainWindow)
{
    TForm2 form;
    QSignalSpy closed(&form, &TForm2::FormClose);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.Series1->Add(5, "", clRed);
    EXPECT_TRUE(form.close());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Series1->Count(), 1);
}

TEST(Form2, RedrawsOnlyForNewPointsOrANewSize)
{
    TForm2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TDataChart& chart = *form.DataChart1;
    QTRY_VERIFY(!chart.ImageDirty);
    const QImage* image = chart.ChartImage();
    form.repaint();  // uncovering copies the clean image
    EXPECT_EQ(chart.ChartImage(), image);
    EXPECT_FALSE(chart.ImageDirty);

    form.Series2->Add(100, "", 0x8000FF);
    EXPECT_TRUE(chart.ImageDirty);
    QTRY_VERIFY(!chart.ImageDirty);  // the window's paint request draws it
    // The client area gives way to the frame: the outer size stays 535 x 334.
    EXPECT_EQ(form.frameSize(), QSize(535, 334));
    EXPECT_EQ(chart.ChartImage()->size(), form.size());

    form.resize(form.width() + 20, form.height());
    EXPECT_TRUE(chart.ImageDirty);
    QTRY_VERIFY(!chart.ImageDirty);
    EXPECT_EQ(chart.GetClientRect(), (TRect{0, 0, form.width(), form.height()}));
    EXPECT_EQ(chart.ChartImage()->size(), form.size());
}

TEST(Form2, AxisTextsLeaveTheGradientAroundTheirGlyphs)
{
    TForm2 form;
    for (int i = 0; i < 500; ++i) {
        form.Series1->Add(i % 101);
        form.Series3->Add(100);
    }
    QImage image(527, 307, QImage::Format_RGB32);
    {
        TChartCanvas canvas(&image);
        form.DataChart1->Draw(canvas, {0, 0, 527, 307});
    }
    // The gradient runs from light yellow at the top to white at the bottom: column 1, inside the
    // bevel, shows each row's colour.
    // Black text in the left axis's label band and in the bottom axis's may only darken it.
    const int leftBand = form.DataChart1->LeftAxis()->LabelsPosition;
    const int bottomBand = form.DataChart1->BottomAxis()->LabelsPosition;
    const int bottomTitle = form.DataChart1->BottomAxis()->TitlePosition;
    ASSERT_LT(bottomBand, bottomTitle);
    int lighter = 0;
    for (int y = 1; y < bottomTitle; ++y) {
        const QRgb gradient = image.pixel(1, y);
        for (int x = 2; x < (y < bottomBand ? leftBand : image.width() - 1); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > qRed(gradient) || qGreen(p) > qGreen(gradient) || qBlue(p) > qBlue(gradient))
                ++lighter;
        }
    }
    EXPECT_EQ(lighter, 0);
    EXPECT_EQ(image.pixel(1, 1), qRgb(0xFF, 0xFF, 0x80));
    EXPECT_EQ(image.pixel(1, 305), qRgb(0xFF, 0xFF, 0xFF));
}

TEST(DataChartWidget, ChartCursorReachesTheWindow)
{
    TDataChartWidget widget;
    widget.Chart().SetCursor(crCross);
    EXPECT_EQ(widget.cursor().shape(), Qt::CrossCursor);
    widget.Chart().SetCursor(crDefault);
    EXPECT_EQ(widget.cursor().shape(), Qt::ArrowCursor);
}

TEST(DataChartWidget, MouseDragsZoomAndScrollWithTheBandOnTheWindow)
{
    TDataChartWidget widget;
    TDataChart& chart = widget.Chart();
    chart.SetView3D(false);
    TLineSeries series;
    series.SetParentChart(&chart);
    for (int x = 0; x <= 40; ++x)
        series.Add(x * 2.5);
    widget.resize(400, 300);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QTRY_VERIFY(!chart.ImageDirty);
    const QImage before = widget.grab().toImage();
    const QImage chartBefore = chart.ChartImage()->copy();

    QTest::mousePress(&widget, Qt::LeftButton, {}, QPoint(100, 80));
    QTest::mouseMove(&widget, QPoint(200, 160));
    const QImage during = widget.grab().toImage();
    EXPECT_NE(during.pixel(150, 80), before.pixel(150, 80));    // on the band
    EXPECT_EQ(during.pixel(150, 120), before.pixel(150, 120));  // inside it
    EXPECT_FALSE(chart.ImageDirty);                             // drawn on the window, not by a repaint
    EXPECT_EQ(*chart.ChartImage(), chartBefore);                // the window's pixels are its own
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, QPoint(200, 160));
    EXPECT_TRUE(chart.Zoomed);
    QTRY_VERIFY(!chart.ImageDirty);
    EXPECT_NE(widget.grab().toImage(), before);

    QTest::mousePress(&widget, Qt::RightButton, {}, QPoint(150, 100));
    const double minimum = chart.BottomAxis()->Minimum();
    QTest::mouseMove(&widget, QPoint(180, 100));
    QTest::mouseRelease(&widget, Qt::RightButton, {}, QPoint(180, 100));
    EXPECT_LT(chart.BottomAxis()->Minimum(), minimum);  // data moved right with the mouse
    series.SetParentChart(nullptr);
}

}  // namespace
