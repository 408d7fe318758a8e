#pragma once
// kelvaro-batch's plain run without its process: runs and writes.
#include "batch/BatchOptions.h"
#include "batch/TextSink.h"

// Runs with DecimalSeparator as it is (the caller sets it from the options). Returns the exit
// status: 0 done, 1 the run or its output failed (the message on `err`), 128 + the signal when
// StopSignal stopped the run. The output keeps every whole line computed before the end.
int RunBatch(const TBatchOptions& options, TTextSink& out, TTextSink& err);
