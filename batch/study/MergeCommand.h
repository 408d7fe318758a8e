#pragma once
// kelvaro-batch merge: the shard tables of one study joined into its table, summary and pictures.
#include "batch/TextSink.h"

#include <span>
#include <string>

// `args` follow "merge". Returns the exit status as RunCommandLine does; raises EUsageError.
int RunMerge(std::span<const std::string> args, TTextSink& out, TTextSink& err);
