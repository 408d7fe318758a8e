#pragma once
// Command line of kelvaro-batch, GNU style: "--name value" (the next argument
// is the value whatever it starts with) or "--name=value".
#include "base/Exception.h"
#include "main/SimulationRun.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

KELVARO_EXCEPTION_CLASS(EUsageError, Exception);

enum class TOutputFormat { Memo, Csv };

struct TBatchOptions {
    TRunFields Fields;                         // the field texts, converted later by the run
    std::optional<TOutputFormat> Format;       // memo when absent
    std::optional<char32_t> DecimalSeparator;  // the locale's when absent
    bool Help = false;
    // Study and picture options (--replicates ... --3d) as name and text, in the order given;
    // batch/study reads them. "--3d", "--paired", "--dry-run" and "--yes" come with an empty text.
    std::vector<std::pair<std::string, std::string>> StudyOptions;
};

// Raises EUsageError for an unknown option, a missing or malformed value and
// a gene longer than the field takes.
TBatchOptions ParseBatchOptions(std::span<const std::string> args);

extern const char* const kBatchUsage;
