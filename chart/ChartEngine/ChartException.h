#pragma once
// Errors raised by the chart engine; the shell shows their message like any other error.
#include "base/Exception.h"

KELVARO_EXCEPTION_CLASS(ChartException, Exception);
// Index outside a list, as the toolkit's lists report it.
KELVARO_EXCEPTION_CLASS(EListError, Exception);
