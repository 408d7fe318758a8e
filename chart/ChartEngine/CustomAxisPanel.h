#pragma once
// The chart with series and axes: settings shared by every chart and the paint sequence.
#include "chart/ChartEngine/ChartSeriesList.h"
#include "chart/ChartPanel/ChartPen.h"
#include "chart/ChartPanel/CustomChartPanel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TChartAxis;
class TChartSeries;
class TCustomChartLegend;
enum TLegendStyle : std::uint8_t;

class TCustomAxisPanel : public TCustomChartPanel {
public:
    TCustomAxisPanel();
    ~TCustomAxisPanel() override;

    // Series in the order they joined; every loop over series runs in this order.
    TChartSeriesList& SeriesList() { return FSeriesList; }
    const TChartSeriesList& SeriesList() const { return FSeriesList; }
    std::int32_t SeriesCount() const { return FSeriesList.Count(); }
    TChartSeries* Series(std::int32_t index) const { return FSeriesList[index]; }
    // Joins once; a series without a colour of its own gets one not yet taken.
    void AddSeries(TChartSeries* series);
    void RemoveSeries(TChartSeries* series);
    std::int32_t CountActiveSeries() const;

    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value);
    TCustomChartLegend* Legend() const { return FLegend.get(); }
    TChartAxis* TopAxis() const { return FTopAxis.get(); }
    TChartAxis* BottomAxis() const { return FBottomAxis.get(); }
    TChartAxis* LeftAxis() const { return FLeftAxis.get(); }
    TChartAxis* RightAxis() const { return FRightAxis.get(); }
    bool View3D() const { return FView3D; }
    void SetView3D(bool value);
    bool View3DWalls() const { return FView3DWalls; }
    void SetView3DWalls(bool value);
    std::int32_t Chart3DPercent() const { return FChart3DPercent; }
    // 1..100, else ChartException and the old value stays.
    void SetChart3DPercent(std::int32_t value);
    TChartPen* Frame() { return &FFrame; }
    const TChartPen* Frame() const { return &FFrame; }
    bool ClipPoints() const { return FClipPoints; }
    void SetClipPoints(bool value);
    bool AxisVisible() const { return FAxisVisible; }
    void SetAxisVisible(bool value);
    bool BufferedDisplay() const { return true; }
    bool Monochrome() const { return FMonochrome; }
    void SetMonochrome(bool value);
    // Paged mode; 0 (off) throughout this program.
    std::int32_t MaxPointsPerPage() const { return 0; }

    std::function<void(TCustomAxisPanel&)> OnAfterDraw;
    // May change the text of an axis label (series and value index when it labels a point).
    std::function<void(TChartAxis&, TChartSeries*, std::int32_t, std::string&)> OnGetAxisLabel;

    // The n-th series (from 0, in list order) among the active ones shown in the legend.
    TChartSeries* SeriesForLegendIndex(std::int32_t n) const;
    // Text of legend item n: the series title, else its name, else "Series n" (value styles:
    // the point's value text); then OnGetLegendText may change it.
    std::string GetLegendText(std::int32_t n);
    std::function<void(TCustomAxisPanel&, TLegendStyle, std::int32_t, std::string&)> OnGetLegendText;
    // Consulted during the legend layout: the box, and per item its text x, y and symbol x.
    std::function<void(TCustomAxisPanel&, TRect&)> OnGetLegendRect;
    std::function<void(TCustomAxisPanel&, std::int32_t, std::int32_t&, std::int32_t&, std::int32_t&)> OnGetLegendPos;

    // Smallest or largest X or Y over the active, non-empty series on the axis; 0 without any.
    double SeriesMinMax(const TChartAxis* axis, bool isMin, bool isX) const;
    // First active series drawn against the axis.
    TChartSeries* AxisSeries(const TChartAxis* axis) const;
    bool IsAxisVisible(const TChartAxis* axis) const;

    // Depth of the walls an axis must leave room for; 0 unless walls are drawn.
    virtual std::int32_t WallSize(const TChartAxis* axis) const;

    // Steps of the paint sequence (after DrawPanel), public so each can be checked on its own.
    virtual void DrawTitlesAndLegend();
    // Hands out the depth positions of the active series.
    void CalcZOrders();
    virtual void CalcAxisRect();
    virtual void CalcSeriesRect();
    virtual void DrawChartBackground();
    // Clip region of the series step: the rectangle inside the frame, or the box outline in 3D.
    void ClipSeriesRegion(const TRect& rect);
    // Draws one series completely, clipped to the plotting area; inactive series are skipped.
    void DrawSeries(TChartSeries* series, const TRect& clipRect);

protected:
    void InternalDraw(const TRect& r) override;
    // Hooks filled by the chart's subclasses: depth sizes, walls, zoom band.
    virtual void Calc3DSizes();
    virtual void DrawWalls();
    virtual void DrawZoomRectangle();
    virtual void DrawTitles();

    // Recreates the legend (for subclasses with their own legend class).
    void SetLegend(std::unique_ptr<TCustomChartLegend> legend);

private:
    TChartSeriesList FSeriesList;
    TColor FBackColor = clChartDefault;
    std::unique_ptr<TCustomChartLegend> FLegend;
    std::unique_ptr<TChartAxis> FTopAxis;
    std::unique_ptr<TChartAxis> FBottomAxis;
    std::unique_ptr<TChartAxis> FLeftAxis;
    std::unique_ptr<TChartAxis> FRightAxis;
    bool FView3D = true;
    bool FView3DWalls = true;
    std::int32_t FChart3DPercent = 15;
    TChartPen FFrame;
    bool FClipPoints = true;
    bool FAxisVisible = true;
    bool FMonochrome = false;
};
