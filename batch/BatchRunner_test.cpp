#include "batch/BatchRunner.h"

#include "base/FloatEnvironment.h"
#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr const char* kHeader1 = "Anzahl Lebender nach Parasit (sexuell); GC-Gehalt (sexuell)\n";
constexpr const char* kCsvHeader = "generation,sexual_living,sexual_gc,asexual_living,asexual_gc\n";
constexpr const char* kHeader2 = "Anzahl Lebender nach Parasit (nicht sexuell); GC-Gehalt (nichtsexuell)\n";

struct TResult {
    int Status;
    std::string Out;
    std::string Err;
};

class RunBatchTest : public ::testing::Test {
protected:
    void SetUp() override { SetFloatEnvironment(); }

    static TResult Run(std::vector<std::string> args)
    {
        TStringSink out, err;
        const int status = RunBatch(args, out, err);
        return {status, out.Text, err.Text};
    }

private:
    TSeparatorFixture FSeparators;
};

TEST_F(RunBatchTest, MemoLayoutFromSeedZero)
{
    const TResult r = Run({"--seed", "0", "--generations", "5"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Out, std::string(kHeader1) +
                         "52; 50\n"
                         "49; 50\n"
                         "49; 49,9000000000233\n"
                         "45; 50,0499999999884\n"
                         "40; 50\n"
                         "\n" +
                         kHeader2 +
                         "53; 50\n"
                         "54; 50\n"
                         "60; 50,0999999999767\n"
                         "49; 50,1500000000233\n"
                         "51; 50,2000000000116\n");
}

TEST_F(RunBatchTest, CsvLayoutAlwaysUsesAPoint)
{
    const TResult r = Run({"--seed=0", "--generations=5", "--format=csv"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, std::string(kCsvHeader) + "1,52,50,53,50\n"
                                               "2,49,50,54,50\n"
                                               "3,49,49.9000000000233,60,50.0999999999767\n"
                                               "4,45,50.0499999999884,49,50.1500000000233\n"
                                               "5,40,50,51,50.2000000000116\n");
}

TEST_F(RunBatchTest, SeparatorOptionAppliesToInputAndLines)
{
    const TResult r = Run({"--seed", "0", "--generations", "3", "--decimal-separator", ".", "--mutation-rate", "3.0"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_NE(r.Out.find("49; 49.9000000000233\n"), std::string::npos) << r.Out;
}

TEST_F(RunBatchTest, RunErrorsKeepEverythingProducedSoFar)
{
    const std::string sexualOnly = std::string(kHeader1) + "\n";
    const std::string bothHeaders = std::string(kHeader1) + "\n" + kHeader2;
    const struct {
        std::vector<std::string> Args;
        int Status;
        std::string Out;
        const char* Err;
    } cases[] = {
        {{"--mutation-limit", "x"}, 1, sexualOnly, "'x' ist kein gültiger Integerwert.\n"},
        {{"--kill-factor", "1.5"}, 1, sexualOnly, "'1.5' ist kein gültiger Gleitkommawert.\n"},
        {{"--mutation-rate", ""}, 1, sexualOnly, "'' ist kein gültiger Gleitkommawert.\n"},
        {{"--kill-factor", "1E39"}, 1, sexualOnly, "Überlauf bei Gleitkomma-Operation.\n"},
        {{"--generations", " 5 "}, 1, bothHeaders, "' 5 ' ist kein gültiger Integerwert.\n"},
        {{"--gene", ""}, 1, bothHeaders, "Fehler bei Gleitkomma-Operation.\n"},
        {{"--format", "csv", "--gene", ""}, 1, kCsvHeader, "Fehler bei Gleitkomma-Operation.\n"},
        // the overflow comes in the asexual half of the first generation
        {{"--kill-factor", "1,7203e36", "--seed", "8"},
         1,
         std::string(kHeader1) + "0; 50\n\n" + kHeader2,
         "Überlauf bei Gleitkomma-Operation.\n"},
        {{"--kill-factor", "1,7203e36", "--seed", "8", "--format", "csv"},
         1,
         std::string(kCsvHeader) + "1,0,50,,\n",
         "Überlauf bei Gleitkomma-Operation.\n"},
        {{"--generations", "-5"}, 0, bothHeaders, ""},  // no generations is no error
    };
    for (const auto& c : cases) {
        // Later options win, so each case overrides the five generations.
        std::vector<std::string> args = {"--seed", "0", "--generations", "5"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TResult r = Run(args);
        EXPECT_EQ(r.Status, c.Status) << c.Err;
        EXPECT_EQ(r.Out, c.Out) << c.Err;
        EXPECT_EQ(r.Err, c.Err);
    }
}

TEST_F(RunBatchTest, UsageErrorsAndHelp)
{
    const TResult bad = Run({"--generations"});
    EXPECT_EQ(bad.Status, 2);
    EXPECT_EQ(bad.Out, "");
    EXPECT_EQ(bad.Err.substr(0, bad.Err.find('\n')), "kelvaro-batch: Wert fehlt für --generations");
    EXPECT_NE(bad.Err.find("Aufruf: kelvaro-batch"), std::string::npos);

    const TResult help = Run({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(help.Err, "");
    EXPECT_EQ(help.Out.rfind("Aufruf: kelvaro-batch", 0), 0u);
}

}  // namespace
