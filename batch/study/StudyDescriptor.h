#pragma once
// The description written beside every table and summary: a tabular data package descriptor
// (`<file>.datapackage.json`) with the study's definition, the shard and its runs, the columns with
// their types and units, and the file's size and SHA-256. Merge reads it back.
#include "base/Exception.h"
#include "batch/study/ChecksumSink.h"
#include "batch/study/StudyOptions.h"
#include "batch/study/StudyPlan.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Input that this program cannot have written: one line naming file, line and column.
KELVARO_EXCEPTION_CLASS(EDataError, Exception);

// What every part of one study shares.
struct TStudyDefinition {
    std::string Version;
    std::uint32_t BaseSeed = 0;
    std::string SeedRule;
    std::string DecimalSeparator;  // UTF-8
    std::int32_t Replicates = 1;
    std::int32_t Every = 1;
    bool Paired = false;  // replicate r has the same seed in every set
    std::vector<TParameterTexts> Sets;

    std::int64_t RunCount() const { return static_cast<std::int64_t>(Sets.size()) * Replicates; }
};

// The seed rule, in the words a descriptor gives, and the seed of run `index` (from 0) under it.
extern const char* const kSeedRule;
std::uint32_t RuleSeed(const TStudyPlan& plan, std::int64_t index);

// The definition of a study run now by this program, with the current DecimalSeparator.
TStudyDefinition StudyDefinition(std::vector<TParameterTexts> sets, std::int32_t replicates, std::int32_t every,
                                 std::uint32_t baseSeed, bool paired);

// The name of the first item in which `b` differs from `a`, empty when none does.
std::string DefinitionDifference(const TStudyDefinition& a, const TStudyDefinition& b);

// One table's or summary's place in its study.
struct TPartDescription {
    TStudyDefinition Study;
    std::vector<std::string> CommandLine;
    std::int32_t Shard = 1;  // K of K/N, from 1
    std::int32_t ShardCount = 1;
    std::vector<std::int64_t> Missing;  // indices (from 0) of the share's runs the table lacks, ascending
    std::uint64_t Bytes = 0;
    std::string Sha256;

    // Whether run `index` (from 0) belongs to this part's share.
    bool InShare(std::int64_t index) const { return index % ShardCount == Shard - 1; }
};

enum class TResourceKind { Table, Summary };

std::string DescriptorPath(const std::string& file);

// The descriptor of `file` (its folder's name left out) with the size and checksum that `written` saw.
std::string DescriptorText(const TPartDescription& part, const std::string& file, TResourceKind kind,
                           const TChecksumSink& written);

// Writes DescriptorText to DescriptorPath(file) as a complete file; raises EOutputError.
void WriteDescriptor(const TPartDescription& part, const std::string& file, TResourceKind kind,
                     const TChecksumSink& written);

// Reads a table's descriptor, raising EDataError naming `name` for anything this program does not write.
TPartDescription ReadDescriptor(std::string_view text, const std::string& name);
