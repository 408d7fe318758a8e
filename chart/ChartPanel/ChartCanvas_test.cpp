#include "chart/ChartPanel/ChartCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

class CanvasPixelsTest : public ::testing::Test {
public:
    CanvasPixelsTest() : Image(40, 40, QImage::Format_RGB32) { Image.fill(kWhite); }

    // Pixels that are not white, as "x,y" strings for readable failures.
    std::vector<std::string> Ink()
    {
        Canvas.reset();  // ends painting
        std::vector<std::string> ink;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                if (Image.pixel(x, y) != kWhite)
                    ink.push_back(std::to_string(x) + "," + std::to_string(y));
        return ink;
    }

    void Restart(QRgb fill = kWhite)
    {
        Canvas.reset();
        Image.fill(fill);
        Canvas = std::make_unique<TChartCanvas>(&Image);
    }

    QRgb At(int x, int y)
    {
        Canvas.reset();
        return Image.pixel(x, y);
    }

    QImage Image;
    std::unique_ptr<TChartCanvas> Canvas = std::make_unique<TChartCanvas>(&Image);
};

TEST_F(CanvasPixelsTest, LinesLeaveOutTheirEndPixel)
{
    const struct {
        std::array<int, 4> Line;
        std::vector<std::string> Pixels;
    } cases[] = {
        {{2, 3, 6, 3}, {"2,3", "3,3", "4,3", "5,3"}},
        {{6, 3, 2, 3}, {"3,3", "4,3", "5,3", "6,3"}},
        {{4, 1, 4, 4}, {"4,1", "4,2", "4,3"}},
        {{1, 1, 4, 4}, {"1,1", "2,2", "3,3"}},
        {{5, 5, 5, 5}, {}},
    };
    for (const auto& c : cases) {
        Restart();
        Canvas->Line(c.Line[0], c.Line[1], c.Line[2], c.Line[3]);
        EXPECT_EQ(Ink(), c.Pixels) << c.Line[0] << "," << c.Line[1] << " -> " << c.Line[2] << "," << c.Line[3];
    }
}

