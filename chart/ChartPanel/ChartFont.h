#pragma once
// Font of the chart: the toolkit font model (face name, height in pixels, resolution) that
// the canvas turns into a QFont.
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <functional>
#include <string>

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

// Logical resolution of the screen; 96 without a running GUI application.
int ScreenPixelsPerInch();

class TChartFont {
public:
    // "Arial", 8 points at the screen resolution, black, no style.
    TChartFont();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    // Negative: character height (em) in pixels; positive: cell height in pixels.
    std::int32_t Height() const { return FHeight; }
    void SetHeight(std::int32_t value);
    // Points at PixelsPerInch; stored as a height.
    std::int32_t Size() const;
    void SetSize(std::int32_t points);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    // Changing the resolution keeps the height and does not notify.
    std::int32_t PixelsPerInch = ScreenPixelsPerInch();

    // Copies everything but the change handler; notifies on an effective change.
    void Assign(const TChartFont& source);
    bool SameAs(const TChartFont& other) const;

    std::function<void()> OnChange;

private:
    void Changed();

    std::string FName = "Arial";
    std::int32_t FHeight;
    TColor FColor = clBlack;
    TFontStyles FStyle = 0;
};
