#include "batch/study/StudyJournal.h"

#include "batch/CheckedIo.h"
#include "batch/OutputPath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr char kMark[] = "KVJRNL1\n";
constexpr std::size_t kMarkSize = sizeof kMark - 1;
constexpr std::size_t kHeaderSize = sizeof(std::uint64_t) + sizeof(std::uint32_t);
// A run's payload without rows and measures: index, measure count, failed.
constexpr std::uint64_t kRunFixed = 2 * sizeof(std::uint64_t) + 1;
constexpr std::size_t kPiece = 1 << 16;
// Records written before the journal is synced, at most, and the time between syncs.
constexpr std::int32_t kSyncRuns = 64;
constexpr std::chrono::seconds kSyncInterval{1};

std::uint32_t Crc(std::uint32_t crc, const void* data, std::size_t size)
{
    return static_cast<std::uint32_t>(crc32_z(crc, static_cast<const Bytef*>(data), size));
}

std::uint64_t FileSize(int descriptor)
{
    struct stat status = {};
    return fstat(descriptor, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

[[noreturn]] void PathError(const std::string& path, const std::string& reason)
{
    throw EOutputPathError("Journal " + path + ": " + reason);
}

// A process's own lock: the workers forked from it do not hold it on after it is killed.
void Lock(int descriptor, const std::string& path)
{
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (fcntl(descriptor, F_SETLK, &whole) != 0)
        PathError(path, "wird von einem anderen Prozess geschrieben");
}

void ReadAt(int descriptor, const std::string& path, void* data, std::size_t size, std::uint64_t offset)
{
    auto* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = pread(descriptor, p, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            RaiseOutputError("Das Journal " + path + " lässt sich nicht lesen", got < 0 ? errno : EIO);
        p += got;
        offset += static_cast<std::uint64_t>(got);
        size -= static_cast<std::size_t>(got);
    }
}

// The first record, and the offset after it; none when it is cut short.
std::optional<std::string> ReadHeader(int descriptor, const std::string& path, std::uint64_t& offset)
{
    const std::uint64_t size = FileSize(descriptor);
    char mark[kMarkSize] = {};
    const std::size_t markBytes = std::min<std::uint64_t>(size, kMarkSize);
    ReadAt(descriptor, path, mark, markBytes, 0);
    if (std::memcmp(mark, kMark, markBytes) != 0)
        PathError(path, "keine Journaldatei von kelvaro-batch");
    std::uint64_t length;
    std::uint32_t crc;
    if (size < kMarkSize + kHeaderSize)
        return std::nullopt;
    ReadAt(descriptor, path, &length, sizeof length, kMarkSize);
    ReadAt(descriptor, path, &crc, sizeof crc, kMarkSize + sizeof length);
    const std::uint64_t start = kMarkSize + kHeaderSize;
    if (length < sizeof(std::uint32_t) || length > size - start)
        return std::nullopt;
    std::string header(length, '\0');
    ReadAt(descriptor, path, header.data(), header.size(), start);
    if (Crc(0, header.data(), header.size()) != crc)
        return std::nullopt;
    offset = start + length;
    return header;
}

}  // namespace

std::string TStudyJournal::PathFor(const std::string& table)
{
    return table + ".journal";
}

std::optional<std::uint32_t> TStudyJournal::Seed(const std::string& path)
{
    const int descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        PathError(path, ErrorText(errno));
    }
    std::uint64_t offset = 0;
    std::optional<std::string> header;
    try {
        header = ReadHeader(descriptor, path, offset);
    } catch (...) {
        close(descriptor);
        throw;
    }
    close(descriptor);
    if (!header)
        return std::nullopt;
    std::uint32_t seed;
    std::memcpy(&seed, header->data(), sizeof seed);
    return seed;
}