TEST_F(CanvasPixelsTest, RectangleCoversLeftToRightMinusOneInEitherOrder)
{
    for (const TRect r : {TRect{2, 3, 6, 7}, TRect{6, 7, 2, 3}}) {
        Restart();
        Canvas->Pen.Color = clRed;
        Canvas->Brush = {clBlue, bsSolid};
        Canvas->Rectangle(r);
        Canvas.reset();
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                const bool inside = x >= 2 && x <= 5 && y >= 3 && y <= 6;
                const bool edge = inside && (x == 2 || x == 5 || y == 3 || y == 6);
                const QRgb expected = edge ? 0xFFFF0000 : inside ? 0xFF0000FF : kWhite;
                EXPECT_EQ(Image.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST_F(CanvasPixelsTest, RectangleWithoutPenOrBrush)
{
    Canvas->Pen.Style = psClear;
    Canvas->Brush = {clBlack, bsSolid};
    Canvas->Rectangle(1, 1, 3, 2);
    EXPECT_EQ(Ink(), (std::vector<std::string>{"1,1", "2,1"}));

    Restart();
    Canvas->Brush.Style = bsClear;
    Canvas->Rectangle(1, 1, 4, 4);
    EXPECT_EQ(Ink(), (std::vector<std::string>{"1,1", "2,1", "3,1", "1,2", "3,2", "1,3", "2,3", "3,3"}));
}

TEST_F(CanvasPixelsTest, OnePixelWideRectangleIsItsOutline)
{
    Canvas->Brush.Style = bsClear;
    Canvas->Rectangle(2, 1, 3, 4);
    EXPECT_EQ(Ink(), (std::vector<std::string>{"2,1", "2,2", "2,3"}));
}

TEST_F(CanvasPixelsTest, FillRectExcludesRightAndBottom)
{
    Canvas->Brush = {clBlack, bsSolid};
    Canvas->FillRect({3, 2, 5, 4});
    EXPECT_EQ(Ink(), (std::vector<std::string>{"3,2", "4,2", "3,3", "4,3"}));
}

TEST_F(CanvasPixelsTest, HatchedBrushShowsTheBackgroundOnlyWhenOpaque)
{
    for (const TBackgroundMode mode : {bmOpaque, bmTransparent}) {
        Restart();
        Canvas->Brush = {clRed, bsHorizontal};
        Canvas->BackMode = mode;
        Canvas->BackColor = clBlue;
        Canvas->FillRect({0, 0, 8, 8});
        Canvas.reset();
        int red = 0, blue = 0, white = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const QRgb p = Image.pixel(x, y);
                red += p == 0xFFFF0000;
                blue += p == 0xFF0000FF;
                white += p == kWhite;
            }
        }
        EXPECT_GT(red, 0);
        EXPECT_EQ(red + blue + white, 64);
        EXPECT_EQ(mode == bmOpaque ? white : blue, 0) << int(mode);
    }
}

TEST_F(CanvasPixelsTest, WidePenOutlineLeavesTheInsideAlone)
{
    Canvas->Brush = {clRed, bsSolid};
    Canvas->FillRect({0, 0, 1, 1});  // leaves a solid brush on the painter
    Canvas->Pen.Width = 2;
    Canvas->Brush.Style = bsClear;
    Canvas->Rectangle(5, 5, 20, 20);
    EXPECT_EQ(At(12, 12), kWhite);
    EXPECT_EQ(At(5, 12), kBlack);
}

TEST_F(CanvasPixelsTest, NotXorTwiceRestoresThePixels)
{
    Restart(0xFF39C9FF);
    Canvas->Brush = {clRed, bsSolid};
    Canvas->FillRect({0, 0, 20, 20});
    Canvas.reset();
    const QImage before = Image.copy();
    for (int pass = 0; pass < 2; ++pass) {
        Canvas = std::make_unique<TChartCanvas>(&Image);
        Canvas->Pen = {clRed, 1, psSolid, pmNotXor};
        Canvas->Brush.Style = bsClear;
        Canvas->Rectangle(5, 5, 30, 25);
        Canvas->Line(0, 39, 39, 0);
        Canvas.reset();
        if (pass == 0) {
            EXPECT_NE(Image, before);
        }
    }
    EXPECT_EQ(Image, before);
}

TEST_F(CanvasPixelsTest, DottedPenIsThreeOnThreeOff)
{
    Canvas->Pen.Style = psDot;
    Canvas->BackMode = bmTransparent;
    Canvas->HorizLine(0, 14, 0);
    EXPECT_EQ(Ink(), (std::vector<std::string>{"0,0", "1,0", "2,0", "6,0", "7,0", "8,0", "12,0", "13,0"}));
}

TEST_F(CanvasPixelsTest, PolygonClipMatchesPolygonFill)
{
    const std::array<TPoint, 6> box = {{{3, 30}, {3, 8}, {10, 2}, {36, 2}, {36, 25}, {30, 31}}};
    Canvas->Pen.Style = psClear;
    Canvas->Brush = {clBlack, bsSolid};
    Canvas->Polygon(box);
    Canvas.reset();
    const QImage filled = Image.copy();

    Restart();
    Canvas->ClipPolygon(box);
    Canvas->Brush = {clBlack, bsSolid};
    Canvas->FillRect({0, 0, 40, 40});
    Canvas->UnClip();
    Canvas.reset();
    EXPECT_EQ(Image, filled);
}

TEST_F(CanvasPixelsTest, RectangleClipExcludesRightAndBottom)
{
    Canvas->ClipRectangle({2, 2, 4, 3});
    Canvas->Brush = {clBlack, bsSolid};
    Canvas->FillRect({0, 0, 10, 10});
    EXPECT_EQ(Ink(), (std::vector<std::string>{"2,2", "3,2"}));
}

TEST_F(CanvasPixelsTest, TextAnchoredAtTopLeftAndOpaqueBackground)
{
    TChartFont font;
    font.SetHeight(-13);
    Canvas->SetCanvasFont(font);
    const int width = Canvas->TextWidth("W");
    const int height = Canvas->FontHeight();
    EXPECT_GT(width, 0);
    EXPECT_EQ(height, Canvas->TextHeight("xyz"));
    Canvas->BackMode = bmTransparent;
    Canvas->TextOut(10, 10, "W");
    const std::vector<std::string> ink = Ink();
    ASSERT_FALSE(ink.empty());
    for (const std::string& p : ink) {
        const int x = std::stoi(p.substr(0, p.find(',')));
        const int y = std::stoi(p.substr(p.find(',') + 1));
        // Anti-aliased edges may reach one pixel past the advance width.
        EXPECT_TRUE(x >= 10 && x <= 10 + width && y >= 10 && y < 10 + height) << p;
    }

    Restart();
    Canvas->SetCanvasFont(font);
    Canvas->BackMode = bmOpaque;
    Canvas->BackColor = clRed;
    Canvas->TextOut(0, 0, " ");
    EXPECT_EQ(At(0, 0), 0xFFFF0000);
}

TEST(Canvas, SetCanvasFontGivesTheFontTheCanvasResolution)
{
    QImage image(4, 4, QImage::Format_RGB32);
    TChartCanvas canvas(&image);
    canvas.Font.PixelsPerInch = 144;
    TChartFont font;
    font.SetColor(clRed);
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    canvas.SetCanvasFont(font);
    EXPECT_EQ(font.PixelsPerInch, 144);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(canvas.Font.Color(), clRed);
}

TEST(Canvas, SetBrushCanvasKeepsHatchesVisible)
{
    QImage image(4, 4, QImage::Format_RGB32);
    TChartCanvas canvas(&image);
    const struct {
        TColor Color;
        TBrushStyle Style;
        TColor Back;
        TColor Brush;
        TBackgroundMode Mode;
    } cases[] = {
        {clRed, bsSolid, clRed, clRed, bmTransparent},
        {clRed, bsCross, clRed, clBlack, bmOpaque},
        {clBlack, bsCross, clBlack, clWhite, bmOpaque},
        {clRed, bsCross, clBlue, clRed, bmOpaque},
    };
    for (const auto& c : cases) {
        canvas.SetBrushCanvas(c.Color, c.Style, c.Back);
        EXPECT_EQ(canvas.Brush.Color, c.Brush);
        EXPECT_EQ(canvas.Brush.Style, c.Style);
        EXPECT_EQ(canvas.BackMode, c.Mode);
        if (c.Mode == bmOpaque) {
            EXPECT_EQ(canvas.BackColor, c.Back);
        }
    }
}

}  // namespace

