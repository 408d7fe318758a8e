#include "chart/Series/LineSeries.h"

TLineSeries::TLineSeries()
{
    SetDrawLineDefault(true);
    Pointer().SetVisible(false);
}
