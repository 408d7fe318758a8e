#pragma once
// Work spread over processes forked from this one: the model keeps process-wide state, so
// parallel runs need processes of their own. Results come back in task order.
#include <cstdint>
#include <functional>
#include <string>

// Calls work(i) for every task 0 <= i < count in `jobs` worker processes (in this process for
// one job) and deliver(i, result) in this process in the order of i. Raises std::runtime_error
// when a worker dies.
void RunInWorkers(std::int64_t count, std::int32_t jobs, const std::function<std::string(std::int64_t)>& work,
                  const std::function<void(std::int64_t, std::string&&)>& deliver);
