#include "batch/OutputPath.h"

#include "batch/CheckedIo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& reason)
{
    throw EOutputPathError(path + ": " + reason);
}

std::string Resolved(const std::string& path)
{
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved))
        Refuse(path, ErrorText(errno));
    return resolved;
}

// Two output options name one file.
[[noreturn]] void RefuseSameFile(const std::pair<std::string, std::string>& output,
                                 const std::pair<std::string, std::string>& earlier)
{
    throw EOutputPathError(output.first + " " + output.second + ": dieselbe Datei wie " + earlier.first + " " +
                           earlier.second);
}

// The folder a file is created in must exist and take new names.
void CheckFolder(const std::string& path, const std::string& folder)
{
    struct stat status;
    if (::stat(folder.c_str(), &status) != 0)
        Refuse(path, ErrorText(errno) + " (" + folder + ")");
    if (!S_ISDIR(status.st_mode))
        Refuse(path, folder + " ist kein Verzeichnis");
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        Refuse(path, ErrorText(errno) + " (" + folder + ")");
}

std::pair<std::string, std::string> FolderAndName(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    if (slash == std::string::npos)
        return {".", target};
    return {slash == 0 ? "/" : target.substr(0, slash), target.substr(slash + 1)};
}

TOutputPath NewFile(const std::string& path)
{
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0)
        Refuse(path, "symbolischer Verweis auf eine nicht vorhandene Datei");
    const auto [folder, name] = FolderAndName(path);
    if (name.empty() || name == "." || name == "..")
        Refuse(path, "ist ein Verzeichnis");
    CheckFolder(path, folder);
    std::string target = Resolved(folder);
    if (target.back() != '/')
        target += '/';
    return {TOutputKind::File, target + name};
}

}  // namespace

TOutputPath CheckOutputPath(const std::string& path)
{
    if (path.empty())
        Refuse("''", "leerer Dateiname");
    if (path == "-")
        return {TOutputKind::StandardOutput, "-"};
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT)
            Refuse(path, ErrorText(errno));
        return NewFile(path);
    }
    TOutputPath output{TOutputKind::File, Resolved(path), true, status.st_dev, status.st_ino};
    if (S_ISDIR(status.st_mode))
        Refuse(path, "ist ein Verzeichnis");
    if (S_ISREG(status.st_mode)) {
        CheckFolder(path, FolderAndName(output.Target).first);
        return output;
    }
    if (!S_ISCHR(status.st_mode) && !S_ISBLK(status.st_mode) && !S_ISFIFO(status.st_mode))
        Refuse(path, "weder Datei noch Gerät noch Pipe");
    if (::access(path.c_str(), W_OK) != 0)
        Refuse(path, ErrorText(errno));
    output.Kind = TOutputKind::Direct;
    output.CharacterDevice = S_ISCHR(status.st_mode);
    return output;
}

void CheckOutputPaths(const std::vector<std::pair<std::string, std::string>>& outputs)
{
    // Each file by its identity: device and inode when it exists, else its resolved name.
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const auto& [option, path] = outputs[i];
        TOutputPath output;
        try {
            output = CheckOutputPath(path);
        } catch (const EOutputPathError& e) {
            throw EOutputPathError(option + " " + e.Message);
        }
        if (output.CharacterDevice)
            continue;
        const std::string key =
            output.Exists ? std::to_string(output.Device) + ':' + std::to_string(output.Inode) : '/' + output.Target;
        const auto [first, added] = seen.emplace(key, i);
        if (!added)
            RefuseSameFile(outputs[i], outputs[first->second]);
    }
}

std::string NumberedFile(const std::string& file, std::int32_t number)
{
    const std::size_t slash = file.rfind('/');
    std::size_t dot = file.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = file.size();
    return file.substr(0, dot) + '-' + std::to_string(number) + file.substr(dot);
}
