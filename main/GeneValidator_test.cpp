#include "main/GeneValidator.h"

#include <gtest/gtest.h>

namespace {

TEST(GeneValidator, UpperCasesEachCharacterAndKeepsTheLength)
{
    const struct {
        const char* Typed;
        const char* Shown;
    } cases[] = {
        {"acg", "ACG"},
        {"AaTt", "AATT"},
        {"straße", "STRAßE"}, // "ß" has no one-letter upper case
        {"äöü", "ÄÖÜ"},
        {"x1-", "X1-"},
    };
    TGeneValidator validator;
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.Typed);
        int pos = static_cast<int>(text.size());
        EXPECT_EQ(validator.validate(text, pos), QValidator::Acceptable);
        EXPECT_EQ(text, QString::fromUtf8(c.Shown));
        EXPECT_EQ(pos, text.size());
    }
}

} // namespace
