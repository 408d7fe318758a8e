#include "batch/study/Dispatch.h"

#include "base/FloatEnvironment.h"
#include "batch/BatchOptions.h"
#include "batch/CheckedIo.h"
#include "batch/OutputPath.h"
#include "batch/study/AtomicFile.h"
#include "batch/study/Progress.h"
#include "batch/study/StudyPlan.h"
#include "batch/study/StudyTable.h"
#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct TResult {
    int Status;
    std::string Out;
    std::string Err;
};

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class StudyCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFloatEnvironment();
        FFolder = std::filesystem::temp_directory_path() / ("kelvaro-study-" + std::to_string(getpid()));
        std::filesystem::create_directories(FFolder);
    }
    void TearDown() override { std::filesystem::remove_all(FFolder); }

    static TResult Run(std::vector<std::string> args)
    {
        TStringSink out, err;
        const int status = RunCommandLine(args, out, err);
        return {status, out.Text, err.Text};
    }
    std::string File(const std::string& name) const { return (FFolder / name).string(); }

    TSeparatorFixture FSeparators;
    std::filesystem::path FFolder;
};

// The table's living and GC texts of one population, as the result box's lines.
std::string BoxLines(const std::string& table, const std::string& runPrefix, const std::string& population)
{
    std::string lines;
    std::stringstream rows(table);
    for (std::string row; std::getline(rows, row);) {
        if (row.rfind(runPrefix, 0) != 0)
            continue;
        // ...,generation,population,living,gc,died_out_at,error
        std::vector<std::string> f;
        std::string field;
        bool quoted = false;
        for (char c : row) {
            if (c == '"')
                quoted = !quoted;
            else if (c == ',' && !quoted)
                f.push_back(std::exchange(field, {}));
            else
                field += c;
        }
        if (f[9] == population)
            lines += f[10] + "; " + f[11] + "\n";
    }
    return lines;
}

TEST_F(StudyCommandTest, EveryReplicateIsThePlainRunWithItsSeed)
{
    for (const bool paired : {false, true}) {
        std::vector<std::string> args = {"--seed",           "4294967295", "--replicates", "2",
                                         "--generations",    "30",         "--sweep",      "kill-factor=0,5;1,5",
                                         "--mutation-limit", "20",         "--jobs",       "1"};
        if (paired)
            args.push_back("--paired");
        const TResult study = Run(args);
        ASSERT_EQ(study.Status, 0) << study.Err;
        const struct {
            int Set, Replicate;
            const char* KillFactor;
        } runs[] = {{1, 1, "0,5"}, {1, 2, "0,5"}, {2, 1, "1,5"}, {2, 2, "1,5"}};
        for (const auto& r : runs) {
            const std::uint32_t index = paired ? r.Replicate - 1 : 2 * (r.Set - 1) + r.Replicate - 1;
            const std::string seed = std::to_string(RunSeed(4294967295u, index));
            const std::string prefix = std::to_string(r.Set) + ',' + std::to_string(r.Replicate) + ',' + seed + ',';
            SCOPED_TRACE(prefix);
            const TResult plain =
                Run({"--seed", seed, "--generations", "30", "--kill-factor", r.KillFactor, "--mutation-limit", "20"});
            const std::size_t blank = plain.Out.find("\n\n");
            const std::string memo1 = plain.Out.substr(plain.Out.find('\n') + 1, blank - plain.Out.find('\n'));
            const std::string memo2 = plain.Out.substr(plain.Out.find('\n', blank + 2) + 1);
            EXPECT_EQ(BoxLines(study.Out, prefix, "sexual"), memo1);
            EXPECT_EQ(BoxLines(study.Out, prefix, "asexual"), memo2);
        }
    }
}

