#pragma once
// kelvaro-batch's command line, read by one table of options into one value before anything
// runs: a plain run (with its picture or without), a study, "merge" with its tables, or the
// help. GNU style: "--name value" (the next argument is the value whatever it starts with) or
// "--name=value"; after "merge" an argument that does not begin with "--" names a table.
#include "batch/BatchOptions.h"
#include "batch/study/StudyOptions.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

enum class TCommand { Run, Study, Merge, Help };

struct TMergeOptions {
    std::vector<std::string> Files;
    std::optional<std::string> Output;
    std::optional<std::string> Summary;
    TPictureOptions Picture;
    bool AllowPartial = false;
};

struct TCommandLine {
    TCommand Command = TCommand::Run;
    TBatchOptions Run;    // a plain run's and a study's
    TStudyOptions Study;  // a study's, and a plain run's picture
    TMergeOptions Merge;
};

// Raises EUsageError with the first fault: a plain run's and merge's options are checked as
// they come, a study's after them in their order (with the line's --decimal-separator wherever
// it stands), then what only options together tell and the texts a study's runs would convert.
// "--help" ends the reading. Leaves DecimalSeparator as it was.
TCommandLine ParseCommandLine(std::span<const std::string> args);
