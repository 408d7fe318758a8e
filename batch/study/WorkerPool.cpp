#include "batch/study/WorkerPool.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Tasks a worker holds at once, so that it never waits for the next one.
constexpr int kInFlight = 2;

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

[[noreturn]] void WorkerLoop(int tasks, int results, const std::function<std::string(std::int64_t)>& work)
{
    std::int64_t task;
    while (ReadAll(tasks, &task, sizeof task)) {
        const std::string result = work(task);
        const std::uint64_t size = result.size();
        if (!WriteAll(results, &task, sizeof task) || !WriteAll(results, &size, sizeof size) ||
            !WriteAll(results, result.data(), result.size()))
            _exit(1);
    }
    // Leaves without flushing what the parent's buffers held when it forked.
    _exit(0);
}

struct TWorker {
    pid_t Pid = -1;
    int Tasks = -1;    // parent writes
    int Results = -1;  // parent reads
    int Pending = 0;
};

class TWorkers {
public:
    ~TWorkers()
    {
        for (TWorker& worker : FWorkers) {
            close(worker.Tasks);
            close(worker.Results);
        }
        for (TWorker& worker : FWorkers)
            waitpid(worker.Pid, nullptr, 0);
    }

    void Start(std::int32_t jobs, const std::function<std::string(std::int64_t)>& work)
    {
        for (std::int32_t j = 0; j < jobs; ++j) {
            int tasks[2], results[2];
            if (pipe(tasks) != 0)
                throw std::runtime_error("pipe");
            if (pipe(results) != 0) {
                close(tasks[0]);
                close(tasks[1]);
                throw std::runtime_error("pipe");
            }
            const pid_t pid = fork();
            if (pid < 0) {
                for (int fd : {tasks[0], tasks[1], results[0], results[1]})
                    close(fd);
                throw std::runtime_error("fork");
            }
            if (pid == 0) {
                close(tasks[1]);
                close(results[0]);
                for (TWorker& other : FWorkers) {
                    close(other.Tasks);
                    close(other.Results);
                }
                WorkerLoop(tasks[0], results[1], work);
            }
            close(tasks[0]);
            close(results[1]);
            FWorkers.push_back({pid, tasks[1], results[0], 0});
        }
    }

    std::vector<TWorker>& Workers() { return FWorkers; }

private:
    std::vector<TWorker> FWorkers;
};

[[noreturn]] void WorkerDied()
{
    throw std::runtime_error("Arbeitsprozess unerwartet beendet");
}

}  // namespace

void RunInWorkers(std::int64_t count, std::int32_t jobs, const std::function<std::string(std::int64_t)>& work,
                  const std::function<void(std::int64_t, std::string&&)>& deliver)
{
    if (jobs <= 1 || count <= 1) {
        for (std::int64_t i = 0; i < count; ++i)
            deliver(i, work(i));
        return;
    }
    TWorkers pool;
    pool.Start(static_cast<std::int32_t>(std::min<std::int64_t>(jobs, count)), work);
    std::vector<TWorker>& workers = pool.Workers();
    std::int64_t next = 0;       // next task to hand out
    std::int64_t delivered = 0;  // next result to deliver
    std::map<std::int64_t, std::string> early;
    const auto feed = [&](TWorker& worker) {
        while (worker.Pending < kInFlight && next < count) {
            if (!WriteAll(worker.Tasks, &next, sizeof next))
                WorkerDied();
            ++next;
            ++worker.Pending;
        }
    };
    for (TWorker& worker : workers)
        feed(worker);
    std::vector<pollfd> polls(workers.size());
    while (delivered < count) {
        for (std::size_t w = 0; w < workers.size(); ++w)
            polls[w] = {workers[w].Results, POLLIN, 0};
        if (poll(polls.data(), polls.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            WorkerDied();
        }
        for (std::size_t w = 0; w < workers.size(); ++w) {
            if (polls[w].revents == 0)
                continue;
            TWorker& worker = workers[w];
            std::int64_t task;
            std::uint64_t size;
            if (!ReadAll(worker.Results, &task, sizeof task) || !ReadAll(worker.Results, &size, sizeof size))
                WorkerDied();
            std::string result(size, '\0');
            if (!ReadAll(worker.Results, result.data(), size))
                WorkerDied();
            --worker.Pending;
            feed(worker);
            early.emplace(task, std::move(result));
            for (auto first = early.begin(); first != early.end() && first->first == delivered; first = early.begin()) {
                deliver(delivered++, std::move(first->second));
                early.erase(first);
            }
        }
    }
}
