#pragma once
// A plain run's options of kelvaro-batch and the readers of their values; the whole command
// line is read by ParseCommandLine (batch/study/CommandLine.h).
#include "base/Exception.h"
#include "main/SimulationRun.h"

#include <cstdint>
#include <optional>
#include <string>

KELVARO_EXCEPTION_CLASS(EUsageError, Exception);

enum class TOutputFormat { Memo, Csv };

struct TBatchOptions {
    TRunFields Fields;                         // the field texts, converted later by the run
    std::optional<TOutputFormat> Format;       // memo when absent
    std::optional<char32_t> DecimalSeparator;  // the locale's when absent
};

// The values of --seed, --decimal-separator, --gene (upper-cased, at most the ten characters
// the field takes) and --format. Each raises EUsageError for a text it does not take.
std::uint32_t ReadSeed(const std::string& text);
char32_t ReadSeparator(const std::string& text);
std::string ReadGene(const std::string& text);
TOutputFormat ReadFormat(const std::string& text);

extern const char* const kBatchUsage;
