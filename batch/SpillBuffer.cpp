#include "batch/SpillBuffer.h"

#include "batch/CheckedIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr const char* kWriteFailed = "Schreibfehler in der Zwischendatei";
constexpr const char* kReadFailed = "Lesefehler in der Zwischendatei";

}  // namespace

TSpillBuffer::~TSpillBuffer()
{
    if (FFile >= 0)
        ::close(FFile);
}

void TSpillBuffer::AppendLine(std::string_view line)
{
    // Reserved first, so that running out of memory leaves no half line.
    FMemory.reserve(FMemory.size() + line.size() + 1);
    FMemory.append(line);
    Append("\n");
}

void TSpillBuffer::Append(std::string_view text)
{
    FMemory.append(text);
    if (FMemory.size() >= FMemoryLimit)
        Spill();
}

void TSpillBuffer::OpenFile()
{
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string directory = tmpdir && *tmpdir ? tmpdir : "/tmp";
    std::string path = directory + "/kelvaro-batch-XXXXXX";
    FFile = ::mkostemp(path.data(), O_CLOEXEC);
    if (FFile < 0)
        RaiseOutputError("Zwischendatei in '" + directory + "' nicht anlegbar", errno);
    ::unlink(path.c_str());
}

void TSpillBuffer::Spill()
{
    if (FFile < 0)
        OpenFile();
    WriteAll(FFile, FMemory, kWriteFailed);
    FFileBytes += FMemory.size();
    FMemory.clear();
}

void TSpillBuffer::MoveTo(TTextSink& sink)
{
    if (FFile >= 0) {
        if (::lseek(FFile, 0, SEEK_SET) != 0)
            RaiseOutputError(kReadFailed, errno);
        char block[1 << 16];
        while (FFileBytes > 0) {
            const ssize_t n = ::read(FFile, block, std::min<std::uint64_t>(FFileBytes, sizeof block));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                RaiseOutputError(kReadFailed, n < 0 ? errno : 0);
            sink.Write(std::string_view(block, static_cast<std::size_t>(n)));
            FFileBytes -= static_cast<std::uint64_t>(n);
        }
        ::close(FFile);
        FFile = -1;
    }
    sink.Write(FMemory);
    FMemory.clear();
}
