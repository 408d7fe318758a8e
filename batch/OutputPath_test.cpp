#include "batch/OutputPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class OutputPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FFolder = std::filesystem::temp_directory_path() / ("kelvaro-output-" + std::to_string(getpid()));
        std::filesystem::create_directories(FFolder / "adir");
        FFolder = std::filesystem::canonical(FFolder);
        std::ofstream(FFolder / "old.csv") << "x";
        std::ofstream(FFolder / "plain.txt") << "x";
        std::filesystem::create_hard_link(FFolder / "old.csv", FFolder / "hard.csv");
        std::filesystem::create_symlink(FFolder / "old.csv", FFolder / "link.csv");
        std::filesystem::create_symlink(FFolder / "gone.csv", FFolder / "dangling.csv");
        std::filesystem::create_symlink(FFolder / "loop", FFolder / "loop");
    }
    void TearDown() override { std::filesystem::remove_all(FFolder); }
    std::string Path(const std::string& name) const { return (FFolder / name).string(); }

    std::filesystem::path FFolder;
};

TEST_F(OutputPathTest, TellsFilesFromStreamsAndRefusesWhatCannotTakeAFile)
{
    const std::string f = FFolder.string();
    const struct {
        std::string Path;
        TOutputKind Kind;
        std::string Target;  // or the message when refused
        bool Refused;
    } cases[] = {
        {f + "/new.csv", TOutputKind::File, f + "/new.csv", false},
        {f + "/adir/../new.csv", TOutputKind::File, f + "/new.csv", false},
        {f + "/old.csv", TOutputKind::File, f + "/old.csv", false},
        {f + "/link.csv", TOutputKind::File, f + "/old.csv", false},
        {"-", TOutputKind::StandardOutput, "-", false},
        {f + "/adir", {}, f + "/adir: ist ein Verzeichnis", true},
        {f + "/adir/", {}, f + "/adir/: ist ein Verzeichnis", true},
        {f + "/missing/t.csv", {}, f + "/missing/t.csv: Verzeichnis nicht vorhanden (" + f + "/missing)", true},
        {f + "/plain.txt/t.csv", {}, f + "/plain.txt/t.csv: Verzeichnis nicht vorhanden", true},
        {f + "/dangling.csv", {}, f + "/dangling.csv: symbolischer Verweis auf eine nicht vorhandene Datei", true},
        {f + "/loop", {}, f + "/loop: zu viele symbolische Verweise", true},
        {f + "/" + std::string(300, 'n'), {}, f + "/" + std::string(300, 'n') + ": Name zu lang", true},
        {"", {}, "'': leerer Dateiname", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        try {
            const TOutputPath output = CheckOutputPath(c.Path);
            EXPECT_FALSE(c.Refused);
            EXPECT_EQ(output.Kind, c.Kind);
            EXPECT_EQ(output.Target, c.Target);
        } catch (const EOutputPathError& e) {
            EXPECT_TRUE(c.Refused);
            EXPECT_EQ(e.Message, c.Target);
        }
    }
}

TEST_F(OutputPathTest, RefusesTwoOutputsThatAreOneFile)
{
    const std::string f = FFolder.string();
    const struct {
        std::vector<std::pair<std::string, std::string>> Outputs;
        std::string Message;  // empty: accepted
    } cases[] = {
        {{{"--output", f + "/a.csv"}, {"--summary", f + "/b.csv"}, {"--plot", "-"}}, ""},
        {{{"--output", f + "/a.csv"}, {"--summary", f + "/a.csv"}},
         "--summary " + f + "/a.csv: dieselbe Datei wie --output " + f + "/a.csv"},
        {{{"--output", f + "/a.csv"}, {"--summary", f + "/adir/../a.csv"}},
         "--summary " + f + "/adir/../a.csv: dieselbe Datei wie --output " + f + "/a.csv"},
        {{{"--output", f + "/old.csv"}, {"--summary", f + "/s.csv"}, {"--plot", f + "/hard.csv"}},
         "--plot " + f + "/hard.csv: dieselbe Datei wie --output " + f + "/old.csv"},
        {{{"--output", f + "/link.csv"}, {"--summary", f + "/old.csv"}},
         "--summary " + f + "/old.csv: dieselbe Datei wie --output " + f + "/link.csv"},
        {{{"--output", "-"}, {"--summary", "-"}}, "--summary -: dieselbe Datei wie --output -"},
        {{{"--output", f + "/a.csv"}, {"--plot", f + "/adir"}}, "--plot " + f + "/adir: ist ein Verzeichnis"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        try {
            CheckOutputPaths(c.Outputs);
            EXPECT_EQ(c.Message, "");
        } catch (const EOutputPathError& e) {
            EXPECT_EQ(e.Message, c.Message);
        }
    }
}

TEST(NumberedFile, PutsTheNumberBeforeTheExtensionOfTheName)
{
    EXPECT_EQ(NumberedFile("means.png", 3), "means-3.png");
    EXPECT_EQ(NumberedFile("out.d/means", 12), "out.d/means-12");
    EXPECT_EQ(NumberedFile("a.b.png", 1), "a.b-1.png");
}

}  // namespace
