#include "chart/ChartEngine/ChartAxisTitle.h"

#include "chart/ChartEngine/ChartException.h"

#include <cstdio>

std::int32_t CheckAxisAngle(std::int32_t value, const char* what)
{
    if (value < 0 || value > 360) {
        char message[80];
        std::snprintf(message, sizeof message, "%s Angle must be between 0 and 359 degrees", what);
        throw ChartException(message);
    }
    return value == 360 ? 0 : value;
}

void TChartAxisTitle::Assign(const TChartFontObject& source)
{
    TChartFontObject::Assign(source);
    if (const auto* title = dynamic_cast<const TChartAxisTitle*>(&source)) {
        SetAngle(title->FAngle);
        SetCaption(title->FCaption);
    }
}

void TChartAxisTitle::SetAngle(std::int32_t value)
{
    value = CheckAxisAngle(value, "Axis Title");
    SetAndRepaint(FAngle, value, [this] { Repaint(); });
}

void TChartAxisTitle::SetCaption(const std::string& value)
{
    SetAndRepaint(FCaption, value, [this] { Repaint(); });
}
