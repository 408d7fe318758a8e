#include "batch/study/WorkerPool.h"

#include "batch/study/AtomicFile.h"
#include "batch/study/RunWire.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <thread>
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

// Task i's output: from nothing to several chunks, and past what is held in memory.
std::string Output(std::int64_t i)
{
    const std::size_t sizes[] = {0, 10, kWireChunk, 3 * kWireChunk + 17, std::size_t{3} << 20};
    std::string text(sizes[i % 5], static_cast<char>('a' + i % 26));
    for (std::size_t at = 0; at < text.size(); at += 1000)
        text[at] = static_cast<char>('0' + i % 10);
    return text;
}

TEST_F(WorkerPoolTest, OutputComesInTaskOrderOnceAndADeadWorkersTaskIsTriedOnceMore)
{
    // The parent's file in the making: no worker's failure may remove it.
    TAtomicFile file((FFolder / "table.csv").string());
    std::vector<TStringSink> outputs(20);
    std::vector<std::string> ends;
    const TWorkerTasks tasks = {[&](std::int64_t i, TTextSink& out) -> std::string {
                                    if (i == 0)  // the later ones finish first and are held
                                        std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                    const std::string text = Output(i);
                                    if ((i == 4 && First("four")) || i == 11) {
                                        // Dies with part of its output sent.
                                        out.Write(std::string_view(text).substr(0, text.size() / 2));
                                        out.Flush();
                                        std::raise(SIGKILL);
                                    }
                                    if (i == 14)
                                        throw std::bad_alloc();
                                    if (i == 17)
                                        throw std::runtime_error("in the worker");
                                    out.Write(text);
                                    return std::to_string(i * i);
                                },
                                [](std::int64_t i, TTextSink& out, const std::string& reason) {
                                    out.Write("lost");
                                    return std::to_string(i) + ": " + reason;
                                },
                                [&](std::int64_t i) -> TTextSink& {
                                    EXPECT_EQ(i, static_cast<std::int64_t>(ends.size()));
                                    return outputs[static_cast<std::size_t>(i)];
                                },
                                [&](std::int64_t i, std::string&& end) {
                                    EXPECT_EQ(i, static_cast<std::int64_t>(ends.size()));
                                    ends.push_back(std::move(end));
                                }};
    RunInWorkers(20, 3, tasks);
    ASSERT_EQ(ends.size(), 20u);
    for (std::int64_t i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        const auto at = static_cast<std::size_t>(i);
        const std::string text = Output(i);
        if (i == 11) {
            EXPECT_EQ(ends[at], "11: Arbeitsprozess durch Signal SIGKILL beendet");
            EXPECT_EQ(outputs[at].Text, text.substr(0, text.size() / 2) + "lost");
        } else if (i == 14) {
            EXPECT_EQ(ends[at], "14: Arbeitsprozess: Speicher reicht nicht aus");
            EXPECT_EQ(outputs[at].Text, "lost");
        } else if (i == 17) {
            EXPECT_EQ(ends[at], "17: Arbeitsprozess: unerwarteter Fehler");
            EXPECT_EQ(outputs[at].Text, "lost");
        } else {
            EXPECT_EQ(ends[at], std::to_string(i * i));
            EXPECT_TRUE(outputs[at].Text == text) << outputs[at].Text.size() << " bytes for " << text.size();
        }
    }
    file.Sink().Write("kept");
    file.Commit();
    EXPECT_EQ(std::filesystem::file_size(FFolder / "table.csv"), 4u);
}

TEST_F(WorkerPoolTest, ADamagedEndIsAnErrorNamingTheWorker)
{
    TStringSink output;
    const TWorkerTasks tasks = {[](std::int64_t, TTextSink& out) {
                                    out.Write("row\n");
                                    return std::string("\x02short");
                                },
                                [](std::int64_t, TTextSink&, const std::string&) { return std::string(); },
                                [&](std::int64_t) -> TTextSink& { return output; },
                                [](std::int64_t, std::string&& end) { UnpackOutcome(end); }};
    try {
        RunInWorkers(2, 2, tasks);
        FAIL() << "a damaged end was taken";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Arbeitsprozess "), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("beschädigte Nachricht: Laufende"), std::string::npos) << e.what();
    }
    EXPECT_EQ(output.Text, "row\n");
}

}  // namespace
