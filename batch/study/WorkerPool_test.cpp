#include "batch/study/WorkerPool.h"

#include "batch/study/AtomicFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <unistd.h>

namespace {

class WorkerPoolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FFolder = std::filesystem::temp_directory_path() / ("kelvaro-workers-" + std::to_string(getpid()));
        std::filesystem::create_directories(FFolder);
    }
    void TearDown() override { std::filesystem::remove_all(FFolder); }

    // True for the first caller in any process.
    bool First(const std::string& name) const
    {
        const int fd = ::open((FFolder / name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }

    std::filesystem::path FFolder;
};

TEST_F(WorkerPoolTest, AWorkerThatDiesIsReplacedAndItsTaskTriedOnceMore)
{
    // The parent's file in the making: no worker's failure may remove it.
    TAtomicFile file((FFolder / "table.csv").string());
    std::vector<std::string> delivered;
    const TWorkerTasks tasks = {
        [&](std::int64_t i) -> std::string {
            if ((i == 5 && First("five")) || i == 11)
                std::raise(SIGKILL);
            if (i == 14)
                throw std::bad_alloc();
            if (i == 17)
                throw std::runtime_error("in the worker");
            return std::to_string(i * i);
        },
        [](std::int64_t i, const std::string& reason) { return std::to_string(i) + ": " + reason; },
        [&](std::int64_t i, std::string&& result) {
            EXPECT_EQ(i, static_cast<std::int64_t>(delivered.size()));
            delivered.push_back(std::move(result));
        }};
    RunInWorkers(20, 3, tasks);
    ASSERT_EQ(delivered.size(), 20u);
    for (std::int64_t i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        if (i == 11)
            EXPECT_EQ(delivered[11], "11: Arbeitsprozess durch Signal SIGKILL beendet");
        else if (i == 14)
            EXPECT_EQ(delivered[14], "14: Arbeitsprozess: Speicher reicht nicht aus");
        else if (i == 17)
            EXPECT_EQ(delivered[17], "17: Arbeitsprozess: unerwarteter Fehler");
        else
            EXPECT_EQ(delivered[static_cast<std::size_t>(i)], std::to_string(i * i));
    }
    file.Sink().Write("kept");
    file.Commit();
    EXPECT_EQ(std::filesystem::file_size(FFolder / "table.csv"), 4u);
}

}  // namespace
