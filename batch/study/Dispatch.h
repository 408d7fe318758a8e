#pragma once
// kelvaro-batch's command line read and handed to its command: a plain run, a study, merge or
// the help.
#include "batch/TextSink.h"

#include <span>
#include <string>

// Returns the exit status: 0 done, 1 a run failed (a study: at least one), 2 a usage error.
int RunCommandLine(std::span<const std::string> args, TTextSink& out, TTextSink& err);
