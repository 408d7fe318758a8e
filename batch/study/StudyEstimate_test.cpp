#include "batch/study/StudyEstimate.h"

#include "app/FormatSettings.h"
#include "base/FloatEnvironment.h"
#include "batch/study/CommandLine.h"
#include "batch/study/Dispatch.h"
#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct TResult {
    int Status;
    std::string Out;
    std::string Err;
};

TResult RunStudy(std::vector<std::string> args)
{
    TStringSink out, err;
    const int status = RunCommandLine(args, out, err);
    return {status, out.Text, err.Text};
}

// The plan's counts are the study's: rows of the table it writes, for the whole study and summed
// over shards; its bytes come within a fifth of the table's.
TEST(StudyEstimate, CountsWhatTheStudyWrites)
{
    SetFloatEnvironment();
    TSeparatorFixture separators;
    DecimalSeparator = U',';
    const std::vector<std::string> study = {"--seed", "9",       "--replicates",         "5",      "--every",
                                            "7",      "--sweep", "generations=10;23;40", "--jobs", "1"};
    for (int shards : {1, 3}) {
        SCOPED_TRACE(shards);
        TStudyEstimate sum;
        std::string tables;
        for (int shard = 1; shard <= shards; ++shard) {
            std::vector<std::string> args = study;
            args.insert(args.end(), {"--shard", std::to_string(shard) + "/" + std::to_string(shards)});
            const TCommandLine line = ParseCommandLine(args);
            const TStudyPlan plan(ParameterTexts(line.Run.Fields), line.Study.Sweeps, line.Study.Replicates, 9, false);
            const TStudyEstimate estimate = EstimateStudy(plan, line.Study, 1);
            sum.Runs += estimate.Runs;
            sum.Rows += estimate.Rows;
            sum.Bytes += estimate.Bytes;
            const TResult table = RunStudy(args);
            ASSERT_EQ(table.Status, 0) << table.Err;
            tables += table.Out.substr(table.Out.find('\n') + 1);
        }
        EXPECT_EQ(sum.Runs, 15);
        EXPECT_EQ(sum.Rows, std::count(tables.begin(), tables.end(), '\n'));
        EXPECT_EQ(sum.Rows, 5 * (2 + 4 + 6) * 2);
        EXPECT_NEAR(sum.Bytes, static_cast<double>(tables.size()), 0.2 * static_cast<double>(tables.size()));
    }
    const TResult plan = RunStudy({"--replicates", "3", "--sweep", "kill-factor=1;2", "--dry-run"});
    EXPECT_EQ(plan.Status, 0);
    EXPECT_EQ(plan.Out.substr(0, plan.Out.find("Generationen")), "Parametersätze: 2\nLäufe: 6\n");
}

TEST(StudyEstimate, AsksBeforeAStudyBeyondTenMillionRunsOrTenGigabytes)
{
    SetFloatEnvironment();
    TSeparatorFixture separators;
    const struct {
        std::vector<std::string> Args;
        int Status;
    } cases[] = {
        {{"--replicates", "10000001", "--generations", "1"}, 2},
        {{"--replicates", "10000000", "--generations", "1", "--dry-run"}, 0},
        {{"--replicates", "100000", "--generations", "1000000"}, 2},
        {{"--replicates", "100000", "--generations", "1000000", "--shard", "1/2000", "--dry-run"}, 0},
    };
    for (const auto& c : cases) {
        const TResult r = RunStudy(c.Args);
        EXPECT_EQ(r.Status, c.Status) << r.Err;
        if (c.Status == 2) {
            EXPECT_EQ(r.Err.substr(0, r.Err.find('\n')),
                      "kelvaro-batch: Die Studie ist sehr groß (mehr als 10 Millionen Läufe oder 10 GB Tabelle); mit "
                      "--yes wird sie gestartet.");
            EXPECT_EQ(r.Out, "");  // not even the table's header
        } else {
            EXPECT_NE(r.Out.find("Läufe: "), std::string::npos);
        }
    }
}

}  // namespace
