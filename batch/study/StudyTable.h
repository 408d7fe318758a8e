#pragma once
// The study table: one CSV row per run, recorded generation and population, and one row for a
// run's error. The rows of a run are written together, so a table is a list of runs.
#include "batch/study/StudyOptions.h"
#include "batch/study/StudyPlan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kStudyTableHeader =
    "set,replicate,seed,gene,generations,mutation_rate,mutation_limit,kill_factor,"
    "generation,population,living,gc,died_out_at,error\n";

inline constexpr const char* kPopulationNames[2] = {"sexual", "asexual"};

// What the summary takes from a run; index 0 the sexual, 1 the asexual population.
struct TGenerationMeasures {
    std::int32_t Generation;
    std::int32_t Living[2];
    double Gc[2];               // the printed text's value, so that a table read back gives the same
    std::int32_t DiedOutAt[2];  // 0 while the population lives
};

struct TRunOutcome {
    std::vector<TGenerationMeasures> Generations;
    bool Failed = false;
};

// A run as a table holds it.
struct TTableRun {
    TStudyRun Run;
    TParameterTexts Parameters;
    TRunOutcome Outcome;
    std::string Rows;  // its CSV text
};

// Appends `field` to `row`, quoted when it holds a comma, a quote or a line break.
void AppendCsvField(std::string& row, std::string_view field);

// A failed run's row: the prefix, five empty fields and the message.
std::string ErrorRow(std::string_view prefix, std::string_view message);
// "set,replicate,seed,five parameters," for every row of the run.
std::string RowPrefix(const TStudyRun& run, const TParameterTexts& parameters);

// The value of a GC text, whatever its decimal separator.
double GcValue(std::string_view text);