TEST_F(StudyCommandTest, SameOutputForAnyNumberOfJobsAndShardsMergeToTheWhole)
{
    const std::vector<std::string> study = {
        "--seed", "9",       "--replicates",        "3",       "--generations",  "40", "--every",
        "7",      "--sweep", "mutation-rate=1:3:2", "--sweep", "gene=acgt;;GGCC"};
    const auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), study.begin(), study.end());
        return more;
    };
    const TResult one = Run(with({"--jobs", "1", "--summary", File("s1.csv"), "--compare", File("c1.png")}));
    EXPECT_EQ(one.Status, 1);  // the empty gene's runs fail
    EXPECT_EQ(one.Err, "kelvaro-batch: 6 von 18 Läufen mit Fehler abgebrochen (Meldungen in der Tabelle).\n");
    for (const char* jobs : {"2", "4"}) {
        const TResult many = Run(with({"--jobs", jobs, "--output", File("t.csv"), "--summary", File("s.csv")}));
        EXPECT_EQ(many.Status, 1);
        EXPECT_EQ(ReadText(File("t.csv")), one.Out) << jobs;
        EXPECT_EQ(ReadText(File("s.csv")), ReadText(File("s1.csv"))) << jobs;
    }
    std::vector<std::string> merge = {"merge"};
    for (const char* shard : {"3/3", "1/3", "2/3"}) {
        const std::string part = File(std::string("part") + shard[0] + ".csv");
        EXPECT_EQ(Run(with({"--shard", shard, "--jobs", "2", "--output", part})).Status, 1);
        merge.push_back(part);
    }
    // A part given twice, or a part of another study, is refused.
    const TResult twice = Run({"merge", File("part1.csv"), File("part1.csv")});
    EXPECT_EQ(twice.Err, "kelvaro-batch: Teil 1/3 doppelt: " + File("part1.csv") + " und " + File("part1.csv") + "\n");
    EXPECT_EQ(Run(with({"--shard", "1/3", "--kill-factor", "2", "--output", File("other.csv")})).Status, 1);
    const TResult other = Run({"merge", File("part2.csv"), File("other.csv")});
    EXPECT_EQ(other.Err, "kelvaro-batch: " + File("other.csv") + ": andere Studie als " + File("part2.csv") +
                             " (Parametersätze)\n");
    // The comparison alone needs the summary all the same.
    std::vector<std::string> compare = merge;
    compare.insert(compare.end(), {"--output", File("mc.csv"), "--compare", File("mc.png")});
    EXPECT_EQ(Run(compare).Status, 1);
    EXPECT_EQ(ReadText(File("mc.png")), ReadText(File("c1.png")));
    merge.insert(merge.end(), {"--output", File("m.csv"), "--summary", File("ms.csv")});
    EXPECT_EQ(Run(merge).Status, 1);
    EXPECT_EQ(ReadText(File("m.csv")), one.Out);
    EXPECT_EQ(ReadText(File("ms.csv")), ReadText(File("s1.csv")));
    // Every 7th generation and the last; the failed runs leave one error row each.
    const std::string first = "\n1,1," + std::to_string(RunSeed(9, 0)) + ",ACGT,40,1,30,1,";
    EXPECT_NE(one.Out.find(first + "35,asexual,"), std::string::npos);
    EXPECT_NE(one.Out.find(first + "40,asexual,"), std::string::npos);
    EXPECT_EQ(one.Out.find(first + "36,"), std::string::npos);
    EXPECT_NE(
        one.Out.find("\n2,3," + std::to_string(RunSeed(9, 5)) + ",,40,1,30,1,,,,,,Fehler bei Gleitkomma-Operation\n"),
        std::string::npos);
}