TStudyJournal::TStudyJournal(std::string path, std::uint32_t seed, const std::string& identity, bool resume,
                             const std::function<std::string(const std::string& stored)>& difference)
    : FPath(std::move(path)), FSynced(std::chrono::steady_clock::now())
{
    if (resume) {
        FDescriptor = open(FPath.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        if (FDescriptor < 0 && errno != ENOENT)
            PathError(FPath, ErrorText(errno));
    }
    if (FDescriptor < 0) {
        FDescriptor = open(FPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (FDescriptor < 0 && errno == EEXIST)
            PathError(FPath, "eine unterbrochene Studie; mit --resume fortsetzen oder die Datei löschen");
        if (FDescriptor < 0)
            PathError(FPath, ErrorText(errno));
        Lock(FDescriptor, FPath);
        Begin(seed, identity);
        return;
    }
    Lock(FDescriptor, FPath);
    std::uint64_t offset = 0;
    const std::optional<std::string> header = ReadHeader(FDescriptor, FPath, offset);
    if (!header) {
        // Cut off before its first record was complete: no run is in it.
        Begin(seed, identity);
        return;
    }
    std::uint32_t stored;
    std::memcpy(&stored, header->data(), sizeof stored);
    if (stored != seed || std::string_view(*header).substr(sizeof stored) != identity)
        PathError(FPath, "gehört zu einer anderen Studie (" + difference(header->substr(sizeof stored)) + ")");
    FRunsStart = offset;
    const std::uint64_t size = FileSize(FDescriptor);
    while (CheckRecord(offset, size, FDone))
        ++FDone;
    // A last record cut short goes; the next run's record takes its place.
    if (offset != size && ftruncate(FDescriptor, static_cast<off_t>(offset)) != 0)
        RaiseOutputError("Das Journal " + FPath + " lässt sich nicht kürzen", errno);
    FEnd = FBufferStart = offset;
}

TStudyJournal::~TStudyJournal()
{
    if (FDescriptor < 0)
        return;
    // Left by an error: the whole records written so far still count, unsynced.
    try {
        Push();
    } catch (const EOutputError&) {
    }
    close(FDescriptor);
}

void TStudyJournal::Begin(std::uint32_t seed, const std::string& identity)
{
    if (ftruncate(FDescriptor, 0) != 0)
        RaiseOutputError("Das Journal " + FPath + " lässt sich nicht anlegen", errno);
    FEnd = FBufferStart = 0;
    FBuffer.assign(kMark, kMarkSize);
    FEnd = kMarkSize;
    std::string header(sizeof seed, '\0');
    std::memcpy(header.data(), &seed, sizeof seed);
    header += identity;
    const std::uint64_t length = header.size();
    const std::uint32_t crc = Crc(0, header.data(), header.size());
    Append(&length, sizeof length);
    Append(&crc, sizeof crc);
    Append(header.data(), header.size());
    FRunsStart = FEnd;
    Sync();
    // The journal's name survives a power loss too.
    const std::string folder = std::filesystem::path(FPath).parent_path().string();
    const int directory = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        fsync(directory);
        close(directory);
    }
}

bool TStudyJournal::CheckRecord(std::uint64_t& offset, std::uint64_t size, std::int64_t index) const
{
    if (size - offset < kHeaderSize)
        return false;
    std::uint64_t length;
    std::uint32_t crc;
    ReadAt(FDescriptor, FPath, &length, sizeof length, offset);
    ReadAt(FDescriptor, FPath, &crc, sizeof crc, offset + sizeof length);
    const std::uint64_t start = offset + kHeaderSize;
    if (length < kRunFixed || length > size - start)
        return false;
    std::uint32_t actual = 0;
    std::string piece;
    for (std::uint64_t done = 0; done < length;) {
        piece.resize(std::min<std::uint64_t>(kPiece, length - done));
        ReadAt(FDescriptor, FPath, piece.data(), piece.size(), start + done);
        actual = Crc(actual, piece.data(), piece.size());
        done += piece.size();
    }
    std::int64_t stored;
    std::uint64_t count;
    ReadAt(FDescriptor, FPath, &stored, sizeof stored, start);
    ReadAt(FDescriptor, FPath, &count, sizeof count, start + length - 1 - sizeof count);
    if (actual != crc || stored != index || count > (length - kRunFixed) / sizeof(TGenerationMeasures))
        return false;
    offset = start + length;
    return true;
}

void TStudyJournal::Replay(TTextSink& table, const std::function<void(std::int64_t, TRunOutcome&&)>& done) const
{
    std::uint64_t offset = FRunsStart;
    std::string piece;
    for (std::int64_t index = 0; index < FDone; ++index) {
        std::uint64_t length;
        ReadAt(FDescriptor, FPath, &length, sizeof length, offset);
        const std::uint64_t end = offset + kHeaderSize + length;
        std::uint64_t count;
        char failed;
        ReadAt(FDescriptor, FPath, &count, sizeof count, end - 1 - sizeof count);
        ReadAt(FDescriptor, FPath, &failed, 1, end - 1);
        TRunOutcome outcome;
        outcome.Failed = failed != 0;
        outcome.Generations.resize(count);
        const std::uint64_t measures = count * sizeof(TGenerationMeasures);
        const std::uint64_t rowsEnd = end - 1 - sizeof count - measures;
        if (count > 0)
            ReadAt(FDescriptor, FPath, outcome.Generations.data(), measures, rowsEnd);
        for (std::uint64_t at = offset + kHeaderSize + sizeof(std::int64_t); at < rowsEnd; at += piece.size()) {
            piece.resize(std::min<std::uint64_t>(kPiece, rowsEnd - at));
            ReadAt(FDescriptor, FPath, piece.data(), piece.size(), at);
            table.Write(piece);
        }
        done(index, std::move(outcome));
        offset = end;
    }
}

TTextSink& TStudyJournal::BeginRun(std::int64_t index, TTextSink& table)
{
    FTable = &table;
    FRecordStart = FEnd;
    const char header[kHeaderSize] = {};
    Append(header, sizeof header);
    FRecordLength = 0;
    FRecordCrc = 0;
    AppendPayload(&index, sizeof index);
    return *this;
}

void TStudyJournal::Write(std::string_view rows)
{
    FTable->Write(rows);
    AppendPayload(rows.data(), rows.size());
}

void TStudyJournal::AppendPayload(const void* data, std::size_t size)
{
    Append(data, size);
    FRecordLength += size;
    FRecordCrc = Crc(FRecordCrc, data, size);
}

void TStudyJournal::EndRun(const TRunOutcome& outcome)
{
    const std::vector<TGenerationMeasures>& generations = outcome.Generations;
    const std::uint64_t count = generations.size();
    const char failed = outcome.Failed ? 1 : 0;
    if (count > 0)  // an empty vector may have no data to point to
        AppendPayload(generations.data(), count * sizeof generations[0]);
    AppendPayload(&count, sizeof count);
    AppendPayload(&failed, 1);
    char header[kHeaderSize];
    std::memcpy(header, &FRecordLength, sizeof FRecordLength);
    std::memcpy(header + sizeof FRecordLength, &FRecordCrc, sizeof FRecordCrc);
    if (FRecordStart >= FBufferStart) {
        FBuffer.replace(FRecordStart - FBufferStart, sizeof header, header, sizeof header);
    } else if (pwrite(FDescriptor, header, sizeof header, static_cast<off_t>(FRecordStart)) !=
               static_cast<ssize_t>(sizeof header)) {
        RaiseOutputError("Schreibfehler auf dem Journal " + FPath, errno);
    }
    ++FDone;
    if (++FUnsynced >= kSyncRuns || std::chrono::steady_clock::now() - FSynced >= kSyncInterval)
        Sync();
}

void TStudyJournal::Append(const void* data, std::size_t size)
{
    FBuffer.append(static_cast<const char*>(data), size);
    FEnd += size;
    if (FBuffer.size() >= kPiece)
        Push();
}

void TStudyJournal::Push()
{
    std::size_t written = 0;
    while (written < FBuffer.size()) {
        const ssize_t n = pwrite(FDescriptor, FBuffer.data() + written, FBuffer.size() - written,
                                 static_cast<off_t>(FBufferStart + written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            RaiseOutputError("Schreibfehler auf dem Journal " + FPath, n < 0 ? errno : EIO);
        written += static_cast<std::size_t>(n);
    }
    FBufferStart += FBuffer.size();
    FBuffer.clear();
}

void TStudyJournal::Sync()
{
    Push();
    if (fdatasync(FDescriptor) != 0)
        RaiseOutputError("Schreibfehler auf dem Journal " + FPath, errno);
    FUnsynced = 0;
    FSynced = std::chrono::steady_clock::now();
}

void TStudyJournal::Remove()
{
    close(FDescriptor);
    FDescriptor = -1;
    unlink(FPath.c_str());
}
