#pragma once
// Text held back for later: in memory up to a limit, beyond it in an anonymous
// temporary file, so that a run of any length needs bounded memory.
#include "batch/TextSink.h"

#include <cstdio>
#include <string>
#include <string_view>

class TSpillBuffer {
public:
    explicit TSpillBuffer(std::size_t memoryLimit = std::size_t{32} << 20)
        : memoryLimit_(memoryLimit)
    {
    }
    ~TSpillBuffer();
    TSpillBuffer(const TSpillBuffer&) = delete;
    TSpillBuffer& operator=(const TSpillBuffer&) = delete;

    void Append(std::string_view text);
    // Writes everything appended so far, in order, and empties the buffer.
    void MoveTo(TTextSink& sink);

private:
    void Spill();

    std::size_t memoryLimit_;
    std::string memory_;
    std::FILE* file_ = nullptr;  // holds what came before memory_
    std::size_t fileBytes_ = 0;
};
