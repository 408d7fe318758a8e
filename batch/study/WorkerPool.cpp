#include "batch/study/WorkerPool.h"

#include "app/Errors.h"
#include "batch/SpillBuffer.h"
#include "batch/study/RunWire.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <deque>
#include <exception>
#include <fcntl.h>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <poll.h>
#include <set>
#include <stdexcept>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Tasks a worker holds at once, so that it never waits for the next one.
constexpr int kInFlight = 2;
// How often a task is tried in a worker that dies.
constexpr int kAttempts = 2;
// A worker's exit status when its work raised, out of memory or otherwise.
constexpr int kOutOfMemoryStatus = 3;
constexpr int kFailedStatus = 4;
// Output of a task ahead of its turn held in memory; beyond it goes to a temporary file.
constexpr std::size_t kHeldInMemory = std::size_t{1} << 20;

bool WriteAll(int fd, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, p, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        p += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, void* data, std::size_t size)
{
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = read(fd, p, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        p += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

// A task for a worker that has died fails instead of ending this process with SIGPIPE.
bool SendTask(int fd, std::int64_t task)
{
    sigset_t pipe, previous;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &previous);
    const bool sent = WriteAll(fd, &task, sizeof task);
    if (!sent && errno == EPIPE) {
        const timespec now = {0, 0};
        while (sigtimedwait(&pipe, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return sent;
}

bool SendMessage(int fd, const TWireHeader& header, std::string_view payload)
{
    const TWireHeaderBytes bytes = PackHeader(header);
    return WriteAll(fd, bytes.data(), bytes.size()) && WriteAll(fd, payload.data(), payload.size());
}

// A task's output in a worker, sent on in chunks as it fills them.
class TChunkSink : public TTextSink {
public:
    TChunkSink(int fd, std::int64_t task) : FFd(fd), FTask(task) { FChunk.reserve(kWireChunk); }

    void Write(std::string_view text) override
    {
        while (!text.empty()) {
            const std::size_t take = std::min(kWireChunk - FChunk.size(), text.size());
            FChunk.append(text.substr(0, take));
            text.remove_prefix(take);
            if (FChunk.size() == kWireChunk)
                Flush();
        }
    }
    void Flush() override
    {
        if (!FChunk.empty() && !SendMessage(FFd, {FTask, TWireKind::Output, FChunk.size()}, FChunk))
            _exit(1);
        FChunk.clear();
    }

private:
    int FFd;
    std::int64_t FTask;
    std::string FChunk;
};

// Runs tasks until the parent closes the pipe. Never returns, and never unwinds into the parent's
// code: its clean-up (temporary files, messages) belongs to the parent alone.
[[noreturn]] void WorkerLoop(int tasks, int results, const TWorkerTasks& work)
{
    try {
        std::int64_t task;
        while (ReadAll(tasks, &task, sizeof task)) {
            TChunkSink output(results, task);
            const std::string end = work.Work(task, output);
            output.Flush();
            if (!SendMessage(results, {task, TWireKind::End, end.size()}, end))
                _exit(1);
        }
    } catch (const std::bad_alloc&) {
        _exit(kOutOfMemoryStatus);
    } catch (...) {
        _exit(kFailedStatus);
    }
    // Leaves without flushing what the parent's buffers held when it forked.
    _exit(0);
}

std::string DeathReason(int status)
{
    if (WIFSIGNALED(status)) {
        const char* name = sigabbrev_np(WTERMSIG(status));
        return std::string("Arbeitsprozess durch Signal ") +
               (name ? std::string("SIG") + name : std::to_string(WTERMSIG(status))) + " beendet";
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kOutOfMemoryStatus)
        return std::string("Arbeitsprozess: ") + kOutOfMemoryMessage;
    if (WIFEXITED(status) && WEXITSTATUS(status) == kFailedStatus)
        return "Arbeitsprozess: unerwarteter Fehler";
    return "Arbeitsprozess mit Status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + " beendet";
}

struct TWorker {
    pid_t Pid = -1;
    int Tasks = -1;                    // parent writes
    int Results = -1;                  // parent reads; -1 once the worker is gone
    std::deque<std::int64_t> Pending;  // in the order the worker takes them
    std::uint64_t Received = 0;        // output bytes of the first pending task so far
};

class TWorkers {
public:
    explicit TWorkers(const TWorkerTasks& work) : FWork(work) {}
    ~TWorkers()
    {
        // Left by an error: the workers' runs are of no use any more.
        const bool abandoned = std::uncaught_exceptions() > 0;
        for (TWorker& worker : FWorkers)
            Stop(worker, abandoned);
    }
    TWorkers(const TWorkers&) = delete;
    TWorkers& operator=(const TWorkers&) = delete;

    // Starts a worker in `worker`'s place.
    void Start(TWorker& worker)
    {
        int tasks[2], results[2];
        if (pipe2(tasks, O_CLOEXEC) != 0)
            throw std::runtime_error("kein Arbeitsprozess: pipe");
        if (pipe2(results, O_CLOEXEC) != 0) {
            close(tasks[0]);
            close(tasks[1]);
            throw std::runtime_error("kein Arbeitsprozess: pipe");
        }
        const pid_t pid = fork();
        if (pid < 0) {
            for (int fd : {tasks[0], tasks[1], results[0], results[1]})
                close(fd);
            throw std::runtime_error("kein Arbeitsprozess: fork");
        }
        if (pid == 0) {
            close(tasks[1]);
            close(results[0]);
            for (TWorker& other : FWorkers) {
                close(other.Tasks);
                close(other.Results);
            }
            WorkerLoop(tasks[0], results[1], FWork);
        }
        close(tasks[0]);
        close(results[1]);
        worker = {pid, tasks[1], results[0], {}};
    }

    // Closes a worker's pipes and waits for it; returns its status.
    static int Stop(TWorker& worker, bool kill)
    {
        if (worker.Pid < 0)
            return 0;
        if (kill)
            ::kill(worker.Pid, SIGKILL);
        close(worker.Tasks);
        close(worker.Results);
        int status = 0;
        while (waitpid(worker.Pid, &status, 0) < 0 && errno == EINTR) {
        }
        worker.Pid = -1;
        worker.Tasks = worker.Results = -1;
        return status;
    }

    std::vector<TWorker>& Workers() { return FWorkers; }

private:
    const TWorkerTasks& FWork;
    std::vector<TWorker> FWorkers;
};

// Hands out tasks, passes their output on in order and replaces workers that die.
class TDispatcher {
public:
    TDispatcher(std::int64_t count, std::int32_t jobs, const TWorkerTasks& tasks)
        : FCount(count), FTasks(tasks), FPool(tasks)
    {
        FPool.Workers().resize(static_cast<std::size_t>(jobs));
        for (TWorker& worker : FPool.Workers())
            FPool.Start(worker);
    }

    void Run()
    {
        std::vector<TWorker>& workers = FPool.Workers();
        if (FCount > 0)
            FCurrent = &FTasks.Begin(0);
        for (TWorker& worker : workers)
            Feed(worker);
        std::vector<pollfd> polls(workers.size());
        while (FDelivered < FCount) {
            for (std::size_t w = 0; w < workers.size(); ++w)
                polls[w] = {workers[w].Results, POLLIN, 0};
            if (poll(polls.data(), polls.size(), -1) < 0) {
                if (errno == EINTR)
                    continue;
                throw std::runtime_error("poll");
            }
            for (std::size_t w = 0; w < workers.size(); ++w)
                if (polls[w].revents != 0)
                    Receive(workers[w], w);
        }
    }

private:
    // A task's output and end until its turn.
    struct TTaskOutput {
        std::uint64_t Accepted = 0;  // output bytes taken in; a second attempt skips as many
        std::unique_ptr<TSpillBuffer> Held;
        std::optional<std::string> End;
        std::string From;  // the worker that sent the end
    };

    bool TasksLeft() const { return !FRetry.empty() || FNext < FCount; }

    static std::string Name(const TWorker& worker, std::size_t index)
    {
        return "Arbeitsprozess " + std::to_string(index + 1) + " (PID " + std::to_string(worker.Pid) + ")";
    }

    void Feed(TWorker& worker)
    {
        while (worker.Pending.size() < kInFlight && TasksLeft()) {
            const std::int64_t task = FRetry.empty() ? FNext++ : FRetry.extract(FRetry.begin()).value();
            if (!SendTask(worker.Tasks, task)) {
                FRetry.insert(task);  // the worker is gone; its end shows when its results are read
                return;
            }
            worker.Pending.push_back(task);
        }
    }

    // One message; a worker that ends within one has died.
    void Receive(TWorker& worker, std::size_t index)
    {
        TWireHeaderBytes bytes;
        if (!ReadAll(worker.Results, bytes.data(), bytes.size())) {
            Died(worker);
            return;
        }
        TWireHeader header{};
        try {
            header = UnpackHeader(bytes);
            if (worker.Pending.empty() || header.Task != worker.Pending.front())
                throw EWireError("Nachricht zu Lauf " + std::to_string(header.Task) + ", der ihm nicht gegeben ist");
        } catch (const EWireError& e) {
            throw std::runtime_error(Name(worker, index) + ": beschädigte Nachricht: " + e.what());
        }
        std::string payload;
        if (!ReadPayload(worker.Results, header.Length, payload)) {
            Died(worker);
            return;
        }
        if (header.Kind == TWireKind::Output) {
            Take(worker, header.Task, payload);
            return;
        }
        worker.Pending.pop_front();
        worker.Received = 0;
        const std::string from = Name(worker, index);
        Feed(worker);
        Finish(header.Task, std::move(payload), from);
    }

    // Read in blocks, so that only what arrives takes memory.
    static bool ReadPayload(int fd, std::uint64_t length, std::string& payload)
    {
        while (payload.size() < length) {
            const std::size_t block = std::min<std::uint64_t>(length - payload.size(), kWireChunk);
            const std::size_t at = payload.size();
            payload.resize(at + block);
            if (!ReadAll(fd, payload.data() + at, block))
                return false;
        }
        return true;
    }

    // A chunk of output: what an earlier attempt already gave is skipped.
    void Take(TWorker& worker, std::int64_t task, std::string_view chunk)
    {
        const std::uint64_t accepted = FOutputs[task].Accepted;
        const std::uint64_t skip =
            accepted > worker.Received ? std::min<std::uint64_t>(accepted - worker.Received, chunk.size()) : 0;
        worker.Received += chunk.size();
        Accept(task, chunk.substr(skip));
    }

    void Accept(std::int64_t task, std::string_view text)
    {
        TTaskOutput& output = FOutputs[task];
        output.Accepted += text.size();
        if (task == FDelivered) {
            FCurrent->Write(text);
            return;
        }
        if (!output.Held)
            output.Held = std::make_unique<TSpillBuffer>(kHeldInMemory);
        output.Held->Append(text);
    }

    void Finish(std::int64_t task, std::string&& end, const std::string& from)
    {
        TTaskOutput& output = FOutputs[task];
        output.End = std::move(end);
        output.From = from;
        for (auto next = FOutputs.find(FDelivered); next != FOutputs.end() && next->second.End;
             next = FOutputs.find(FDelivered)) {
            try {
                FTasks.End(FDelivered, std::move(*next->second.End));
            } catch (const EWireError& e) {
                throw std::runtime_error(next->second.From + ": beschädigte Nachricht: " + e.what());
            }
            FOutputs.erase(next);
            if (++FDelivered == FCount)
                return;
            FCurrent = &FTasks.Begin(FDelivered);
            if (const auto held = FOutputs.find(FDelivered); held != FOutputs.end() && held->second.Held) {
                held->second.Held->MoveTo(*FCurrent);
                held->second.Held.reset();
            }
        }
    }

    // The run it was on counts one attempt; the ones it held besides go back untried.
    void Died(TWorker& worker)
    {
        std::deque<std::int64_t> pending = std::move(worker.Pending);
        worker.Received = 0;
        const std::string reason = DeathReason(TWorkers::Stop(worker, true));
        if (!pending.empty()) {
            const std::int64_t task = pending.front();
            pending.pop_front();
            if (++FAttempts[task] < kAttempts) {
                FRetry.insert(task);
            } else {
                TStringSink lost;
                std::string end = FTasks.Lost(task, lost, reason);
                Accept(task, lost.Text);
                Finish(task, std::move(end), reason);
            }
        }
        FRetry.insert(pending.begin(), pending.end());
        if (TasksLeft()) {
            FPool.Start(worker);
            Feed(worker);
        }
    }

    std::int64_t FCount;
    const TWorkerTasks& FTasks;
    TWorkers FPool;
    std::int64_t FNext = 0;       // next new task
    std::int64_t FDelivered = 0;  // next in order: its output goes straight on
    TTextSink* FCurrent = nullptr;
    std::set<std::int64_t> FRetry;
    std::map<std::int64_t, int> FAttempts;
    std::map<std::int64_t, TTaskOutput> FOutputs;
};

}  // namespace

void RunInWorkers(std::int64_t count, std::int32_t jobs, const TWorkerTasks& tasks)
{
    TDispatcher dispatcher(count, static_cast<std::int32_t>(std::min<std::int64_t>(jobs, count)), tasks);
    dispatcher.Run();
}
