#include "batch/study/WorkerPool.h"

#include "app/Errors.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <deque>
#include <exception>
#include <fcntl.h>
#include <map>
#include <new>
#include <poll.h>
#include <set>
#include <stdexcept>
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

// Runs tasks until the parent closes the pipe. Never returns, and never unwinds into the parent's
// code: its clean-up (temporary files, messages) belongs to the parent alone.
[[noreturn]] void WorkerLoop(int tasks, int results, const std::function<std::string(std::int64_t)>& work)
{
    try {
        std::int64_t task;
        while (ReadAll(tasks, &task, sizeof task)) {
            const std::string result = work(task);
            const std::uint64_t size = result.size();
            if (!WriteAll(results, &task, sizeof task) || !WriteAll(results, &size, sizeof size) ||
                !WriteAll(results, result.data(), result.size()))
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
};

class TWorkers {
public:
    explicit TWorkers(const std::function<std::string(std::int64_t)>& work) : FWork(work) {}
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
    const std::function<std::string(std::int64_t)>& FWork;
    std::vector<TWorker> FWorkers;
};

// Hands out tasks, gathers results in order and replaces workers that die.
class TDispatcher {
public:
    TDispatcher(std::int64_t count, std::int32_t jobs, const TWorkerTasks& tasks)
        : FCount(count), FTasks(tasks), FPool(tasks.Work)
    {
        FPool.Workers().resize(static_cast<std::size_t>(jobs));
        for (TWorker& worker : FPool.Workers())
            FPool.Start(worker);
    }

    void Run()
    {
        std::vector<TWorker>& workers = FPool.Workers();
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
                    Receive(workers[w]);
        }
    }

private:
    bool TasksLeft() const { return !FRetry.empty() || FNext < FCount; }

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

    void Receive(TWorker& worker)
    {
        std::int64_t task;
        std::uint64_t size;
        if (!ReadAll(worker.Results, &task, sizeof task) || !ReadAll(worker.Results, &size, sizeof size)) {
            Died(worker);
            return;
        }
        std::string result(size, '\0');
        if (!ReadAll(worker.Results, result.data(), size)) {
            Died(worker);
            return;
        }
        worker.Pending.pop_front();
        Feed(worker);
        Keep(task, std::move(result));
    }

    // The run it was on counts one attempt; the ones it held besides go back untried.
    void Died(TWorker& worker)
    {
        std::deque<std::int64_t> pending = std::move(worker.Pending);
        const std::string reason = DeathReason(TWorkers::Stop(worker, true));
        if (!pending.empty()) {
            const std::int64_t task = pending.front();
            pending.pop_front();
            if (++FAttempts[task] < kAttempts)
                FRetry.insert(task);
            else
                Keep(task, FTasks.Lost(task, reason));
        }
        FRetry.insert(pending.begin(), pending.end());
        if (TasksLeft()) {
            FPool.Start(worker);
            Feed(worker);
        }
    }

    void Keep(std::int64_t task, std::string&& result)
    {
        FEarly.emplace(task, std::move(result));
        for (auto first = FEarly.begin(); first != FEarly.end() && first->first == FDelivered; first = FEarly.begin()) {
            FTasks.Deliver(FDelivered++, std::move(first->second));
            FEarly.erase(first);
        }
    }

    std::int64_t FCount;
    const TWorkerTasks& FTasks;
    TWorkers FPool;
    std::int64_t FNext = 0;       // next new task
    std::int64_t FDelivered = 0;  // next result to deliver
    std::set<std::int64_t> FRetry;
    std::map<std::int64_t, int> FAttempts;
    std::map<std::int64_t, std::string> FEarly;
};

}  // namespace

void RunInWorkers(std::int64_t count, std::int32_t jobs, const TWorkerTasks& tasks)
{
    TDispatcher dispatcher(count, static_cast<std::int32_t>(std::min<std::int64_t>(jobs, count)), tasks);
    dispatcher.Run();
}
