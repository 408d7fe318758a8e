#pragma once
// Work spread over processes forked from this one: the model keeps process-wide state, so
// parallel runs need processes of their own. A task's output streams back in bounded chunks
// (batch/study/RunWire.h) and is handed on in task order.
#include "batch/TextSink.h"

#include <cstdint>
#include <functional>
#include <string>

struct TWorkerTasks {
    // Runs task i in a worker: its output goes to the sink as it comes, its end is returned.
    std::function<std::string(std::int64_t, TTextSink&)> Work;
    // Stands in for the end of a task whose worker died twice on it, with the reason in words;
    // what it writes to the sink follows the output received.
    std::function<std::string(std::int64_t, TTextSink&, const std::string&)> Lost;
    // In this process, in task order: where task i's output goes, then its end.
    std::function<TTextSink&(std::int64_t)> Begin;
    std::function<void(std::int64_t, std::string&&)> End;
};

// Runs every task 0 <= i < count in `jobs` worker processes (at most one per task). The output
// of the next task in order goes straight to its sink; that of later ones is held, beyond a
// bound in a temporary file (TSpillBuffer), until their turn. Whatever goes wrong in a worker
// ends that worker alone (_exit); a worker that dies is replaced and its unfinished task given
// once more, the output already received not handed on again (a task gives the same output
// each time). Raises std::runtime_error when no worker can be started, or naming the worker
// when a message breaks the format (EWireError, from End too).
void RunInWorkers(std::int64_t count, std::int32_t jobs, const TWorkerTasks& tasks);
