#include "batch/SpillBuffer.h"

#include <algorithm>

TSpillBuffer::~TSpillBuffer()
{
    if (file_)
        std::fclose(file_);
}

void TSpillBuffer::Append(std::string_view text)
{
    memory_.append(text);
    if (memory_.size() >= memoryLimit_)
        Spill();
}

void TSpillBuffer::Spill()
{
    if (!file_)
        file_ = std::tmpfile();
    // Without a temporary file, or when it is full, the text stays in memory;
    // a short write is overwritten by the next attempt.
    if (!file_)
        return;
    if (std::fwrite(memory_.data(), 1, memory_.size(), file_) == memory_.size()) {
        fileBytes_ += memory_.size();
        memory_.clear();
    } else {
        std::fseek(file_, static_cast<long>(fileBytes_), SEEK_SET);
    }
}

void TSpillBuffer::MoveTo(TTextSink& sink)
{
    if (file_) {
        std::rewind(file_);
        char block[1 << 16];
        for (std::size_t left = fileBytes_, n; left > 0; left -= n) {
            n = std::fread(block, 1, std::min(left, sizeof block), file_);
            if (n == 0)
                break;
            sink.Write(std::string_view(block, n));
        }
        std::fclose(file_);
        file_ = nullptr;
        fileBytes_ = 0;
    }
    sink.Write(memory_);
    memory_.clear();
}
