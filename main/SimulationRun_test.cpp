#include "main/SimulationRun.h"

#include "app/Errors.h"
#include "app/IntegerText.h"
#include "app/TextToFloat.h"
#include "base/FloatEnvironment.h"
#include "base/Round.h"
#include "population/AsexualPopulation.h"
#include "population/Random.h"
#include "population/SexualPopulation.h"
#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

struct TPoint {
    double Value;
    std::uint32_t Colour;
};

// Records everything the run does to the windows.
class TRecordingHost : public TRunHost {
public:
    std::array<std::vector<std::string>, 2> Memo;
    std::array<std::vector<TPoint>, 4> Series;
    std::vector<std::string> Calls;  // clears, headers and cursor changes, in order
    bool Busy = false;
    bool Visible = false;
    int Pumps = 0;
    std::function<void(int pump)> OnPump;  // called with the pump's number, from 1

    void ClearLines(TResultBox box) override
    {
        Memo[Index(box)].clear();
        Calls.push_back(Index(box) == 0 ? "clear Memo1" : "clear Memo2");
    }
    void AppendLine(TResultBox box, std::string_view line) override
    {
        if (Memo[Index(box)].empty())
            Calls.push_back(Index(box) == 0 ? "header Memo1" : "header Memo2");
        Memo[Index(box)].emplace_back(line);
    }
    void ClearSeries(TRunSeries series) override
    {
        Series[Index(series)].clear();
        Calls.push_back("clear Series" + std::string(1, static_cast<char>('1' + Index(series))));
    }
    void AddPoint(TRunSeries series, double value, std::uint32_t colour) override
    {
        Series[Index(series)].push_back({value, colour});
    }
    bool ChartVisible() override { return Visible; }
    void ProcessMessages() override
    {
        ++Pumps;
        if (OnPump)
            OnPump(Pumps);
    }
    void SetBusyCursor(bool busy) override
    {
        Busy = busy;
        Calls.push_back(busy ? "busy" : "normal");
    }

    std::vector<int> Counts(TResultBox box, std::size_t generations) const
    {
        std::vector<int> counts;
        const auto& lines = Memo[Index(box)];
        for (std::size_t i = 1; i <= generations && i < lines.size(); ++i)
            counts.push_back(Living(lines[i]));
        return counts;
    }

    static int Living(const std::string& line) { return StrToInt(line.substr(0, line.find(';'))); }
    static long double AverageGC(const std::string& line) { return StrToFloat(line.substr(line.find(' ') + 1)); }

private:
    template <class E>
    static std::size_t Index(E e)
    {
        return static_cast<std::size_t>(e);
    }
};

class SimulationRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFloatEnvironment();
        FFields.Seed = 0;
    }

    // Runs and returns the message of the error the run raised, or "".
    std::string Run()
    {
        try {
            SimulationRun(FHost, FFields);
        } catch (const Exception& e) {
            FError = e.ClassName();
            return e.Message;
        }
        return "";
    }

    TRecordingHost FHost;
    TRunFields FFields;
    std::string FError;

private:
    TSeparatorFixture FSeparators;
};

TEST_F(SimulationRunTest, DefaultRunFromSeedZeroRepeatsTheReferenceCounts)
{
    ASSERT_EQ(Run(), "");
    EXPECT_EQ(FHost.Memo[0].size(), 501u);
    EXPECT_EQ(FHost.Memo[1].size(), 501u);
    EXPECT_EQ(FHost.Memo[0][0], kSexualHeader);
    EXPECT_EQ(FHost.Memo[1][0], kAsexualHeader);
    EXPECT_EQ(FHost.Counts(TResultBox::Sexual, 5), (std::vector<int>{52, 49, 49, 45, 40}));
    EXPECT_EQ(FHost.Counts(TResultBox::Asexual, 5), (std::vector<int>{53, 54, 60, 49, 51}));
    for (const auto& series : FHost.Series)
        EXPECT_EQ(series.size(), 500u);
    EXPECT_EQ(FHost.Pumps, 0) << "a hidden chart window pumps no messages";
    EXPECT_FALSE(FHost.Busy);
}

TEST_F(SimulationRunTest, EachSeriesCarriesWhatItsTitleNames)
{
    FFields.Generations = "3";
    ASSERT_EQ(Run(), "");
    for (std::size_t g = 0; g < 3; ++g) {
        const std::string& sexual = FHost.Memo[0][g + 1];
        const std::string& asexual = FHost.Memo[1][g + 1];
        // "GC-Sexuell" and "GC-Nichtsexuell" get the rounded averages, the
        // "Lebend-" series the living counts.
        EXPECT_EQ(FHost.Series[1][g].Value, TRecordingHost::Living(sexual));
        EXPECT_EQ(FHost.Series[2][g].Value, TRecordingHost::Living(asexual));
        EXPECT_EQ(FHost.Series[0][g].Value, Round(TRecordingHost::AverageGC(sexual)));
        EXPECT_EQ(FHost.Series[3][g].Value, Round(TRecordingHost::AverageGC(asexual)));
        EXPECT_EQ(FHost.Series[0][g].Colour, 0x0000FFu);
        EXPECT_EQ(FHost.Series[1][g].Colour, 0x8000FFu);
        EXPECT_EQ(FHost.Series[2][g].Colour, 0xFFFF00u);
        EXPECT_EQ(FHost.Series[3][g].Colour, 0xFF0000u);
    }
}

