#include "chart/ChartPanel/ChartFont.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

int ScreenPixelsPerInch()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
    }
    return 96;
}

TChartFont::TChartFont() : FHeight(-MulDiv(8, PixelsPerInch, 72))
{
}

void TChartFont::Changed()
{
    if (OnChange)
        OnChange();
}

void TChartFont::SetName(const std::string& value)
{
    SetAndRepaint(FName, value, OnChange);
}

void TChartFont::SetHeight(std::int32_t value)
{
    SetAndRepaint(FHeight, value, OnChange);
}

std::int32_t TChartFont::Size() const
{
    return -MulDiv(FHeight, 72, PixelsPerInch);
}

void TChartFont::SetSize(std::int32_t points)
{
    SetHeight(-MulDiv(points, PixelsPerInch, 72));
}

void TChartFont::SetColor(TColor value)
{
    SetAndRepaint(FColor, value, OnChange);
}

void TChartFont::SetStyle(TFontStyles value)
{
    SetAndRepaint(FStyle, value, OnChange);
}

bool TChartFont::SameAs(const TChartFont& other) const
{
    return FName == other.FName && FHeight == other.FHeight && FColor == other.FColor && FStyle == other.FStyle &&
           PixelsPerInch == other.PixelsPerInch;
}

void TChartFont::Assign(const TChartFont& source)
{
    if (SameAs(source))
        return;
    FName = source.FName;
    FHeight = source.FHeight;
    FColor = source.FColor;
    FStyle = source.FStyle;
    PixelsPerInch = source.PixelsPerInch;
    Changed();
}
