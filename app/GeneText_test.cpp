#include "app/GeneText.h"

#include <gtest/gtest.h>

namespace {

TEST(UpperCaseGene, MapsEachCharacterOnItsOwn)
{
    const struct {
        const char* Gene;
        const char* Upper;
    } cases[] = {
        {"acg", "ACG"}, {"AaTtCcGg", "AATTCCGG"},
        {"äöü", "ÄÖÜ"}, {"ßa", "ßA"},  // upper case "SS" would be two characters
        {"1-x", "1-X"}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpperCaseGene(std::string_view(c.Gene)), c.Upper) << c.Gene;
}

}  // namespace
