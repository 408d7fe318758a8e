#include "batch/study/Statistics.h"
#include "batch/study/StudySummary.h"
#include "testing/app/SeparatorFixture.h"
#include "testing/study/TableText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace {

TEST(StudentT975, MatchesClosedFormsAndPrintedTables)
{
    // Closed forms for 1, 2 and 4 degrees of freedom; six-place tables beyond.
    const struct {
        std::int64_t Degrees;
        double Quantile;
        double Tolerance;
    } cases[] = {{1, 12.706204736174696, 1e-12}, {2, 4.302652729749462, 1e-12}, {4, 2.7764451051977934, 1e-12},
                 {10, 2.228139, 1e-6},           {30, 2.042272, 1e-6},          {1000, 1.962339, 1e-6}};
    for (const auto& c : cases)
        EXPECT_NEAR(StudentT975(c.Degrees), c.Quantile, c.Tolerance * c.Quantile) << c.Degrees;
}

// Three runs of one set, one failed run and a set with one run (the others failed), by hand; the
// expected figures come from Python's statistics module and the closed form of t for two degrees
// of freedom.
constexpr const char* kTable = "set,replicate,seed,gene,generations,mutation_rate,mutation_limit,kill_factor,"
                               "generation,population,living,gc,died_out_at,error\n"
                               "1,1,S,ACG,2,3,30,1,1,sexual,50,50.1,,\n"
                               "1,1,S,ACG,2,3,30,1,1,asexual,40,49.9,,\n"
                               "1,1,S,ACG,2,3,30,1,2,sexual,60,50.3,,\n"
                               "1,1,S,ACG,2,3,30,1,2,asexual,0,50,2,\n"
                               "1,2,S,ACG,2,3,30,1,1,sexual,55,50.2,,\n"
                               "1,2,S,ACG,2,3,30,1,1,asexual,45,50,,\n"
                               "1,2,S,ACG,2,3,30,1,2,sexual,65,50.4,,\n"
                               "1,2,S,ACG,2,3,30,1,2,asexual,30,50.1,,\n"
                               "1,3,S,ACG,2,3,30,1,1,sexual,70,50,,\n"
                               "1,3,S,ACG,2,3,30,1,1,asexual,42,50.05,,\n"
                               "1,3,S,ACG,2,3,30,1,2,sexual,0,50,2,\n"
                               "1,3,S,ACG,2,3,30,1,2,asexual,35,50.2,,\n"
                               "1,4,S,ACG,2,3,30,1,1,sexual,50,50,,\n"
                               "1,4,S,ACG,2,3,30,1,,,,,,Überlauf bei Gleitkomma-Operation\n"
                               "2,1,S,ACG,1,3,30,2,1,sexual,99,50,,\n"
                               "2,1,S,ACG,1,3,30,2,1,asexual,98,50,,\n"
                               "2,2,S,ACG,1,3,30,2,,,,,,Fehler\n"
                               "2,3,S,ACG,1,3,30,2,,,,,,Fehler\n"
                               "2,4,S,ACG,1,3,30,2,,,,,,Fehler\n";

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');)
        fields.push_back(field);
    if (!line.empty() && line.back() == ',')
        fields.emplace_back();
    return fields;
}

TEST(StudySummary, AgreesWithAnIndependentComputation)
{
    const TSeparatorFixture separators(U'.');
    TStudySummary summary;
    for (const TTableRun& run : ReadTableText(
             kTable, StudyDefinition({{"ACG", "2", "3", "30", "1"}, {"ACG", "1", "3", "30", "2"}}, 4, 1, 5, false)))
        summary.Add(run);
    TStringSink out;
    summary.Write(out);

    // set, generation, population, measure -> runs, failed, mean, sd, min, max, ci_low, ci_high
    std::map<std::string, std::vector<std::string>> rows;
    std::stringstream lines(out.Text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "set,gene,generations,mutation_rate,mutation_limit,kill_factor,generation,population,"
                    "measure,runs,failed,mean,sd,min,max,ci_low,ci_high");
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = Fields(line);
        ASSERT_EQ(f.size(), 17u) << line;
        rows[f[0] + ' ' + f[6] + ' ' + f[7] + ' ' + f[8]] = {f.begin() + 9, f.end()};
    }
    const struct {
        const char* Key;
        std::vector<double> Expected;  // runs, failed, mean, sd, min, max, ci_low, ci_high
    } cases[] = {
        {"1 2 sexual living",
         {3, 1, 41.666666666666664, 36.17089069035118, 0, 65, -48.18680696483364, 131.52014029816698}},
        {"1 1 asexual gc",
         {3, 1, 49.983333333333334, 0.07637626158259687, 49.9, 50.05, 49.7936041816535, 50.17306248501317}},
        {"1 2 sexual gc_alive",
         {2, 1, 50.349999999999994, 0.07071067811865575, 50.3, 50.4, 49.71468976317838, 50.98531023682161}},
        {"1 2 sexual-asexual living", {3, 1, 20, 49.24428900898052, -35, 60, -102.32959541554081, 142.3295954155408}},
        {"1 2 sexual-asexual gc",
         {3, 1, 0.1333333333333305, 0.28867513459481287, -0.20000000000000284, 0.29999999999999716, -0.5837754549582465,
          0.8504421216249075}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        ASSERT_TRUE(rows.count(c.Key));
        const std::vector<std::string>& got = rows[c.Key];
        for (std::size_t i = 0; i < c.Expected.size(); ++i)
            EXPECT_NEAR(std::stod(got[i]), c.Expected[i], 1e-12 * std::max(1.0, std::fabs(c.Expected[i]))) << i;
    }
    // The died-out share's Wilson interval (statsmodels' proportion_confint); GC of the living
    // leaves out the run whose sexual population was dead; one run in a set has no spread.
    const std::vector<std::string>& died = rows["1  asexual died_out"];
    EXPECT_EQ(std::vector<std::string>(died.begin(), died.begin() + 6),
              (std::vector<std::string>{"3", "1", "0.3333333333333333", "", "", ""}));
    EXPECT_NEAR(std::stod(died[6]), 0.06149194472039626, 1e-15);
    EXPECT_NEAR(std::stod(died[7]), 0.7923403991979523, 1e-15);
    EXPECT_EQ(rows["2 1 sexual living"], (std::vector<std::string>{"1", "3", "99", "", "99", "99", "", ""}));
    EXPECT_EQ(rows.size(), 20u + 14u);  // per set: 6 per generation, 3 per population, 2 differences
    EXPECT_DOUBLE_EQ(summary.Means(1).back().Living[0].Mean(), 125.0 / 3);
}

}  // namespace
