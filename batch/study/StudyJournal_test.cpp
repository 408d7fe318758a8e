#include "batch/study/StudyJournal.h"

#include "batch/OutputPath.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace {

struct TJournalRun {
    std::string Rows;
    TRunOutcome Outcome;
};

std::string Read(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class StudyJournalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FFolder = std::filesystem::temp_directory_path() / ("kelvaro-journal-" + std::to_string(getpid()));
        std::filesystem::create_directories(FFolder);
        FPath = (FFolder / "t.csv.journal").string();
    }
    void TearDown() override { std::filesystem::remove_all(FFolder); }

    TStudyJournal Open(const std::string& identity = "study", std::uint32_t seed = 7)
    {
        return TStudyJournal(FPath, seed, identity, true, [](const std::string&) { return std::string("anders"); });
    }

    // The rows the journal hands on, and the runs it holds.
    std::vector<TJournalRun> Replayed(TStudyJournal& journal)
    {
        std::vector<TJournalRun> runs;
        TStringSink table;
        std::size_t taken = 0;
        journal.Replay(table, [&](std::int64_t index, TRunOutcome&& outcome) {
            EXPECT_EQ(index, static_cast<std::int64_t>(runs.size()));
            runs.push_back({table.Text.substr(taken), std::move(outcome)});
            taken = table.Text.size();
        });
        return runs;
    }

    std::filesystem::path FFolder;
    std::string FPath;
};

void ExpectSameRuns(const std::vector<TJournalRun>& got, const std::vector<TJournalRun>& expected, std::size_t count)
{
    ASSERT_EQ(got.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(got[i].Rows, expected[i].Rows) << i;
        EXPECT_EQ(got[i].Outcome.Failed, expected[i].Outcome.Failed) << i;
        ASSERT_EQ(got[i].Outcome.Generations.size(), expected[i].Outcome.Generations.size()) << i;
        for (std::size_t g = 0; g < got[i].Outcome.Generations.size(); ++g) {
            EXPECT_EQ(got[i].Outcome.Generations[g].Generation, expected[i].Outcome.Generations[g].Generation);
            EXPECT_EQ(got[i].Outcome.Generations[g].Gc[1], expected[i].Outcome.Generations[g].Gc[1]);
        }
    }
}

TEST_F(StudyJournalTest, ACutOrDamagedJournalKeepsTheWholeRecordsBeforeTheDamage)
{
    // A run with measures, a failed one without, one longer than the write buffer, an empty one.
    std::vector<TJournalRun> runs = {{"1,1,a\n1,1,b\n", {{{1, {3, 4}, {50.5, 49.25}, {0, 0}}}, false}},
                                     {"1,2,Fehler\n", {{}, true}},
                                     {std::string(70000, 'x') + "\n", {{{5, {0, 2}, {0, 12.5}, {5, 0}}}, false}},
                                     {"", {{}, false}}};
    // Each run written by a journal of its own that goes on with the one before: where each ends.
    {
        Open();
    }
    std::vector<std::uint64_t> ends = {std::filesystem::file_size(FPath)};
    for (std::size_t i = 0; i < runs.size(); ++i) {
        {
            TStudyJournal journal = Open();
            ASSERT_EQ(journal.Done(), static_cast<std::int64_t>(i));
            TStringSink table;
            journal.BeginRun(static_cast<std::int64_t>(i), table).Write(runs[i].Rows);
            journal.EndRun(runs[i].Outcome);
            EXPECT_EQ(table.Text, runs[i].Rows);
        }
        ends.push_back(std::filesystem::file_size(FPath));
    }
    const std::string whole = Read(FPath);
    EXPECT_EQ(TStudyJournal::Seed(FPath), 7u);

    // Cut a few bytes around every record's end and inside the long one.
    std::vector<std::uint64_t> cuts;
    for (const std::uint64_t end : ends)
        for (std::uint64_t at = end - std::min<std::uint64_t>(end, 14); at <= end + 14 && at <= whole.size(); ++at)
            cuts.push_back(at);
    cuts.push_back((ends[2] + ends[3]) / 2);
    for (const std::uint64_t cut : cuts) {
        WriteFile(FPath, std::string_view(whole).substr(0, cut));
        TStudyJournal journal = Open();
        std::size_t records = 0;
        while (records + 1 < ends.size() && ends[records + 1] <= cut)
            ++records;
        if (cut < ends[0]) {
            EXPECT_EQ(journal.Done(), 0) << cut;  // begun afresh
            continue;
        }
        EXPECT_EQ(journal.Done(), static_cast<std::int64_t>(records)) << cut;
        EXPECT_EQ(std::filesystem::file_size(FPath), ends[records]) << cut;
        ExpectSameRuns(Replayed(journal), runs, records);
    }

    // One byte changed in the second run's record: the first run alone is left.
    std::string damaged = whole;
    damaged[(ends[1] + ends[2]) / 2] ^= 0x20;
    WriteFile(FPath, damaged);
    TStudyJournal journal = Open();
    ExpectSameRuns(Replayed(journal), runs, 1);
}

TEST_F(StudyJournalTest, AJournalOfAnotherStudyOrFoundWithoutResumeIsRefusedAndKept)
{
    {
        Open();
    }
    const std::string kept = Read(FPath);
    EXPECT_THROW(Open("other study"), EOutputPathError);
    EXPECT_THROW(Open("study", 8), EOutputPathError);
    EXPECT_THROW(TStudyJournal(FPath, 7, "study", false, [](const std::string&) { return std::string(); }),
                 EOutputPathError);
    EXPECT_EQ(Read(FPath), kept);
    WriteFile(FPath, "not a journal");
    EXPECT_THROW(TStudyJournal::Seed(FPath), EOutputPathError);
    EXPECT_THROW(Open(), EOutputPathError);
    std::filesystem::remove(FPath);
    EXPECT_EQ(TStudyJournal::Seed(FPath), std::nullopt);
}

}  // namespace
