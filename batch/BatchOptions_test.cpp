#include "batch/BatchOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TBatchOptions Parse(std::vector<std::string> args)
{
    return ParseBatchOptions(args);
}

TEST(ParseBatchOptions, DefaultsAreTheMainWindowsFields)
{
    const TBatchOptions options = Parse({});
    EXPECT_EQ(options.Fields.Edit1, "AAATTCCCGG");
    EXPECT_EQ(options.Fields.Edit2, "500");
    EXPECT_EQ(options.Fields.Edit3, "1");
    EXPECT_EQ(options.Fields.Edit4, "30");
    EXPECT_EQ(options.Fields.Edit5, "3");
    EXPECT_FALSE(options.Fields.Seed);
    EXPECT_FALSE(options.DecimalSeparator);
    EXPECT_FALSE(options.Format);
    EXPECT_FALSE(options.Help);
}

TEST(ParseBatchOptions, TakesValuesInBothFormsAndKeepsFieldTextsAsGiven)
{
    const TBatchOptions options =
        Parse({"--generations", "-5", "--kill-factor=", "--mutation-limit", "--mutation-rate", "--mutation-rate= 2,5 ",
               "--gene", "aßc", "--seed=4294967295", "--decimal-separator", "·", "--format=csv"});
    EXPECT_EQ(options.Fields.Edit2, "-5");
    EXPECT_EQ(options.Fields.Edit3, "");
    EXPECT_EQ(options.Fields.Edit4, "--mutation-rate");
    EXPECT_EQ(options.Fields.Edit5, " 2,5 ");
    EXPECT_EQ(options.Fields.Edit1, "AßC");
    EXPECT_EQ(options.Fields.Seed, 4294967295u);
    EXPECT_EQ(options.DecimalSeparator, U'·');
    EXPECT_EQ(options.Format, TOutputFormat::Csv);
}

TEST(ParseBatchOptions, HelpWinsOverWhatFollows)
{
    EXPECT_TRUE(Parse({"--seed", "1", "--help", "--bogus"}).Help);
}

TEST(ParseBatchOptions, RejectsMalformedCommandLines)
{
    const std::string kUnfit = "--decimal-separator: Ziffern, Vorzeichen, E, Leer- und Steuerzeichen gehen nicht: ";
    const struct {
        std::vector<std::string> Args;
        std::string Message;
    } cases[] = {
        {{"--bogus"}, "unbekannte Option: '--bogus'"},
        {{"generations"}, "unbekannte Option: 'generations'"},
        {{"--help=yes"}, "unbekannte Option: '--help=yes'"},
        {{"--seed"}, "Wert fehlt für --seed"},
        {{"--seed", "-1"}, "ungültiger Wert für --seed: '-1'"},
        {{"--seed", "4294967296"}, "ungültiger Wert für --seed: '4294967296'"},
        {{"--seed="}, "ungültiger Wert für --seed: ''"},
        {{"--decimal-separator", ",,"}, "--decimal-separator braucht genau ein Zeichen: ',,'"},
        {{"--decimal-separator="}, "--decimal-separator braucht genau ein Zeichen: ''"},
        {{"--decimal-separator", "7"}, kUnfit + "U+0037"},
        {{"--decimal-separator", "E"}, kUnfit + "U+0045"},
        {{"--decimal-separator", "e"}, kUnfit + "U+0065"},
        {{"--decimal-separator", "+"}, kUnfit + "U+002B"},
        {{"--decimal-separator", "-"}, kUnfit + "U+002D"},
        {{"--decimal-separator", " "}, kUnfit + "U+0020"},
        {{"--decimal-separator", "\n"}, kUnfit + "U+000A"},
        {{"--decimal-separator", "\x7F"}, kUnfit + "U+007F"},
        {{"--decimal-separator", "\u00A0"}, kUnfit + "U+00A0"},
        {{"--decimal-separator", "\u2009"}, kUnfit + "U+2009"},
        {{"--format", "json"}, "unbekanntes Format: 'json' (memo oder csv)"},
        {{"--gene", "AAATTCCCGGA"}, "--gene: höchstens 10 Zeichen: 'AAATTCCCGGA'"},
    };
    for (const auto& c : cases) {
        try {
            Parse(c.Args);
            ADD_FAILURE() << "accepted: " << c.Args.front();
        } catch (const EUsageError& e) {
            EXPECT_EQ(e.Message, c.Message);
        }
    }
    // Ten characters are fine even when some take several bytes.
    EXPECT_EQ(Parse({"--gene", "ääääääääää"}).Fields.Edit1, "ÄÄÄÄÄÄÄÄÄÄ");
}

}  // namespace
