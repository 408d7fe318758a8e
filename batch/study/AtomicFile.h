#pragma once
// An output file written under a temporary name in its folder and renamed to its own name only
// when complete, so that an interrupted study never leaves half a file under that name.
#include "batch/TextSink.h"

#include <memory>
#include <string>

class TAtomicFile {
public:
    // Raises EOutputError when the file cannot be created.
    explicit TAtomicFile(std::string path);
    // Removes the temporary file unless committed; so does an interrupt (SIGINT, SIGTERM, SIGHUP).
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    TTextSink& Sink() { return *FSink; }
    // Flushes, closes and renames; raises EOutputError when any of it fails.
    void Commit();

private:
    std::string FPath;
    std::string FTemporary;
    int FDescriptor = -1;
    std::unique_ptr<TFileSink> FSink;
};