TEST_F(StudyCommandTest, AnOverflowingKillFactorFailsEachRunAlone)
{
    const TResult r = Run({"--seed", "1", "--replicates", "2", "--sweep", "kill-factor=1e40;1", "--generations", "1",
                           "--jobs", "2", "--summary", File("s.csv")});
    EXPECT_EQ(r.Status, 1);
    // The good runs' counts are the plain runner's for their seeds.
    const auto prefix = [](int set, int replicate, const char* killFactor) {
        return std::to_string(set) + ',' + std::to_string(replicate) + ',' +
               std::to_string(RunSeed(1, static_cast<std::uint32_t>(2 * set + replicate - 3))) + ",AAATTCCCGG,1,3,30," +
               killFactor + ',';
    };
    EXPECT_EQ(r.Out, std::string(kStudyTableHeader) + prefix(1, 1, "1e40") +
                         ",,,,,Überlauf bei Gleitkomma-Operation\n" + prefix(1, 2, "1e40") +
                         ",,,,,Überlauf bei Gleitkomma-Operation\n" + prefix(2, 1, "1") + "1,sexual,51,50,,\n" +
                         prefix(2, 1, "1") + "1,asexual,59,50,,\n" + prefix(2, 2, "1") + "1,sexual,49,50,,\n" +
                         prefix(2, 2, "1") + "1,asexual,52,50,,\n");
    EXPECT_NE(ReadText(File("s.csv")).find("\n1,AAATTCCCGG,1,3,30,1e40,,sexual,died_out,0,2,,,,,,\n"),
              std::string::npos);
}

TEST_F(StudyCommandTest, FaultsStopBeforeAnyOutputAndHelpGoesToTheOutput)
{
    const struct {
        std::vector<std::string> Args;
        std::string Err;
    } cases[] = {
        {{"--replicates", "0"}, "ungültiger Wert für --replicates: '0' (ganze Zahl ab 1)\n" + std::string(kBatchUsage)},
        {{"--resume", "--output", "-"},
         "--resume braucht --output mit einer Datei, nicht einem Gerät, einer Pipe oder -\n" +
             std::string(kBatchUsage)},
        {{"merge", "missing.csv"}, "kann missing.csv nicht lesen: die Datei gibt es nicht\n"},
    };
    for (const auto& c : cases) {
        const TResult r = Run(c.Args);
        EXPECT_EQ(r.Status, 2) << c.Err;
        EXPECT_EQ(r.Err, "kelvaro-batch: " + c.Err);
        EXPECT_EQ(r.Out, "");
    }
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"merge", "a.csv", "--help"}}) {
        const TResult help = Run(args);
        EXPECT_EQ(help.Status, 0);
        EXPECT_EQ(help.Out, kBatchUsage);
        EXPECT_EQ(help.Err, "");
    }
}