namespace {

// One set of strokes, fills and parallelogram columns, clipped to a rectangle and to a polygon, drawn through the
// painter (a 24-bit image) and straight into a 32-bit image: the pixels must be the same.
QImage Strokes(QImage::Format format)
{
    QImage image(90, 70, format);
    image.fill(Qt::white);
    {
        TChartCanvas canvas(&image);
        canvas.BackMode = bmOpaque;
        canvas.BackColor = clSilver;
        const auto draw = [&canvas] {
            for (int i = 0; i < 40; ++i) {
                canvas.Pen = {static_cast<TColor>(0x102030 * (i + 1)), 1, i % 3 == 0 ? psDot : psSolid, pmCopy};
                canvas.Line(i * 7 % 90, i * 13 % 70, i * 29 % 90, (i * 11 + 5) % 70);
            }
            canvas.Pen = {clRed, 0, psSolid, pmCopy};
            canvas.Brush.Style = bsClear;
            canvas.Rectangle(3, 4, 60, 50);
            const std::array<TPoint, 4> quad = {{{10, 60}, {40, 5}, {85, 20}, {50, 66}}};
            canvas.Polygon(quad);
            // Filled shapes, some repeated elsewhere: ribbons of every slope and height, a
            // crossed quadrilateral, a triangle and a polygon with a notch.
            canvas.Pen = {clBlack, 1, psSolid, pmCopy};
            for (int i = 0; i < 60; ++i) {
                canvas.Brush = {static_cast<TColor>(0x0F1E2D * (i + 1) & 0xFFFFFF), bsSolid};
                const int x = i * 17 % 80;
                const int y = i * 23 % 66;
                const int w = i % 9;
                const int h = i * 5 % 7;
                const int run = i % 13 - 6;
                const std::array<TPoint, 4> ribbon = {{{x, y + run}, {x, y}, {x + w, y - h}, {x + w, y + run - h}}};
                canvas.Polygon(ribbon);
            }
            // Columns of parallelograms as a 3D series draws them: one depth per column, rises
            // of every size both ways (one of none), outlined or not.
            for (int i = 0; i < 10; ++i) {
                canvas.Brush = {static_cast<TColor>(0x1E0F2D * (i + 1) & 0xFFFFFF), bsSolid};
                canvas.Pen.Style = i == 9 ? psClear : psSolid;
                std::vector<std::pair<std::int32_t, std::int32_t>> verticals;
                int row = 30 + i;
                for (int k = 0; k < 14; ++k) {
                    const int next = k == 5 ? row : 14 + (i * 7 + k * 11) % 40;
                    verticals.emplace_back(row, next);
                    row = next;
                }
                canvas.Parallelograms(i * 9 - 2, {1 + i % 7, -(i * 3 % 8)}, verticals);
            }
            canvas.Pen.Style = psSolid;
            const std::array<TPoint, 4> crossed = {{{20, 20}, {60, 50}, {60, 20}, {20, 50}}};
            const std::array<TPoint, 3> triangle = {{{70, 10}, {85, 40}, {52, 33}}};
            const std::array<TPoint, 6> notched = {{{8, 8}, {40, 8}, {24, 20}, {40, 34}, {8, 34}, {16, 21}}};
            canvas.Polygon(crossed);
            canvas.Polygon(triangle);
            canvas.Polygon(notched);
            // Solid rectangles, corners in either order, some reaching past the image.
            for (int i = 0; i < 12; ++i) {
                canvas.Brush = {static_cast<TColor>(0x2D1E0F * (i + 1) & 0xFFFFFF), bsSolid};
                const TRect r = {i * 19 % 95 - 5, i * 7 % 75 - 5, i * 31 % 95, (i * 43 + 9) % 75};
                if (i % 2 == 0)
                    canvas.FillRect(r);
                else
                    canvas.Rectangle(r);
            }
            // A parallelogram of no height alone: its depth edges.
            const std::array<std::pair<std::int32_t, std::int32_t>, 1> level = {{{40, 40}}};
            canvas.Parallelograms(60, {5, -2}, level);
        };
        canvas.ClipRectangle({5, 6, 80, 60});
        draw();
        const std::array<TPoint, 6> box = {{{6, 64}, {6, 20}, {25, 3}, {88, 3}, {88, 45}, {70, 64}}};
        canvas.ClipPolygon(box);
        draw();
        canvas.UnClip();
        canvas.Line(0, 69, 89, 0);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(CanvasDirect, OnePixelStrokesAndSolidFillsMatchThePainter)
{
    const QImage painted = Strokes(QImage::Format_RGB888);
    const QImage direct = Strokes(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            if (painted.pixel(x, y) != direct.pixel(x, y) && ++differing <= 10)
                ADD_FAILURE() << x << "," << y << " painter " << std::hex << painted.pixel(x, y) << " direct "
                              << direct.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

}  // namespace
