#pragma once
// A study's options on top of the plain run's: replicates, sweeps, recording, files, workers,
// shards and pictures; and the readers of their values.
#include "Unit2/RunChartSize.h"
#include "batch/BatchOptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The five parameters in the order of the table's columns.
enum TParameter { paGene, paGenerations, paMutationRate, paMutationLimit, paKillFactor };
inline constexpr int kParameterCount = 5;
using TParameterTexts = std::array<std::string, kParameterCount>;

// The parameter texts of the plain options (or their defaults).
TParameterTexts ParameterTexts(const TRunFields& fields);

struct TSweep {
    TParameter Parameter;
    std::vector<std::string> Values;  // texts as the fields would hold them
};

struct TPictureOptions {
    std::optional<std::string> File;
    std::optional<std::string> Compare;   // a sweep's comparison figure
    std::int32_t Width = kRunChartWidth;  // the chart window's, at design resolution
    std::int32_t Height = kRunChartHeight;
    bool View3D = false;
};

struct TStudyOptions {
    std::int32_t Replicates = 1;
    std::vector<TSweep> Sweeps;
    std::int32_t Every = 1;
    bool Paired = false;  // replicate r has the same seed in every set
    std::optional<std::string> Output;
    std::optional<std::string> Summary;
    std::int32_t Jobs = 0;        // 0: one per core
    std::int32_t ShardIndex = 0;  // from 0
    std::int32_t ShardCount = 1;
    TPictureOptions Picture;
    bool DryRun = false;  // print the plan and stop
    bool Yes = false;     // run even a study beyond the size that asks first
    bool Resume = false;  // go on with the runs of an interrupted study's journal
};

// The readers raise EUsageError for a text they do not take. A sweep's ranges become texts with
// the current DecimalSeparator, so set it first.
std::int32_t ReadPositiveNumber(const std::string& name, const std::string& text);
TSweep ReadSweep(const std::string& option, const std::vector<TSweep>& earlier);
void ReadShard(TStudyOptions& study, const std::string& text);
void ReadSize(TPictureOptions& picture, const std::string& text);

// The text converted as a run converts it; a conversion error becomes a usage error.
void CheckParameterText(TParameter parameter, const std::string& text);
