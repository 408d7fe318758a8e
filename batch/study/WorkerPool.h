#pragma once
// Work spread over processes forked from this one: the model keeps process-wide state, so
// parallel runs need processes of their own. Results come back in task order.
#include <cstdint>
#include <functional>
#include <string>

struct TWorkerTasks {
    std::function<std::string(std::int64_t)> Work;
    // Stands in for the result of a task whose worker died twice on it, with the reason in words.
    std::function<std::string(std::int64_t, const std::string&)> Lost;
    std::function<void(std::int64_t, std::string&&)> Deliver;
};

// Calls tasks.Work(i) for every task 0 <= i < count in `jobs` worker processes (at most one per
// task) and tasks.Deliver(i, result) in this process in the order of i. Whatever goes wrong
// in a worker ends that worker alone (_exit); a worker that dies is replaced and its unfinished
// task given once more. Raises std::runtime_error when no worker can be started.
void RunInWorkers(std::int64_t count, std::int32_t jobs, const TWorkerTasks& tasks);
