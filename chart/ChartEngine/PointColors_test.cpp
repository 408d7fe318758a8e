#include "chart/ChartEngine/PointColors.h"
#include "chart/ChartEngine/PointLabels.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Random insertions (mostly appends, as a line series makes them) against plain per-point
// lists: the stored colours, their runs and the labels must be the same after every step.
TEST(PointStorage, KeepsWhatPlainPerPointListsKeep)
{
    struct TCase {
        const char* Name;
        int Colours;         // distinct colours drawn from
        double OtherColour;  // chance of a colour other than the first
        double Label;        // chance of a non-empty label
        double Middle;       // chance of an insertion before the end
    };
    const TCase cases[] = {
        {"one colour, no labels", 1, 0, 0, 0},   {"one colour, inserted anywhere", 1, 0, 0, 0.3},
        {"a late other colour", 3, 0.002, 0, 0}, {"colour changes and labels", 3, 0.2, 0.1, 0.1},
        {"a late label", 1, 0, 0.002, 0.05},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> chance(0, 1);
        // The second round refills the cleared lists.
        TPointColors colours;
        TPointLabels labels;
        for (int round = 0; round < 2; ++round) {
            std::vector<TColor> plainColours;
            std::vector<std::optional<std::string>> plainLabels;
            for (int step = 0; step < 1500; ++step) {
                const auto count = static_cast<std::int32_t>(plainColours.size());
                const std::int32_t at =
                    chance(random) < c.Middle ? static_cast<std::int32_t>(random() % (count + 1)) : count;
                const TColor colour = chance(random) < c.OtherColour ? 0x10 + random() % c.Colours : 0x10 + round;
                const std::string label = chance(random) < c.Label ? std::to_string(step) : std::string();
                colours.Insert(at, colour);
                labels.Insert(at, label);
                plainColours.insert(plainColours.begin() + at, colour);
                plainLabels.insert(plainLabels.begin() + at,
                                   label.empty() ? std::nullopt : std::optional<std::string>(label));
                ASSERT_EQ(colours.Count(), count + 1);
                ASSERT_EQ(labels.Count(), count + 1);
            }
            std::int32_t runStart = 0;
            for (std::int32_t i = 0; i < colours.Count(); ++i) {
                const auto at = static_cast<std::size_t>(i);
                if (i > 0 && plainColours[at] != plainColours[at - 1])
                    runStart = i;
                ASSERT_EQ(colours.At(i), plainColours[at]) << i;
                ASSERT_EQ(colours.RunStart(i), runStart) << i;
                ASSERT_EQ(labels.At(i), plainLabels[at]) << i;
            }
            colours.Clear();
            labels.Clear();
            EXPECT_EQ(colours.Count(), 0);
            EXPECT_EQ(labels.Count(), 0);
        }
    }
}

}  // namespace
