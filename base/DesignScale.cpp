#include "base/DesignScale.h"

#include "base/MulDiv.h"

int ScaledFromDesign(int designValue, int pixelsPerInch)
{
    return MulDiv(designValue, pixelsPerInch, kDesignPixelsPerInch);
}
