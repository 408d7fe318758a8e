#pragma once
// A study table read back run by run and checked against its study's definition: every row as
// the writer writes it, runs in the order of their share, each to its last recorded generation.
// Rows go on to a sink as they are read; nothing else of a run is kept but its measures.
#include "batch/TextSink.h"
#include "batch/study/LineReader.h"
#include "batch/study/StudyDescriptor.h"
#include "batch/study/StudyPlan.h"
#include "batch/study/StudyTable.h"

#include <cstdint>
#include <string>
#include <vector>

class TTableReader {
public:
    // Opens `name` and reads its header. Raises EDataError.
    TTableReader(const std::string& name, const TStudyDefinition& study, const TStudyPlan& plan);

    enum class TRead {
        Complete,
        Missing,    // the file ended before the run
        Truncated,  // the file ended inside the run
    };
    // Reads run `index` (from 0), which must come next: its rows to `rows`, its measures to `run`.
    // Raises EDataError naming file, line and column for anything the writer does not write.
    TRead ReadRun(std::int64_t index, TTextSink& rows, TTableRun& run);
    // Raises EDataError when anything follows the last run read.
    void ExpectEnd();

    const TLineReader& Lines() const { return FLines; }

private:
    bool Peek();
    [[noreturn]] void Fail(std::size_t column, const std::string& what) const;
    void Split();
    void CheckMeasures(TTableRun& run, std::int32_t generation, int population, std::int32_t previous);
    // The row as the writer writes it from the fields read, against the row read.
    void CheckLayout(const std::string& prefix);

    const TStudyDefinition& FStudy;
    const TStudyPlan& FPlan;
    char32_t FSeparator;
    TLineReader FLines;
    std::string FLine;
    std::string FRow;  // CheckLayout's, kept for its capacity
    bool FPending = false;
    bool FHeaderCut = false;
    std::vector<std::string> FFields;
    std::vector<std::size_t> FStarts;  // of each field in FLine
    std::int32_t FDiedOutAt[2] = {0, 0};
};

// The longest row a table of `study` can hold.
std::size_t MaxRowLength(const TStudyDefinition& study);
