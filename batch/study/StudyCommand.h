#pragma once
// kelvaro-batch's command line with studies: a plain run goes to RunBatch unchanged; a study,
// a picture or "merge" is handled here.
#include "batch/TextSink.h"

#include <span>
#include <string>

// Returns the exit status: 0 done, 1 a run failed (a study: at least one), 2 a usage error.
int RunCommandLine(std::span<const std::string> args, TTextSink& out, TTextSink& err);
