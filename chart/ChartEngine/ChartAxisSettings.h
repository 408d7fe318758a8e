#pragma once
// An axis's plain settings as one value: copied whole by Assign, compared whole by its setter.
#include <cstdint>
#include <string>

enum TAxisLabelStyle : std::uint8_t { talAuto, talNone, talValue, talMark, talText };

struct TAxisSettings {
    bool Visible = true;
    // Automatic implies both ends automatic; a fixed end makes the axis non-automatic.
    bool Automatic = true;
    bool AutomaticMaximum = true;
    bool AutomaticMinimum = true;
    bool Labels = true;
    std::int32_t LabelsAngle = 0;        // 0 … 359
    std::int32_t LabelsSeparation = 10;  // percent of a label's extent, not negative
    std::int32_t TitleSize = 0;
    std::int32_t LabelsSize = 0;
    bool LabelsOnAxis = true;
    TAxisLabelStyle LabelStyle = talAuto;
    std::int32_t TickInnerLength = 0;
    std::int32_t MinorTickLength = 2;
    std::int32_t MinorTickCount = 3;
    std::int32_t TickLength = 4;
    double Maximum = 0;  // not below Minimum
    double Minimum = 0;
    double Increment = 0;  // not negative
    std::string AxisValuesFormat = "#,##0.###";
    std::string DateTimeFormat;
    bool Inverted = false;
    // Never on a date axis or over negative values. The scale itself stays linear: the program
    // never switches it on.
    bool Logarithmic = false;
    bool ExactDateTime = true;
    bool RoundFirstLabel = true;
    bool TickOnLabelsOnly = true;

    bool operator==(const TAxisSettings&) const = default;
};
