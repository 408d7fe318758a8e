#include "batch/study/AtomicFile.h"

#include "batch/CheckedIo.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

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

}  // namespace

TAtomicFile::TAtomicFile(std::string path)
    : FPath(std::move(path)), FTemporary(FPath + ".tmp" + std::to_string(getpid()))
{
    FDescriptor = ::open(FTemporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FDescriptor < 0)
        RaiseOutputError("Die Datei " + FTemporary + " lässt sich nicht anlegen", errno);
    Register(FTemporary);
    FSink = std::make_unique<TFileSink>(FDescriptor, "der Datei " + FPath);
}

TAtomicFile::~TAtomicFile()
{
    if (FDescriptor < 0)
        return;
    FSink.reset();
    ::close(FDescriptor);
    std::remove(FTemporary.c_str());
    Unregister(FTemporary);
}

void TAtomicFile::Commit()
{
    FSink->Flush();
    FSink.reset();
    const bool closed = ::close(FDescriptor) == 0;
    FDescriptor = -1;
    const bool renamed = closed && std::rename(FTemporary.c_str(), FPath.c_str()) == 0;
    const int error = errno;
    if (!renamed)
        std::remove(FTemporary.c_str());
    Unregister(FTemporary);
    if (!renamed)
        RaiseOutputError("Schreibfehler auf der Datei " + FPath, error);
}
