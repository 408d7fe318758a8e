#pragma once
// A study from its plan to its table, summary and pictures; and a plain run with its picture.
#include "batch/BatchOptions.h"
#include "batch/TextSink.h"
#include "batch/study/Dispatch.h"  // RunCommandLine, which leads here
#include "batch/study/StudyOptions.h"

#include <span>
#include <string>

// `args`, the command line, go into the table's description as given. Returns the exit status:
// 0 done, 1 at least one run failed, 2 a study too large without --yes; raises EUsageError
// while the study is planned, before any output.
int RunStudy(std::span<const std::string> args, const TBatchOptions& options, const TStudyOptions& study,
             TTextSink& out, TTextSink& err);

// One plain run as RunBatch does it, then its picture (picture.File) from the same seed.
int RunWithPicture(const TBatchOptions& options, const TPictureOptions& picture, TTextSink& out, TTextSink& err);
