#include "batch/SpillBuffer.h"

#include "batch/CheckedIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr const char* kWriteFailed = "Schreibfehler in der Zwischendatei";
constexpr const char* kReadFailed = "Lesefehler in der Zwischendatei";
constexpr std::size_t kFirstMapping = std::size_t{2} << 20;  // one large page

}  // namespace

TSpillBuffer::~TSpillBuffer()
{
    if (FMemory)
        ::munmap(FMemory, FCapacity);
    if (FFile >= 0)
        ::close(FFile);
}

// Room for `bytes` (at most the limit) in memory: the mapping doubles, up to the limit.
void TSpillBuffer::Reserve(std::size_t bytes)
{
    const std::size_t capacity = std::max(std::min(std::max(2 * FCapacity, kFirstMapping), FMemoryLimit), bytes);
    void* const memory = FMemory
                             ? ::mremap(FMemory, FCapacity, capacity, MREMAP_MAYMOVE)
                             : ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    // Only a request, kept when the mapping grows: without large pages it works the same.
    if (!FMemory)
        ::madvise(memory, capacity, MADV_HUGEPAGE);
    FMemory = static_cast<char*>(memory);
    FCapacity = capacity;
}

void TSpillBuffer::AppendLine(std::string_view line)
{
    // Within the mapping there is nothing to spill or to reserve: Put's way, shortened.
    if (FMemoryBytes + line.size() < FCapacity) {
        std::copy(line.begin(), line.end(), FMemory + FMemoryBytes);
        FMemory[FMemoryBytes + line.size()] = '\n';
        FMemoryBytes += line.size() + 1;
        return;
    }
    Put(line, "\n");
}

void TSpillBuffer::Append(std::string_view text)
{
    Put(text, {});
}

// `text` and its `end` as one piece: room is made first, so that running out of memory
// leaves no half line.
void TSpillBuffer::Put(std::string_view text, std::string_view end)
{
    const std::size_t bytes = text.size() + end.size();
    if (bytes == 0)
        return;
    if (FMemoryBytes + bytes > FMemoryLimit) {
        Spill();
        if (bytes > FMemoryLimit) {
            SpillText(text, end);
            return;
        }
    }
    if (FMemoryBytes + bytes > FCapacity)
        Reserve(FMemoryBytes + bytes);
    // (std::copy: an empty piece may have no data at all)
    std::copy(end.begin(), end.end(), std::copy(text.begin(), text.end(), FMemory + FMemoryBytes));
    FMemoryBytes += bytes;
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
    if (FMemoryBytes == 0)
        return;
    if (FFile < 0)
        OpenFile();
    WriteAll(FFile, std::string_view(FMemory, FMemoryBytes), kWriteFailed);
    FFileBytes += FMemoryBytes;
    FMemoryBytes = 0;
}

// A piece longer than the whole memory part goes straight to the file.
void TSpillBuffer::SpillText(std::string_view text, std::string_view end)
{
    if (FFile < 0)
        OpenFile();
    WriteAll(FFile, text, kWriteFailed);
    WriteAll(FFile, end, kWriteFailed);
    FFileBytes += text.size() + end.size();
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
    sink.Write(std::string_view(FMemory, FMemoryBytes));
    FMemoryBytes = 0;
}
