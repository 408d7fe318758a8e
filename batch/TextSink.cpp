#include "batch/TextSink.h"

#include "batch/CheckedIo.h"

TFileSink::TFileSink(int descriptor, std::string_view name)
    : FDescriptor(descriptor), FFailure("Schreibfehler auf " + std::string(name))
{
    FBuffer.reserve(kBlock);
}

void TFileSink::Write(std::string_view text)
{
    if (FBuffer.size() + text.size() <= kBlock) {
        FBuffer.append(text);
        return;
    }
    Flush();
    if (text.size() < kBlock)
        FBuffer.append(text);
    else
        WriteAll(FDescriptor, text, FFailure);
}

void TFileSink::Flush()
{
    WriteAll(FDescriptor, FBuffer, FFailure);
    FBuffer.clear();
}
