#pragma once
// A file read line by line through a fixed buffer, with its size and SHA-256, refusing any line
// longer than a limit as soon as it is read. A file whose name ends in .gz is read as the text
// inside it, and size and SHA-256 are of that text. Read errors and damaged gzip data raise
// EDataError naming the file.
#include "batch/study/GzipSource.h"

#include <QCryptographicHash>
#include <cstdint>
#include <memory>
#include <string>

class TLineReader {
public:
    TLineReader(std::string name, std::size_t maxLine);
    ~TLineReader();
    TLineReader(const TLineReader&) = delete;
    TLineReader& operator=(const TLineReader&) = delete;

    // The next line without its '\n'; false at the end of the file. A last line without its '\n'
    // is returned too, and Unterminated() tells so.
    bool Next(std::string& line);
    bool Unterminated() const { return FUnterminated; }
    std::int64_t LineNumber() const { return FLine; }
    const std::string& Name() const { return FName; }

    // Of the bytes read so far.
    std::uint64_t Bytes() const { return FBytes; }
    std::string Sha256() const { return FHash.result().toHex().toStdString(); }

private:
    [[noreturn]] void ReadError(int error) const;
    bool Fill();
    std::size_t ReadFile(char* data, std::size_t size);

    std::string FName;
    std::size_t FMaxLine;
    int FDescriptor = -1;
    std::unique_ptr<TGzipSource> FGzip;
    std::string FBuffer;
    std::size_t FPos = 0;
    std::size_t FEnd = 0;
    bool FEof = false;
    bool FUnterminated = false;
    std::int64_t FLine = 0;
    std::uint64_t FBytes = 0;
    QCryptographicHash FHash{QCryptographicHash::Sha256};
};
