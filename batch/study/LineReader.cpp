#include "batch/study/LineReader.h"

#include "batch/study/GzipSink.h"
#include "batch/study/StudyDescriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBlock = 1 << 15;

}  // namespace

TLineReader::TLineReader(std::string name, std::size_t maxLine)
    : FName(std::move(name)), FMaxLine(maxLine), FBuffer(kBlock, '\0')
{
    FDescriptor = open(FName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (FDescriptor < 0)
        ReadError(errno);
    if (IsGzipName(FName))
        FGzip =
            std::make_unique<TGzipSource>(FName, [this](char* data, std::size_t size) { return ReadFile(data, size); });
}

TLineReader::~TLineReader()
{
    if (FDescriptor >= 0)
        close(FDescriptor);
}

void TLineReader::ReadError(int error) const
{
    const char* reason = error == ENOENT   ? "die Datei gibt es nicht"
                         : error == EISDIR ? "ein Ordner, keine Datei"
                         : error == EACCES ? "kein Zugriff"
                                           : nullptr;
    throw EDataError("kann " + FName + " nicht lesen: " +
                     (reason ? std::string(reason) : "Lesefehler (" + std::string(std::strerror(error)) + ")"));
}

std::size_t TLineReader::ReadFile(char* data, std::size_t size)
{
    for (;;) {
        const ssize_t count = read(FDescriptor, data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            ReadError(errno);
        return static_cast<std::size_t>(count);
    }
}

bool TLineReader::Fill()
{
    const std::size_t count =
        FGzip ? FGzip->Read(FBuffer.data(), FBuffer.size()) : ReadFile(FBuffer.data(), FBuffer.size());
    FHash.addData(QByteArrayView(FBuffer.data(), static_cast<qsizetype>(count)));
    FBytes += count;
    FPos = 0;
    FEnd = count;
    FEof = count == 0;
    return count > 0;
}

bool TLineReader::Next(std::string& line)
{
    line.clear();
    for (;;) {
        if (FPos == FEnd && (FEof || !Fill())) {
            FUnterminated = !line.empty();
            if (FUnterminated)
                ++FLine;
            return FUnterminated;
        }
        const char* start = FBuffer.data() + FPos;
        const auto* end = static_cast<const char*>(std::memchr(start, '\n', FEnd - FPos));
        const std::size_t take = end ? static_cast<std::size_t>(end - start) : FEnd - FPos;
        if (line.size() + take > FMaxLine)
            throw EDataError(FName + ", Zeile " + std::to_string(FLine + 1) +
                             ": länger als jede Zeile einer Studientabelle (" + std::to_string(FMaxLine) + " Bytes)");
        line.append(start, take);
        FPos += take;
        if (end) {
            ++FPos;
            ++FLine;
            return true;
        }
    }
}
