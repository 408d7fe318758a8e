#pragma once
// The title of an axis: caption, font and writing angle.
#include "chart/ChartEngine/ChartFontObject.h"

#include <cstdint>
#include <string>

class TChartAxis;

// 0 … 360 with 360 stored as 0; anything else raises ChartException naming `what`
// ("Axis Title", "Axis Labels").
std::int32_t CheckAxisAngle(std::int32_t value, const char* what);

class TChartAxisTitle : public TChartFontObject {
public:
    TChartAxisTitle(TCustomAxisPanel* chart, TChartAxis& axis) : TChartFontObject(chart), FAxis(axis) {}

    // Copies angle, caption and font.
    void Assign(const TChartFontObject& source) override;

    TChartAxis& Axis() const { return FAxis; }
    std::int32_t Angle() const { return FAngle; }
    void SetAngle(std::int32_t value);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);

private:
    TChartAxis& FAxis;
    std::int32_t FAngle = 0;
    std::string FCaption;
};