TEST_F(StudyCommandTest, UnusableOutputsStopTheStudyBeforeItsFirstRun)
{
    std::filesystem::create_directories(FFolder / "adir");
    std::filesystem::create_directories(FFolder / "p-2.png");
    const std::string f = std::filesystem::canonical(FFolder).string();
    const std::vector<std::string> study = {"--replicates", "50", "--generations", "1000000", "--jobs", "1"};
    const struct {
        std::vector<std::string> Args;
        std::string Message;
    } cases[] = {
        {{"--output", f + "/same.csv", "--summary", f + "/same.csv"},
         "--summary " + f + "/same.csv: dieselbe Datei wie --output " + f + "/same.csv"},
        {{"--output", f + "/same.csv", "--plot", f + "/adir/../same.csv"},
         "--plot " + f + "/adir/../same.csv: dieselbe Datei wie --output " + f + "/same.csv"},
        {{"--summary", "-"}, "--summary -: dieselbe Datei wie --output -"},
        {{"--output", f + "/adir"}, "--output " + f + "/adir: ist ein Verzeichnis"},
        {{"--summary", f + "/nosuchdir/s.csv"},
         "--summary " + f + "/nosuchdir/s.csv: Verzeichnis nicht vorhanden (" + f + "/nosuchdir)"},
        {{"--plot", f + "/nosuchdir/p.png"},
         "--plot " + f + "/nosuchdir/p.png: Verzeichnis nicht vorhanden (" + f + "/nosuchdir)"},
        {{"--plot", f + "/p.png", "--sweep", "gene=A;C"}, "--plot " + f + "/p-2.png: ist ein Verzeichnis"},
        {{"--output", f + "/t.csv", "--plot", "-"},
         "--plot -: ein Bild nur in eine Datei, nicht auf ein Gerät, eine Pipe oder -"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = study;
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TResult r = Run(args);
        EXPECT_EQ(r.Status, 2) << c.Message;
        EXPECT_EQ(r.Err, "kelvaro-batch: " + c.Message + "\n");
        EXPECT_EQ(r.Out, "");
    }
    // A plain run's picture too.
    EXPECT_EQ(Run({"--generations", "3", "--plot", f + "/adir"}).Err,
              "kelvaro-batch: --plot " + f + "/adir: ist ein Verzeichnis\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FFolder), {}), 2);
}

TEST_F(StudyCommandTest, ALinkPlantedUnderATemporaryNameIsNeverFollowed)
{
    const std::string victim = File("victim.txt");
    std::ofstream(victim) << "keep";
    for (const std::string& name : {"t.csv.tmp" + std::to_string(getpid()), std::string("t.csv.tmp")})
        std::filesystem::create_symlink(victim, File(name));
    const TResult r = Run({"--seed", "1", "--replicates", "2", "--generations", "3", "--output", File("t.csv")});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(ReadText(victim), "keep");
    EXPECT_EQ(ReadText(File("t.csv")).substr(0, 4), "set,");
}

TEST_F(StudyCommandTest, PlainRunsPrintTheSameWithTheirPictures)
{
    for (std::vector<std::string> args :
         {std::vector<std::string>{"--seed", "3", "--generations", "12", "--decimal-separator", "."},
          {"--generations", "abc"},
          {"--bogus"}}) {
        const TResult plain = Run(args);
        args.insert(args.end(), {"--plot", File("p.png")});
        const TResult pictured = Run(args);
        EXPECT_EQ(pictured.Status, plain.Status);
        if (plain.Status != 2) {
            EXPECT_EQ(pictured.Out, plain.Out);
        }
    }
    EXPECT_NE(Run({"--seed", "0", "--generations", "3", "--decimal-separator", "."}).Out.find("49; 49.9000000000233\n"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(File("p.png")));
}

TEST_F(StudyCommandTest, FilesAppearUnderTheirNamesOnlyWhenComplete)
{
    const std::string name = File("table.csv");
    {
        TAtomicFile file(name);
        file.Sink().Write("half");
        EXPECT_FALSE(std::filesystem::exists(name));
    }
    EXPECT_TRUE(std::filesystem::is_empty(FFolder));  // abandoned: the temporary file is gone too
    TAtomicFile file(name);
    file.Sink().Write("whole");
    file.Commit();
    EXPECT_EQ(ReadText(name), "whole");
    EXPECT_THROW(TAtomicFile(File("no/such/folder.csv")), EOutputPathError);

    // An interrupted writer leaves neither the file nor its temporary.
    std::filesystem::remove(name);
    const pid_t writer = fork();
    if (writer == 0) {
        TAtomicFile interrupted(name);
        interrupted.Sink().Write("half");
        std::raise(SIGINT);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    EXPECT_TRUE(std::filesystem::is_empty(FFolder));
}

TEST(Progress, DrawsOnATerminalOnly)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::FILE* terminal = std::fopen(ptsname(master), "w");
    std::FILE* file = std::tmpfile();
    ASSERT_TRUE(terminal && file);
    for (std::FILE* stream : {terminal, file}) {
        TProgress progress(2, 1000, stream);
        progress.RunDone(500);
        progress.RunDone(500);
    }
    std::fclose(terminal);
    char shown[256] = {};
    const ssize_t length = read(master, shown, sizeof shown - 1);
    close(master);
    EXPECT_NE(std::string(shown, length > 0 ? static_cast<std::size_t>(length) : 0)
                  .find("[##############################] 2/2 Läufe, "),
              std::string::npos);
    EXPECT_EQ(std::ftell(file), 0);
    std::fclose(file);
}

}  // namespace
