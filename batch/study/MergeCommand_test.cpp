#include "batch/study/Dispatch.h"

#include "base/FloatEnvironment.h"
#include "testing/app/SeparatorFixture.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Replaces field `column` (from 1) of line `line` (from 1) of a CSV text, quotes included.
std::string WithField(std::string text, int line, int column, const std::string& value)
{
    std::size_t start = 0;
    for (int l = 1; l < line; ++l)
        start = text.find('\n', start) + 1;
    bool quoted = false;
    for (int c = 1; c < column; ++start)
        if (text[start] == '"')
            quoted = !quoted;
        else if (text[start] == ',' && !quoted)
            ++c;
    std::size_t end = start;
    for (quoted = false; quoted || (text[end] != ',' && text[end] != '\n'); ++end)
        if (text[end] == '"')
            quoted = !quoted;
    return text.replace(start, end - start, value);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class MergeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFloatEnvironment();
        FFolder = std::filesystem::temp_directory_path() / ("kelvaro-merge-" + std::to_string(getpid()));
        std::filesystem::create_directories(FFolder);
    }
    void TearDown() override { std::filesystem::remove_all(FFolder); }

    static int Run(std::vector<std::string> args, std::string* err = nullptr)
    {
        TStringSink out, errors;
        const int status = RunCommandLine(args, out, errors);
        EXPECT_EQ(out.Text, "");
        if (err)
            *err = errors.Text;
        return status;
    }
    std::string File(const std::string& name) const { return (FFolder / name).string(); }
    // Shard K/2 of the study, or the whole study for K = 0, with `more` options.
    void Study(int shard, const std::string& file, std::vector<std::string> more = {}) const
    {
        std::vector<std::string> args = {"--seed",
                                         "5",
                                         "--replicates",
                                         "2",
                                         "--generations",
                                         "12",
                                         "--every",
                                         "5",
                                         "--sweep",
                                         "kill-factor=0,5;20",
                                         "--sweep",
                                         "gene=AAATTCCCGG;",
                                         "--decimal-separator",
                                         ",",
                                         "--jobs",
                                         "1",
                                         "--output",
                                         File(file)};
        if (shard > 0)
            args.insert(args.end(), {"--shard", std::to_string(shard) + "/2"});
        args.insert(args.end(), more.begin(), more.end());
        EXPECT_EQ(Run(args), 1);  // the empty gene's runs fail
    }

    TSeparatorFixture FSeparators;
    std::filesystem::path FFolder;
};

using TDamage = std::function<void(std::string& table, std::string& descriptor)>;

