#pragma once
// One run of a study: the shared simulation run with the study's seed and parameter texts,
// recorded as table rows and measures.
#include "batch/TextSink.h"
#include "batch/study/StudyTable.h"

// Writes the rows of every `every`-th generation and the last to `rows` as they come, and keeps
// their measures only when `measures`. A run that ends in an error keeps the rows it produced and
// gets an error row; only a failing `rows` raises (EOutputError).
TRunOutcome RunStudyRun(const TStudyRun& run, const TParameterTexts& parameters, std::int32_t every, TTextSink& rows,
                        bool measures);

// A run that could not be carried out: its error row alone.
TTableRun FailedStudyRun(const TStudyRun& run, const TParameterTexts& parameters, const std::string& message);
