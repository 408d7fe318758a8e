#pragma once
// The study's reading of the command line: replicates, sweeps, recording, files, workers,
// shards and pictures, on top of the plain run's options.
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
    bool Study = false;  // any study option given; otherwise one plain run
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

// Reads options.StudyOptions and checks every parameter text a run would convert, so that a bad
// text stops the study before its first run. Ranges become texts with the current
// DecimalSeparator, so set it first. Raises EUsageError.
TStudyOptions ReadStudyOptions(const TBatchOptions& options);

// Picture options alone, for the merge step. Raises EUsageError for anything else.
TPictureOptions ReadPictureOption(TPictureOptions picture, const std::string& name, const std::string& value);
