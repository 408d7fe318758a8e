#include "chart/SeriesPointer.h"

#include "chart/ChartException.h"

TSeriesPointer::TSeriesPointer(std::function<void()> onChange) : FOnChange(std::move(onChange))
{
    FPen.OnChange = FOnChange;
    FBrush.OnChange = FOnChange;
}

void TSeriesPointer::SetHorizSize(std::int32_t value)
{
    if (value < 1)
        throw ChartException("Pointer size must be greater than zero");
    Set(FHorizSize, value);
}

void TSeriesPointer::SetVertSize(std::int32_t value)
{
    if (value < 1)
        throw ChartException("Pointer size must be greater than zero");
    Set(FVertSize, value);
}
