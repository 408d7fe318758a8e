#pragma once
// Text held back for later: in memory up to a limit, beyond it in an anonymous
// file in $TMPDIR (else /tmp), so that a run of any length needs bounded memory.
// The file is opened once, when the limit is first reached; if it cannot be
// opened, written or read back, EOutputError ends the run.
#include "batch/TextSink.h"

#include <cstdint>
#include <string_view>

class TSpillBuffer {
public:
    explicit TSpillBuffer(std::size_t memoryLimit = std::size_t{32} << 20) : FMemoryLimit(memoryLimit) {}
    ~TSpillBuffer();
    TSpillBuffer(const TSpillBuffer&) = delete;
    TSpillBuffer& operator=(const TSpillBuffer&) = delete;

    // Appends `line` and a line break.
    void AppendLine(std::string_view line);
    // Appends `text` as it is.
    void Append(std::string_view text);
    // Writes everything appended so far, in order, and empties the buffer.
    void MoveTo(TTextSink& sink);

private:
    void Reserve(std::size_t bytes);
    void Spill();
    void Put(std::string_view text, std::string_view end);
    void SpillText(std::string_view text, std::string_view end);
    void OpenFile();

    std::size_t FMemoryLimit;
    // The memory part: an anonymous mapping that grows by moving its pages rather
    // than copying them, in large pages where the system allows.
    char* FMemory = nullptr;
    std::size_t FCapacity = 0;
    std::size_t FMemoryBytes = 0;
    int FFile = -1;  // holds what came before FMemory
    std::uint64_t FFileBytes = 0;
};