TEST_F(MergeTest, RefusesEveryDamagedPartWithOneLineAndWritesNothing)
{
    Study(0, "whole.csv");
    Study(1, "part1.csv");
    Study(2, "part2.csv");
    Study(2, "seed.csv", {"--seed", "6"});
    Study(2, "every.csv", {"--every", "4"});
    std::filesystem::copy_file(File("whole.csv"), File("bare.csv"));
    const std::string table = ReadText(File("part2.csv"));
    const std::string descriptor = ReadText(File("part2.csv.datapackage.json"));
    const auto field = [](int line, int column, const std::string& value) -> TDamage {
        return [=](std::string& t, std::string&) { t = WithField(t, line, column, value); };
    };
    const auto cut = [](std::size_t bytes) -> TDamage {
        return [=](std::string& t, std::string&) { t.resize(bytes); };
    };
    const auto lineStart = [&](int line) {
        std::size_t start = 0;
        for (int i = 1; i < line; ++i)
            start = table.find('\n', start) + 1;
        return start;
    };
    const std::size_t line8 = lineStart(8);
    const std::size_t line9 = lineStart(9);
    const struct {
        const char* Name;
        TDamage Damage;
        std::string Message;  // a part of the one line
    } cases[] = {
        {"truncated in a row", cut(line9 + 20), "part2.csv: abgeschnitten in Lauf 3/2, Zeile 9"},
        {"truncated in a run", cut(lineStart(11)), "abgeschnitten in Lauf 3/2, Zeile 10 (2 fehlende Läufe: 3/2, 4/2)"},
        {"truncated between runs", cut(line9), "part2.csv: endet vor Lauf 3/2 (2 fehlende Läufe: 3/2, 4/2)"},
        {"no final line break", cut(table.size() - 1), "abgeschnitten in Lauf 4/2, Zeile 15"},
        {"other version", [](std::string&, std::string& d) { d = Replaced(d, "\"version\": \"", "\"version\": \"9"); },
         "andere Studie als"},
        {"checksum", [](std::string&, std::string& d) { d = Replaced(d, "sha256:", "sha256:0"); },
         "keine Beschreibung einer Studientabelle (hash ist kein sha256)"},
        {"changed value", field(3, 11, "99"),
         "part2.csv: Größe oder Prüfsumme (sha256) weicht von der Beschreibung ab"},
        {"gc not a number", field(2, 12, "abc"), "Zeile 2, Spalte 12 (gc): 'abc' ist kein GC-Gehalt"},
        {"gc empty", field(2, 12, ""), "Zeile 2, Spalte 12 (gc)"},
        {"gc glued", field(3, 12, "5x5"), "Zeile 3, Spalte 12 (gc)"},
        {"gc other separator", field(3, 12, "50.5"), "Zeile 3, Spalte 12 (gc)"},
        {"gc out of range", field(3, 12, "\"1000,5\""), "Zeile 3, Spalte 12 (gc)"},
        {"gc unquoted comma", field(2, 12, "50,0999999999767"), "Zeile 2, Spalte 15 (error): mehr als 14 Spalten"},
        {"gc quoted without need", field(3, 12, "\"50\""), "Zeile 3, Spalte 12 (gc): anders geschrieben"},
        {"living negative", field(2, 11, "-7"), "Zeile 2, Spalte 11 (living): '-7' ist keine Anzahl 0 bis 100"},
        {"living too many", field(2, 11, "100000"), "Zeile 2, Spalte 11 (living)"},
        {"living leading zero", field(2, 11, "0100"), "Zeile 2, Spalte 11 (living)"},
        {"set out of range", field(2, 1, "2147483647"), "Zeile 2, Spalte 1 (set): Lauf 1/2 erwartet"},
        {"replicate zero", field(2, 2, "0"), "Zeile 2, Spalte 2 (replicate)"},
        {"seed off the rule", field(2, 3, "7"), "Zeile 2, Spalte 3 (seed): Seed '7' folgt nicht der Regel"},
        {"gene changes in a run", field(4, 4, "AAATTCCCGC"),
         "Zeile 4, Spalte 4 (gene): anders als in der Beschreibung"},
        {"negative generation", field(2, 9, "-5"), "Zeile 2, Spalte 9 (generation): Generation '-5' statt 5"},
        {"rows out of order",
         [&](std::string& t, std::string&) {
             t = t.substr(0, lineStart(2)) + t.substr(lineStart(3), lineStart(4) - lineStart(3)) +
                 t.substr(lineStart(2), lineStart(3) - lineStart(2)) + t.substr(lineStart(4));
         },
         "Zeile 2, Spalte 10 (population): 'asexual' statt sexual"},
        {"population name", field(2, 10, "Sexual"), "Zeile 2, Spalte 10 (population)"},
        {"died out while living", field(2, 13, "3"),
         "Zeile 2, Spalte 13 (died_out_at): '3' passt nicht zu 100 Lebenden"},
        {"living without dying out", field(13, 13, ""), "Zeile 13, Spalte 13 (died_out_at)"},
        {"died out later than recorded", field(13, 13, "13"),
         "Zeile 13, Spalte 13 (died_out_at): '13' ist nicht die Generation"},
        {"died out moves", field(11, 13, "3"), "Zeile 11, Spalte 13 (died_out_at)"},
        {"error row with measures", field(8, 11, "5"), "Zeile 8, Spalte 11 (living): nicht leer in der Fehlerzeile"},
        {"a row after the error row",
         [&](std::string& t, std::string&) { t.insert(line9, t.substr(line8, line9 - line8)); },
         "Zeile 9, Spalte 1 (set): Lauf 3/2 erwartet"},
        {"glued lines", [&](std::string& t, std::string&) { t.erase(line9 - 1, 1); }, "Zeile 8, Spalte 15"},
        {"quote spanning lines", field(2, 12, "\"50,0999999999767\n\""),
         "Zeile 2, Spalte 12 (gc): Anführungszeichen wird erst in einer späteren Zeile geschlossen"},
        {"CRLF", [](std::string& t, std::string&) { t = Replaced(t, "\n", "\r\n"); },
         "Zeile 1, Spalte 14 (error): Zeilenende CR LF"},
        {"CR in a row", field(3, 14, "\r"), "Zeile 3, Spalte 14 (error): Zeilenende CR LF"},
        {"not UTF-8", field(8, 14, "Fehler \xff"), "Zeile 8, Spalte 14 (error): kein UTF-8"},
        {"a line longer than any row", [](std::string& t, std::string&) { t += std::string(100000, ','); },
         "Zeile 16: länger als jede Zeile einer Studientabelle"},
        {"trailing row", [&](std::string& t, std::string&) { t += t.substr(line8, line9 - line8); },
         "Zeile 16, Spalte 1 (set): Zeile nach dem letzten Lauf"},
        {"no descriptor", [](std::string&, std::string& d) { d = "{}"; }, "kelvaro fehlt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string damaged = table, described = descriptor;
        c.Damage(damaged, described);
        WriteText(File("part2.csv"), damaged);
        WriteText(File("part2.csv.datapackage.json"), described);
        std::string err;
        EXPECT_EQ(
            Run({"merge", File("part1.csv"), File("part2.csv"), "--output", File("m.csv"), "--summary", File("s.csv")},
                &err),
            2);
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_EQ(err.rfind("kelvaro-batch: ", 0), 0u) << err;
        EXPECT_NE(err.find(c.Message), std::string::npos) << err;
        EXPECT_FALSE(std::filesystem::exists(File("m.csv")));
        EXPECT_FALSE(std::filesystem::exists(File("s.csv")));
    }
    WriteText(File("part2.csv"), table);
    WriteText(File("part2.csv.datapackage.json"), descriptor);
    // Gzip parts, cut short and with a byte changed, described as when whole.
    Study(2, "part2.csv.gz");
    const std::string zipped = ReadText(File("part2.csv.gz"));
    std::string changed = zipped;
    changed[changed.size() / 2] = static_cast<char>(changed[changed.size() / 2] ^ 0x55);
    for (const auto& [name, bytes] :
         {std::pair<std::string, std::string>{"cut.csv.gz", zipped.substr(0, 200)}, {"changed.csv.gz", changed}}) {
        WriteText(File(name), bytes);
        std::filesystem::copy_file(File("part2.csv.gz.datapackage.json"), File(name + ".datapackage.json"));
    }
    const struct {
        std::vector<std::string> Parts;
        std::string Message;
    } mismatches[] = {
        {{File("part1.csv")}, "Teil 2/2 fehlt (4 fehlende Läufe: 1/2, 2/2, 3/2, 4/2)"},
        {{File("part1.csv"), File("part1.csv")}, "Teil 1/2 doppelt"},
        {{File("part1.csv"), File("seed.csv")},
         "seed.csv: andere Studie als " + File("part1.csv") + " (--seed 6 statt 5)"},
        {{File("part1.csv"), File("every.csv")}, "(--every 4 statt 5)"},
        {{File("part1.csv"), File("whole.csv")}, "whole.csv: Teil 1/1, "},
        {{File("part1.csv"), FFolder.string()}, "kann " + FFolder.string() + " nicht lesen: ein Ordner"},
        {{"/proc/self/mem"}, "kann /proc/self/mem nicht lesen: Lesefehler"},
        {{File("bare.csv")}, "kann " + File("bare.csv") + ".datapackage.json nicht lesen: die Datei gibt es nicht"},
        {{File("none.csv")}, "kann " + File("none.csv") + " nicht lesen: die Datei gibt es nicht"},
        {{File("part1.csv"), File("cut.csv.gz")}, File("cut.csv.gz") + ": gzip-Daten abgeschnitten"},
        {{File("part1.csv"), File("changed.csv.gz")}, File("changed.csv.gz") + ": keine gültigen gzip-Daten"},
    };
    for (const auto& m : mismatches) {
        std::vector<std::string> args = {"merge"};
        args.insert(args.end(), m.Parts.begin(), m.Parts.end());
        args.insert(args.end(), {"--output", File("m.csv")});
        std::string err;
        EXPECT_EQ(Run(args, &err), 2) << m.Message;
        EXPECT_EQ(err.rfind("kelvaro-batch: ", 0), 0u) << err;
        EXPECT_NE(err.find(m.Message), std::string::npos) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_FALSE(std::filesystem::exists(File("m.csv")));
    }
}

TEST_F(MergeTest, PartialMergeSaysWhatIsMissingAndMergesAgainToItself)
{
    Study(0, "whole.csv");
    Study(1, "part1.csv");
    Study(2, "part2.csv");
    std::string err;
    ASSERT_EQ(Run({"merge", File("part2.csv"), File("part1.csv"), "--output", File("m.csv")}, &err), 1) << err;
    EXPECT_EQ(ReadText(File("m.csv")), ReadText(File("whole.csv")));
    // Gzip parts are read as the tables inside them, a merge into gzip as well.
    Study(2, "part2.csv.gz");
    ASSERT_EQ(Run({"merge", File("part2.csv.gz"), File("part1.csv"), "--output", File("m.csv.gz")}, &err), 1) << err;
    ASSERT_EQ(Run({"merge", File("m.csv.gz"), "--output", File("again.csv")}, &err), 1) << err;
    EXPECT_EQ(ReadText(File("again.csv")), ReadText(File("whole.csv")));

    const std::string table = ReadText(File("part2.csv"));
    WriteText(File("part2.csv"),
              table.substr(0, table.rfind('\n', table.find(",AAATTCCCGG,12,3,30,20,10,sexual")) + 1));
    EXPECT_EQ(Run({"merge", File("part1.csv"), File("part2.csv"), "--allow-partial", "--output", File("p.csv")}, &err),
              1);
    EXPECT_NE(err.find("kelvaro-batch: merge --allow-partial: " + File("part2.csv") +
                       ": abgeschnitten in Lauf 3/2, Zeile 10 (2 fehlende Läufe: 3/2, 4/2)\n"),
              std::string::npos)
        << err;
    const std::string partial = ReadText(File("p.csv"));
    EXPECT_EQ(partial.find("\n3,2,"), std::string::npos);
    EXPECT_NE(partial.find("\n4,1,"), std::string::npos);
    EXPECT_NE(
        ReadText(File("p.csv.datapackage.json")).find("\"missing\": [\n                [\n                    3,\n"),
        std::string::npos);

    EXPECT_EQ(Run({"merge", File("p.csv"), "--output", File("again.csv")}, &err), 2);
    EXPECT_NE(err.find("laut Beschreibung 2 fehlende Läufe"), std::string::npos) << err;
    EXPECT_EQ(Run({"merge", File("p.csv"), "--allow-partial", "--output", File("again.csv")}), 1);
    EXPECT_EQ(ReadText(File("again.csv")), partial);
}

TEST_F(MergeTest, EveryFileIsDescribedBesideIt)
{
    Study(0, "whole.csv", {"--summary", File("whole-summary.csv")});
    Study(1, "part1.csv");
    Study(2, "part2.csv");
    ASSERT_EQ(
        Run({"merge", File("part1.csv"), File("part2.csv"), "--output", File("m.csv"), "--summary", File("ms.csv")}),
        1);
    const struct {
        const char* File;
        const char* Resource;
        int Shard;
        int Shards;
        const char* Argument;  // one of its command line
    } files[] = {{"whole.csv", "table", 1, 1, "--replicates"},
                 {"whole-summary.csv", "summary", 1, 1, "--summary"},
                 {"part2.csv", "table", 2, 2, "2/2"},
                 {"m.csv", "table", 1, 1, "merge"},
                 {"ms.csv", "summary", 1, 1, "merge"}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.File);
        const QByteArray bytes = QByteArray::fromStdString(ReadText(File(f.File)));
        const QJsonObject package =
            QJsonDocument::fromJson(
                QByteArray::fromStdString(ReadText(File(std::string(f.File) + ".datapackage.json"))))
                .object();
        const QJsonObject resource = package["resources"].toArray()[0].toObject();
        const QJsonObject kelvaro = package["kelvaro"].toObject();
        EXPECT_EQ(resource["name"].toString().toStdString(), f.Resource);
        EXPECT_EQ(resource["path"].toString().toStdString(), f.File);
        EXPECT_EQ(resource["bytes"].toInteger(), bytes.size());
        EXPECT_EQ(resource["hash"].toString(),
                  "sha256:" + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        EXPECT_EQ(resource["schema"].toObject()["fields"].toArray()[0].toObject()["name"].toString().toStdString(),
                  "set");
        EXPECT_EQ(kelvaro["shard"].toObject()["index"].toInt(), f.Shard);
        EXPECT_EQ(kelvaro["shard"].toObject()["count"].toInt(), f.Shards);
        EXPECT_EQ(kelvaro["seed"].toObject()["base"].toInt(), 5);
        EXPECT_EQ(kelvaro["study"].toObject()["sets"].toArray().size(), 4);
        EXPECT_EQ(kelvaro["runs"].toObject()["held"].toInt(), f.Shards == 2 ? 4 : 8);
        EXPECT_TRUE(kelvaro["command_line"].toArray().contains(QString(f.Argument)));
    }
}

}  // namespace
