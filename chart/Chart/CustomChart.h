#pragma once
// The chart control: panel background with its gradient, the walls, title and foot, and
// zooming and scrolling with the mouse.
#include "chart/Chart/ChartGradient.h"
#include "chart/Chart/ChartTitle.h"
#include "chart/Chart/ChartWall.h"
#include "chart/ChartEngine/CustomAxisPanel.h"

#include <array>
#include <cstdint>
#include <functional>

enum TPanningMode : std::uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };

// Buttons and keys that start a drag, fixed for the process; with no keys required, any
// combination of Shift, Ctrl and Alt is accepted.
inline constexpr TMouseButton kZoomButton = mbLeft;
inline constexpr TMouseButton kScrollButton = mbRight;
inline constexpr TShiftState kZoomShift = 0;
inline constexpr TShiftState kScrollShift = 0;

// An axis's range state from before the first zoom or scroll.
struct TAxisSavedScales {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0;
    double Maximum = 0;
};

// A (minimum, maximum) pair in axis values.
struct TAxisRange {
    double Min = 0;
    double Max = 0;
};

class TCustomChart : public TCustomAxisPanel {
public:
    TCustomChart();

    // Zoom and scroll settings.
    bool AllowZoom = true;
    TPanningMode AllowPanning = pmBoth;
    bool AnimatedZoom = false;
    std::int32_t AnimatedZoomSteps = 8;
    std::function<void(TCustomChart&)> OnZoom;
    std::function<void(TCustomChart&)> OnUndoZoom;
    std::function<void(TCustomChart&)> OnScroll;
    // May change an axis's new (minimum, maximum) or refuse the step by clearing the flag.
    std::function<void(TChartAxis&, double&, double&, bool&)> OnAllowScroll;
    // Press notifications; a handler claims the press (no drag starts) by leaving
    // CancelMouse set.
    std::function<void(TCustomChart&, TChartAxis&, TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnClickAxis;
    std::function<void(TCustomChart&, TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnClickLegend;
    std::function<void(TCustomChart&, TChartSeries&, std::int32_t, TMouseButton, TShiftState, std::int32_t,
                       std::int32_t)>
        OnClickSeries;
    std::function<void(TCustomChart&, TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnClickBackground;

    // Zoom and scroll state.
    bool Zoomed = false;
    // Top, left, right, bottom axis.
    std::array<TAxisSavedScales, 4> SavedScales;
    bool ScalesSaved = false;
    // Set by a handler to stop the default handling of the current press.
    bool CancelMouse = false;

    // All four axes to the pixel rectangle (corners in any order).
    virtual void ZoomRect(const TRect& rect);
    // The axes to the given ranges, saving their automatic state first.
    virtual void ZoomValues(TAxisRange left, TAxisRange right, TAxisRange top, TAxisRange bottom);
    // Back to the axis state from before the first zoom or scroll.
    virtual void UndoZoom();

    void MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) override;
    void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;
    void MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) override;

    TChartGradient& Gradient() { return FGradient; }
    TChartWall& LeftWall() { return FLeftWall; }
    TChartWall& BottomWall() { return FBottomWall; }
    TChartTitle& Title() { return FTitle; }
    TChartTitle& Foot() { return FFoot; }

    std::int32_t WallSize(const TChartAxis* axis) const override;
    // Draws a title block on the top (Title) or bottom (Foot) side and takes its room from
    // ChartRect.
    void DrawTitle(TChartTitle& title, bool topSide);

protected:
    void FillPanelRect(const TRect& r) override;
    // The rubber band of a zoom drag in not-xor: drawing it twice restores the pixels.
    void DrawZoomRectangle() override;
    void DrawTitles() override;
    // Left and bottom wall of the box, over the back face (3D view with walls only).
    void DrawWalls() override;

private:
    // Pen and brush of a wall; a wall without colour of its own is transparent.
    void PrepareWall(TChartWall& wall);

    // What a press at (x, y) hit, the first that applies.
    enum class TClickedPart : std::uint8_t { Legend, Series, Axis, Title, Background, None };
    struct TClicked {
        TClickedPart Part = TClickedPart::None;
        TChartSeries* Series = nullptr;
        std::int32_t ValueIndex = -1;
        TChartAxis* Axis = nullptr;
    };
    TClicked Clicked(std::int32_t x, std::int32_t y);
    // The plotting area, in 3D with the depth of the box.
    bool InChartBox(std::int32_t x, std::int32_t y) const;
    // Calls the handler with CancelMouse set; true when the handler left it set.
    bool Claims(const std::function<void()>& handler);
    // True when the press (or the held keys of a move) counts for the button and keys.
    static bool Counts(TMouseButton button, TShiftState shift, TMouseButton wanted, TShiftState keys);
    // Begins the zoom and/or scroll drag the press counts for; false when none began.
    bool StartDrag(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
    void ScrollDrag(std::int32_t x, std::int32_t y);
    void EndZoomDrag(std::int32_t x, std::int32_t y);
    // One axis moved by the values between pixels `from` and `to`; false when refused.
    bool ScrollAxis(TChartAxis& axis, std::int32_t from, std::int32_t to);
    void SaveScales();
    std::array<TChartAxis*, 4> SavedAxes() const { return {TopAxis(), LeftAxis(), RightAxis(), BottomAxis()}; }

    TChartGradient FGradient{this};
    TChartWall FLeftWall{this, 0x80FFFF};
    TChartWall FBottomWall{this, clWhite};
    TChartTitle FTitle{this};
    TChartTitle FFoot{this};
};
