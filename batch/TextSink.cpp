#include "batch/TextSink.h"

#include "batch/CheckedIo.h"

#include <algorithm>

TFileSink::TFileSink(int descriptor, std::string_view name)
    : FDescriptor(descriptor), FFailure("Schreibfehler auf " + std::string(name)),
      FBuffer(std::make_unique_for_overwrite<char[]>(kBlock))
{
}

void TFileSink::Write(std::string_view text)
{
    if (FBuffered + text.size() > kBlock) {
        Flush();
        if (text.size() >= kBlock) {
            WriteAll(FDescriptor, text, FFailure);
            return;
        }
    }
    // (std::copy: an empty piece may have no data at all)
    std::copy(text.begin(), text.end(), FBuffer.get() + FBuffered);
    FBuffered += text.size();
}

void TFileSink::WriteLine(std::string_view line)
{
    if (FBuffered + line.size() >= kBlock) {
        Write(line);
        Write("\n");
        return;
    }
    std::copy(line.begin(), line.end(), FBuffer.get() + FBuffered);
    FBuffer[FBuffered + line.size()] = '\n';
    FBuffered += line.size() + 1;
}

void TFileSink::Flush()
{
    WriteAll(FDescriptor, std::string_view(FBuffer.get(), FBuffered), FFailure);
    FBuffered = 0;
}
