#include "batch/study/AtomicFile.h"

#include "batch/CheckedIo.h"
#include "batch/OutputPath.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>
#include <utility>

namespace {

// The temporary files being written, for the interrupt handler: a fixed table, so that the
// handler touches no heap. Only the process that made a file removes it, not its workers.
constexpr int kSlots = 4;
constexpr std::size_t kPathCapacity = 4096;
char Temporaries[kSlots][kPathCapacity];
pid_t Owner = 0;
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction Previous[std::size(kSignals)];
int Registered = 0;
bool FixedTemporaries = false;

void RemoveTemporaries(int signal)
{
    if (getpid() == Owner)
        for (const char* path : Temporaries)
            if (path[0] != '\0')
                unlink(path);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Register(const std::string& path)
{
    if (path.size() >= kPathCapacity)
        return;  // not removed on an interrupt, but never under the final name either
    for (char* slot : Temporaries)
        if (slot[0] == '\0') {
            path.copy(slot, path.size());
            slot[path.size()] = '\0';
            if (Registered++ == 0) {
                Owner = getpid();
                struct sigaction action = {};
                action.sa_handler = RemoveTemporaries;
                for (std::size_t i = 0; i < std::size(kSignals); ++i)
                    sigaction(kSignals[i], &action, &Previous[i]);
            }
            return;
        }
}

void Unregister(const std::string& path)
{
    for (char* slot : Temporaries)
        if (slot[0] != '\0' && path == slot) {
            slot[0] = '\0';
            if (--Registered == 0)
                for (std::size_t i = 0; i < std::size(kSignals); ++i)
                    sigaction(kSignals[i], &Previous[i], nullptr);
            return;
        }
}

// Sixteen hexadecimal digits from the kernel's random source.
std::string RandomName()
{
    std::uint64_t bits = 0;
    if (getrandom(&bits, sizeof bits, 0) != sizeof bits)
        bits = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
               (static_cast<std::uint64_t>(getpid()) << 32);
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(bits));
    return name;
}

}  // namespace

TAtomicFile::TAtomicFile(std::string path) : FPath(std::move(path)), FOwner(getpid())
{
    const TOutputPath output = CheckOutputPath(FPath);
    FTarget = output.Target;
    if (output.Kind == TOutputKind::StandardOutput) {
        FDescriptor = STDOUT_FILENO;
        FOwnsDescriptor = false;
        FSink = std::make_unique<TFileSink>(FDescriptor, "der Standardausgabe");
        return;
    }
    if (output.Kind == TOutputKind::Direct) {
        FDescriptor = ::open(FTarget.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (FDescriptor < 0)
            RaiseOutputError("Die Datei " + FPath + " lässt sich nicht öffnen", errno);
    } else {
        CreateTemporary();
    }
    FSink = std::make_unique<TFileSink>(FDescriptor, "der Datei " + FPath);
}

bool TAtomicFile::TryCreate(std::string name)
{
    FTemporary = std::move(name);
    FDescriptor = ::open(FTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (FDescriptor < 0)
        return false;
    Register(FTemporary);
    return true;
}

// A new name in the target's folder, or the fixed one.
void TAtomicFile::CreateTemporary()
{
    if (FixedTemporaries) {
        const std::string name = FTarget + ".tmp-journal";
        ::unlink(name.c_str());
        if (TryCreate(name))
            return;
    } else {
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (TryCreate(FTarget + ".tmp-" + RandomName()))
                return;
            if (errno != EEXIST)
                break;
        }
    }
    RaiseOutputError("Die Datei " + FTemporary + " lässt sich nicht anlegen", errno);
}

TAtomicFile::~TAtomicFile()
{
    if (FDescriptor < 0)
        return;
    FSink.reset();
    if (!FOwnsDescriptor || getpid() != FOwner)
        return;
    ::close(FDescriptor);
    if (!FTemporary.empty()) {
        std::remove(FTemporary.c_str());
        Unregister(FTemporary);
    }
}

void TAtomicFile::Commit()
{
    FSink->Flush();
    FSink.reset();
    const int descriptor = std::exchange(FDescriptor, -1);
    if (!FOwnsDescriptor)
        return;
    const bool closed = ::close(descriptor) == 0;
    int error = errno;
    if (FTemporary.empty()) {
        if (!closed)
            RaiseOutputError("Schreibfehler auf der Datei " + FPath, error);
        return;
    }
    const bool renamed = closed && std::rename(FTemporary.c_str(), FTarget.c_str()) == 0;
    error = renamed ? 0 : errno;
    if (!renamed)
        std::remove(FTemporary.c_str());
    Unregister(FTemporary);
    if (!renamed)
        RaiseOutputError("Schreibfehler auf der Datei " + FPath, error);
}

TFixedTemporaries::TFixedTemporaries()
{
    FixedTemporaries = true;
}

TFixedTemporaries::~TFixedTemporaries()
{
    FixedTemporaries = false;
}
