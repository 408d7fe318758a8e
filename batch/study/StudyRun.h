#pragma once
// One run of a study: the shared simulation run with the study's seed and parameter texts,
// recorded as table rows and measures.
#include "batch/study/StudyTable.h"

// Records every `every`-th generation and the last. A run that ends in an error keeps the rows
// it produced and gets an error row; it never raises.
TTableRun RunStudyRun(const TStudyRun& run, const TParameterTexts& parameters, std::int32_t every);

// A run that could not be carried out: its error row alone.
TTableRun FailedStudyRun(const TStudyRun& run, const TParameterTexts& parameters, const std::string& message);
