#pragma once
// kelvaro-batch without its process: parses the arguments, runs and writes.
#include "batch/TextSink.h"

#include <span>
#include <string>

// Returns the exit status: 0 done, 1 the run failed (its message on `err`),
// 2 a usage error.
int RunBatch(std::span<const std::string> args, TTextSink& out, TTextSink& err);
