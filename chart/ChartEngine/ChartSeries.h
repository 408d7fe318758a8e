#pragma once
// Base of every series: the point data (value lists, colours, labels), the settings the
// chart reads, and the drawing steps the chart calls in its paint sequence.
#include "app/Cursor.h"
#include "chart/ChartEngine/ChartValueList.h"
#include "chart/ChartEngine/PointColors.h"
#include "chart/ChartEngine/PointLabels.h"
#include "chart/ChartEngine/SeriesMarks.h"
#include "chart/ChartPanel/ChartMouse.h"
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TChartAxis;
class TCustomAxisPanel;

enum THorizAxis : std::uint8_t { aTopAxis, aBottomAxis };
enum TVertAxis : std::uint8_t { aLeftAxis, aRightAxis };

class TChartSeries {
public:
    TChartSeries();
    virtual ~TChartSeries();
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;

    // Component name; the legend falls back to it for an empty Title.
    std::string Name;

    // Every value list in creation order; each list adds itself.
    std::vector<TChartValueList*>& ValueLists() { return FValueLists; }
    TChartValueList& XValues() { return FXValues; }
    const TChartValueList& XValues() const { return FXValues; }
    TChartValueList& YValues() { return FYValues; }
    const TChartValueList& YValues() const { return FYValues; }
    TSeriesMarks& Marks() { return FMarks; }

    std::int32_t Count() const { return FXValues.Count(); }
    virtual double XValue(std::int32_t index) const { return FXValues.Value(index); }
    virtual double YValue(std::int32_t index) const { return FYValues.Value(index); }
    // The stored point colour; clChartDefault means the series colour (or a palette colour).
    virtual TColor ValueColor(std::int32_t index) const;
    // First index of the run of points up to index that were stored with the same colour.
    std::int32_t ColorRunStart(std::int32_t index) const { return FColors.RunStart(index); }
    // Null (nullopt) for a point added with an empty label.
    const std::optional<std::string>& Label(std::int32_t index) const;

    // x = Count for a line series; returns the index of the new point.
    virtual std::int32_t Add(double value, const std::string& label = {}, TColor color = clChartDefault);
    virtual std::int32_t AddXY(double x, double y, const std::string& label = {}, TColor color = clChartDefault);
    virtual std::int32_t AddNull(const std::string& label = {});
    // Removes every point; settings stay.
    virtual void Clear();
    virtual TChartValueList& MandatoryValueList() { return FYValues; }

    TCustomAxisPanel* ParentChart() const { return FParentChart; }
    // Leaves the old chart's series list and joins the new one's.
    virtual void SetParentChart(TCustomAxisPanel* chart);
    TColor SeriesColor() const { return FSeriesColor; }
    virtual void SetSeriesColor(TColor value);
    bool ColorEachPoint() const { return FColorEachPoint; }
    void SetColorEachPoint(bool value);
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value);
    const std::string& ValueFormat() const { return FValueFormat; }
    void SetValueFormat(const std::string& value);
    const std::string& PercentFormat() const { return FPercentFormat; }
    void SetPercentFormat(const std::string& value);
    bool Active() const { return FActive; }
    virtual void SetActive(bool value);
    THorizAxis HorizAxis() const { return FHorizAxis; }
    void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return FVertAxis; }
    void SetVertAxis(TVertAxis value);
    bool ShowInLegend() const { return FShowInLegend; }
    void SetShowInLegend(bool value);
    // Shown while the mouse is over one of the series' points; crDefault: the chart's own.
    TCursor Cursor = crDefault;

    // The chart's axes this series is drawn against (null without a chart).
    TChartAxis* GetHorizAxis() const;
    TChartAxis* GetVertAxis() const;
    bool UsesAxis(const TChartAxis* axis) const { return axis == GetHorizAxis() || axis == GetVertAxis(); }

    // Asks the chart to repaint later; nothing is drawn here.
    void Repaint();

    // Returns false to refuse a point.
    std::function<bool(TChartSeries&)> OnBeforeAdd;
    std::function<void(TChartSeries&, std::int32_t)> OnAfterAdd;
    std::function<void(TChartSeries&)> OnClearValues;
    std::function<void(TChartSeries&)> OnBeforeDrawValues;
    std::function<void(TChartSeries&)> OnAfterDrawValues;
    // A press on point index (button, shift state, client x, y); a double press goes to
    // OnDblClick instead.
    std::function<void(TChartSeries&, std::int32_t, TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnClick;
    std::function<void(TChartSeries&, std::int32_t, TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnDblClick;

    // Index of the point under client pixel (x, y) as drawn at the last paint, else -1.
    // A series kind without a hit test of its own is never hit.
    virtual std::int32_t Clicked(std::int32_t x, std::int32_t y);

    // Drawing, called by the chart's paint sequence.
    std::int32_t FirstValueIndex = -1;
    std::int32_t LastValueIndex = -1;
    std::int32_t ZOrder = 0;
    // Next depth slab in 3D, the front slab in the flat view.
    virtual void CalcZOrder();
    // Range of points to draw: from the first at or right of the plotting area's left edge to
    // the first at or beyond its right edge; -1 when none.
    virtual void CalcFirstLastVisibleIndex();
    virtual void DrawAllValues();
    virtual void DrawValue(std::int32_t index);
    virtual std::int32_t CalcXPos(std::int32_t index) { return CalcXPosValue(XValue(index)); }
    virtual std::int32_t CalcYPos(std::int32_t index) { return CalcYPosValue(YValue(index)); }
    std::int32_t CalcXPosValue(double value) const;
    std::int32_t CalcYPosValue(double value) const;
    // Pixel room the series asks of its axes at both ends.
    virtual void CalcHorizMargins(std::int32_t& leftMargin, std::int32_t& rightMargin);
    virtual void CalcVerticalMargins(std::int32_t& topMargin, std::int32_t& bottomMargin);

    // Legend symbol into rect; index -1 is the series as a whole. Each kind of series draws
    // its own symbol; the base has none.
    virtual void DrawLegend(std::int32_t valueIndex, const TRect& rect);

protected:
    // CalcFirstLastVisibleIndex by walking the points from the first one, for x values that
    // are not known to ascend.
    void ScanFirstLastVisibleIndex();
    virtual void AddedValue(std::int32_t index);
    virtual void ClearValues();
    // Change handler of the series' own pens and brushes.
    void CanvasChanged() { Repaint(); }

private:
    // The x values at the plotting area's left and right edge.
    std::pair<double, double> VisibleXRange() const;
    std::vector<TChartValueList*> FValueLists;
    TChartValueList FXValues;
    TChartValueList FYValues;
    TPointColors FColors;
    TPointLabels FLabels;
    TSeriesMarks FMarks;
    TCustomAxisPanel* FParentChart = nullptr;
    TColor FSeriesColor = clChartDefault;
    bool FColorEachPoint = false;
    std::string FTitle;
    std::string FValueFormat = "#,##0.###";
    std::string FPercentFormat = "##0.## %";
    bool FActive = true;
    THorizAxis FHorizAxis = aBottomAxis;
    TVertAxis FVertAxis = aLeftAxis;
    bool FShowInLegend = true;

    friend class TChartValueList;
};

// Palette colour for a point index when a series colours each point.
TColor GetDefaultColor(std::int32_t index);
