#pragma once
// kelvaro-batch merge: the shard tables of one study joined into its table, summary and pictures.
#include "batch/TextSink.h"
#include "batch/study/CommandLine.h"

#include <span>
#include <string>

// `args`, those after "merge", go into the table's description as given. Returns the exit
// status as RunCommandLine does.
int RunMerge(const TMergeOptions& options, std::span<const std::string> args, TTextSink& out, TTextSink& err);
