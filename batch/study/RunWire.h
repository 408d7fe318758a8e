#pragma once
// What a worker sends back on its pipe: messages of a header (task, kind, payload length) and a
// payload. A task's output comes in chunks of at most kWireChunk bytes as it is produced, then
// its end; a run's end holds whether it failed and its measures. Every length is checked when a
// message is built and when it is read: one that breaks the format raises EWireError.
#include "batch/study/StudyTable.h"

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

class EWireError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TWireKind : std::uint8_t { Output = 1, End = 2 };

struct TWireHeader {
    std::int64_t Task;
    TWireKind Kind;
    std::uint64_t Length;
};

inline constexpr std::size_t kWireHeaderSize = sizeof(std::int64_t) + 1 + sizeof(std::uint64_t);
inline constexpr std::size_t kWireChunk = std::size_t{1} << 16;
// The longest end: the flag, the count and the measures of a run of the most generations there can be.
inline constexpr std::uint64_t kWireEndLimit =
    1 + sizeof(std::uint64_t) +
    (std::uint64_t{std::numeric_limits<std::int32_t>::max()} + 1) * sizeof(TGenerationMeasures);

using TWireHeaderBytes = std::array<char, kWireHeaderSize>;

TWireHeaderBytes PackHeader(const TWireHeader& header);
TWireHeader UnpackHeader(const TWireHeaderBytes& bytes);

// A run's end: whether it failed, the count of its measures and the measures.
std::string PackOutcome(const TRunOutcome& outcome);
TRunOutcome UnpackOutcome(std::string_view packed);
