#pragma once
// Colour gradient behind the whole panel.
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>

class TCustomAxisPanel;
class TChartCanvas;

enum TGradientDirection : std::uint8_t { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft };

class TChartGradient {
public:
    explicit TChartGradient(TCustomAxisPanel* chart) : FChart(chart) {}

    bool Visible() const { return FVisible; }
    void SetVisible(bool value)
    {
        SetAndRepaint(FVisible, value, [this] { Changed(); });
    }
    TGradientDirection Direction() const { return FDirection; }
    void SetDirection(TGradientDirection value)
    {
        SetAndRepaint(FDirection, value, [this] { Changed(); });
    }
    TColor StartColor() const { return FStartColor; }
    void SetStartColor(TColor value)
    {
        SetAndRepaint(FStartColor, value, [this] { Changed(); });
    }
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor value)
    {
        SetAndRepaint(FEndColor, value, [this] { Changed(); });
    }

    // Fills r with the gradient in this direction.
    void Draw(TChartCanvas& canvas, const TRect& r) const;

private:
    void Changed();

    TCustomAxisPanel* FChart;
    bool FVisible = false;
    TGradientDirection FDirection = gdTopBottom;
    TColor FStartColor = clWhite;
    TColor FEndColor = clYellow;
};

// Up to 256 solid bands from c1 (bottom or right edge) to c2 (top or left edge).
void GradientFill(TChartCanvas& canvas, const TRect& r, TColor c1, TColor c2, bool horizontal);
