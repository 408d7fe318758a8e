#include "batch/BatchRunner.h"

#include "app/FormatSettings.h"
#include "base/FloatEnvironment.h"
#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <optional>

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

    static TResult Run(const TRunFields& fields, std::optional<TOutputFormat> format = {})
    {
        TStringSink out, err;
        const int status = RunBatch({fields, format, {}}, out, err);
        return {status, out.Text, err.Text};
    }

private:
    TSeparatorFixture FSeparators;
};

TEST_F(RunBatchTest, MemoLayoutFromSeedZero)
{
    const TResult r = Run({.Generations = "5", .Seed = 0});
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
    const TResult r = Run({.Generations = "5", .Seed = 0}, TOutputFormat::Csv);
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, std::string(kCsvHeader) + "1,52,50,53,50\n"
                                               "2,49,50,54,50\n"
                                               "3,49,49.9000000000233,60,50.0999999999767\n"
                                               "4,45,50.0499999999884,49,50.1500000000233\n"
                                               "5,40,50,51,50.2000000000116\n");
}

TEST_F(RunBatchTest, TheSeparatorAppliesToInputAndLines)
{
    DecimalSeparator = U'.';
    const TResult r = Run({.Generations = "3", .MutationRate = "3.0", .Seed = 0});
    EXPECT_EQ(r.Status, 0);
    EXPECT_NE(r.Out.find("49; 49.9000000000233\n"), std::string::npos) << r.Out;
}

TEST_F(RunBatchTest, RunErrorsKeepEverythingProducedSoFar)
{
    const std::string sexualOnly = std::string(kHeader1) + "\n";
    const std::string bothHeaders = std::string(kHeader1) + "\n" + kHeader2;
    // Five generations from seed 0 (or Seed) with one field changed.
    const struct {
        std::string TRunFields::*Field;
        const char* Text;
        std::uint32_t Seed;
        std::optional<TOutputFormat> Format;
        int Status;
        std::string Out;
        const char* Err;
    } cases[] = {
        {&TRunFields::MutationLimit, "x", 0, {}, 1, sexualOnly, "'x' ist kein gültiger Integerwert.\n"},
        {&TRunFields::KillFactor, "1.5", 0, {}, 1, sexualOnly, "'1.5' ist kein gültiger Gleitkommawert.\n"},
        {&TRunFields::MutationRate, "", 0, {}, 1, sexualOnly, "'' ist kein gültiger Gleitkommawert.\n"},
        {&TRunFields::KillFactor, "1E39", 0, {}, 1, sexualOnly, "Überlauf bei Gleitkomma-Operation.\n"},
        {&TRunFields::Generations, " 5 ", 0, {}, 1, bothHeaders, "' 5 ' ist kein gültiger Integerwert.\n"},
        {&TRunFields::Gene, "", 0, {}, 1, bothHeaders, "Fehler bei Gleitkomma-Operation.\n"},
        {&TRunFields::Gene, "", 0, TOutputFormat::Csv, 1, kCsvHeader, "Fehler bei Gleitkomma-Operation.\n"},
        // the overflow comes in the asexual half of the first generation
        {&TRunFields::KillFactor,
         "1,7203e36",
         8,
         {},
         1,
         std::string(kHeader1) + "0; 50\n\n" + kHeader2,
         "Überlauf bei Gleitkomma-Operation.\n"},
        {&TRunFields::KillFactor, "1,7203e36", 8, TOutputFormat::Csv, 1, std::string(kCsvHeader) + "1,0,50,,\n",
         "Überlauf bei Gleitkomma-Operation.\n"},
        {&TRunFields::Generations, "-5", 0, {}, 0, bothHeaders, ""},  // no generations is no error
    };
    for (const auto& c : cases) {
        TRunFields fields{.Generations = "5", .Seed = c.Seed};
        fields.*c.Field = c.Text;
        const TResult r = Run(fields, c.Format);
        EXPECT_EQ(r.Status, c.Status) << c.Err;
        EXPECT_EQ(r.Out, c.Out) << c.Err;
        EXPECT_EQ(r.Err, c.Err);
    }
}

}  // namespace
