#pragma once
// An output file written under a temporary name in its folder and renamed to its own name only
// when complete, so that an interrupted study never leaves half a file under that name. A device,
// a pipe and "-" (standard output) are written straight.
#include "batch/TextSink.h"

#include <memory>
#include <string>
#include <sys/types.h>

class TAtomicFile {
public:
    // Raises EOutputPathError for a path CheckOutputPath refuses, EOutputError when the file cannot
    // be created. The temporary name is new and unpredictable, and no link is followed to it.
    explicit TAtomicFile(std::string path);
    // Removes the temporary file unless committed; so does an interrupt (SIGINT, SIGTERM, SIGHUP).
    // Only the process that created it does.
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    TTextSink& Sink() { return *FSink; }
    // Flushes, closes and renames; raises EOutputError when any of it fails.
    void Commit();

private:
    bool TryCreate(std::string name);
    void CreateTemporary();

    std::string FPath;
    std::string FTarget;
    std::string FTemporary;  // empty when written straight
    int FDescriptor = -1;
    bool FOwnsDescriptor = true;  // not standard output
    pid_t FOwner;
    std::unique_ptr<TFileSink> FSink;
};

// While one is alive, every file's temporary has the fixed name `<target>.tmp-journal`, and one
// that a killed process left there is removed first. A study holds one with its journal, whose
// lock keeps other studies off those names: a study killed on the way leaves nothing that its
// resumption does not clear.
class TFixedTemporaries {
public:
    TFixedTemporaries();
    ~TFixedTemporaries();
    TFixedTemporaries(const TFixedTemporaries&) = delete;
    TFixedTemporaries& operator=(const TFixedTemporaries&) = delete;
};
