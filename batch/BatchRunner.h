#pragma once
// kelvaro-batch without its process: parses the arguments, runs and writes.
#include "batch/TextSink.h"

#include <span>
#include <string>

// Returns the exit status: 0 done, 1 the run or its output failed (the message on
// `err`), 2 a usage error, 128 + the signal when StopSignal stopped the run. The
// output keeps every whole line computed before the end.
int RunBatch(std::span<const std::string> args, TTextSink& out, TTextSink& err);