TEST_F(SimulationRunTest, ZeroKillFactorKeepsEveryOrganismThroughTheParasite)
{
    FFields.Generations = "50";
    FFields.KillFactor = "0";  // the averages stay the initial 50
    ASSERT_EQ(Run(), "");
    EXPECT_EQ(FHost.Memo[0][1], "100; 50");
    EXPECT_EQ(FHost.Memo[1][1], "100; 50");
    EXPECT_EQ(FHost.Series[0][0].Value, 50.0);
    for (const auto& memo : FHost.Memo)
        for (std::size_t i = 1; i < memo.size(); ++i)
            EXPECT_EQ(memo[i].rfind("100; ", 0), 0u) << memo[i];
}

TEST_F(SimulationRunTest, ConversionAndFloatingErrorsKeepWhatWasWritten)
{
    const struct {
        std::string TRunFields::*Field;
        const char* Text;
        const char* Message;
        const char* Class;
        std::size_t Headers;  // header lines written before the error
    } cases[] = {
        {&TRunFields::MutationLimit, "3,5", "'3,5' ist kein gültiger Integerwert", "EConvertError", 1},
        {&TRunFields::KillFactor, "x", "'x' ist kein gültiger Gleitkommawert", "EConvertError", 1},
        {&TRunFields::MutationRate, "2.5", "'2.5' ist kein gültiger Gleitkommawert", "EConvertError", 1},
        {&TRunFields::Generations, "abc", "'abc' ist kein gültiger Integerwert", "EConvertError", 2},
        {&TRunFields::KillFactor, "1E39", "Überlauf bei Gleitkomma-Operation", "EOverflow", 1},
        {&TRunFields::MutationRate, "-1E40", "Überlauf bei Gleitkomma-Operation", "EOverflow", 1},
        // the empty gene fails in the first generation's parasite step, before any line
        {&TRunFields::Gene, "", "Fehler bei Gleitkomma-Operation", "EInvalidOp", 2},
    };
    for (const auto& c : cases) {
        FHost = TRecordingHost{};
        FFields = TRunFields{};
        FFields.Seed = 0;
        FFields.Generations = "5";
        FFields.*c.Field = c.Text;
        EXPECT_EQ(Run(), c.Message) << c.Text;
        EXPECT_EQ(FError, c.Class) << c.Text;
        EXPECT_EQ(FHost.Memo[0].size(), 1u) << c.Text;
        EXPECT_EQ(FHost.Memo[1].size(), c.Headers - 1) << c.Text;
        EXPECT_TRUE(FHost.Series[0].empty()) << c.Text;
        EXPECT_FALSE(FHost.Busy) << "cursor restored after " << c.Text;
    }
}

TEST_F(SimulationRunTest, NonPositiveGenerationCountsLeaveOnlyTheHeadersInStepOrder)
{
    for (const char* n : {"0", "-5"}) {
        FHost = TRecordingHost{};
        FFields.Generations = n;
        ASSERT_EQ(Run(), "");
        EXPECT_EQ(FHost.Calls, (std::vector<std::string>{"busy", "clear Memo1", "clear Memo2", "clear Series1",
                                                         "clear Series2", "clear Series3", "clear Series4",
                                                         "header Memo1", "header Memo2", "normal"}))
            << n;
        EXPECT_EQ(FHost.Memo[0].size(), 1u);
        EXPECT_EQ(FHost.Memo[1].size(), 1u);
        EXPECT_TRUE(FHost.Series[3].empty());
    }
}

TEST_F(SimulationRunTest, MutationLimitKeepsTheLowEightBits)
{
    FFields.Generations = "0";
    const struct {
        const char* Text;
        int Limit;
    } cases[] = {{"256", 0}, {"300", 44}, {"-1", 255}, {"$1FF", 255}, {"30", 30}};
    for (const auto& c : cases) {
        FFields.MutationLimit = c.Text;
        ASSERT_EQ(Run(), "");
        EXPECT_EQ(SexualPopulation.MutationLimit, c.Limit) << c.Text;
        EXPECT_EQ(AsexualPopulation.MutationLimit, c.Limit) << c.Text;
    }
}

TEST_F(SimulationRunTest, ARunStartedWhilePumpingSupersedesTheOuterRun)
{
    FFields.Generations = "10";
    FHost.Visible = true;
    TRunFields inner;
    inner.Generations = "4";
    inner.Seed = 0;
    // The user presses Start while the outer run pumps before its third generation.
    FHost.OnPump = [&](int pump) {
        if (pump == 3)
            SimulationRun(FHost, inner);
    };
    ASSERT_EQ(Run(), "");

    // A visible chart pumps once per generation; the outer run stops pumping once superseded.
    EXPECT_EQ(FHost.Pumps, 3 + 4);
    EXPECT_EQ(FHost.Memo[0].size(), 5u) << "only the newest run's lines remain";
    EXPECT_EQ(FHost.Memo[1].size(), 5u);
    EXPECT_EQ(FHost.Series[0].size(), 4u);
    EXPECT_EQ(FHost.Counts(TResultBox::Sexual, 4), (std::vector<int>{52, 49, 49, 45}));
    EXPECT_FALSE(FHost.Busy);
    EXPECT_EQ(FHost.Calls.back(), "normal");
}

}  // namespace
