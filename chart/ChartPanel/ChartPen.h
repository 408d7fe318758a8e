#pragma once
// Pens owned by chart parts. Every effective change calls OnChange, which the
// owner routes to the chart's PartChanged.
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <functional>

class TChartPen {
public:
    TChartPen() = default;
    virtual ~TChartPen() = default;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    std::int32_t Width() const { return FWidth; }
    void SetWidth(std::int32_t value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);

    void Assign(const TChartPen& source);

    std::function<void()> OnChange;

protected:
    explicit TChartPen(bool visible) : FVisible(visible) {}
    void Changed();

private:
    TColor FColor = clBlack;
    std::int32_t FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    bool FVisible = true;
};

// A pen that starts invisible (dividing lines, title frames).
class TChartHiddenPen : public TChartPen {
public:
    TChartHiddenPen() : TChartPen(false) {}
};
