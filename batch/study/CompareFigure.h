#pragma once
// The figure across the sets of a sweep: the last generation's sexual-minus-asexual
// difference of living and GC with its 95 % interval (Student t) against the first swept
// parameter, one line per combination of the other swept parameters.
#include "batch/study/StudyOptions.h"
#include "batch/study/StudySummary.h"

#include <string>

// Raises std::runtime_error when no parameter varies between the sets or the file cannot be
// written.
void SaveCompareFigure(const TStudySummary& summary, const TPictureOptions& picture, const std::string& file);
