#include "base/FloatEnvironment.h"

#include "base/Exception.h"

#include <cfenv>
#include <fpu_control.h>

void SetFloatEnvironment()
{
    // Extended precision, round to nearest, all traps masked.
    fpu_control_t cw = _FPU_DEFAULT;
    _FPU_SETCW(cw);
    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
}

void RaisePendingFloatFault()
{
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (raised & FE_INVALID)
        RaiseFloatFault(TFloatFault::InvalidOp);
    if (raised & FE_DIVBYZERO)
        RaiseFloatFault(TFloatFault::ZeroDivide);
    RaiseFloatFault(TFloatFault::Overflow);
}

void RaiseFloatFault(TFloatFault fault)
{
    SetFloatEnvironment();
    switch (fault) {
    case TFloatFault::InvalidOp: throw EInvalidOp(kInvalidOpMessage);
    case TFloatFault::ZeroDivide: throw EZeroDivide(kZeroDivideMessage);
    case TFloatFault::Overflow: break;
    }
    throw EOverflow(kOverflowMessage);
}
