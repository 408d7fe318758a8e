#pragma once
// Where an output of kelvaro-batch goes, checked before anything is computed: a regular file
// (new, or replaced by a complete one), a device or a pipe (written straight, never replaced),
// or "-", standard output.
#include "base/Exception.h"

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

KELVARO_EXCEPTION_CLASS(EOutputPathError, Exception);

enum class TOutputKind { StandardOutput, Direct, File };

struct TOutputPath {
    TOutputKind Kind = TOutputKind::File;
    // The file written, symbolic links resolved; a new file's folder resolved as well.
    std::string Target;
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;
    bool CharacterDevice = false;
};

// Raises EOutputPathError "<path>: <reason>" for a directory, a missing or unwritable folder, a
// dangling symbolic link and anything that is neither a regular file, a device nor a pipe.
TOutputPath CheckOutputPath(const std::string& path);

// The outputs as option name and path. Raises EOutputPathError "<option> <path>: <reason>" for the
// first unusable one, or for two that are the same file (one character device may serve several).
void CheckOutputPaths(const std::vector<std::pair<std::string, std::string>>& outputs);

// The name of picture `number` of several: "a.png" becomes "a-3.png", "a" becomes "a-3".
std::string NumberedFile(const std::string& file, std::int32_t number);
