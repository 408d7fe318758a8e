#include "batch/study/CommandLine.h"

#include "app/FormatSettings.h"
#include "app/Utf8.h"
#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void Add(std::string& text, const std::string& name, const std::optional<std::string>& value)
{
    if (value)
        text += " " + name + "=" + *value;
}

void AddFiles(std::string& text, const std::optional<std::string>& output, const std::optional<std::string>& summary,
              const TPictureOptions& picture)
{
    Add(text, "output", output);
    Add(text, "summary", summary);
    Add(text, "plot", picture.File);
    Add(text, "compare", picture.Compare);
    if (picture.Width != TPictureOptions().Width || picture.Height != TPictureOptions().Height)
        Add(text, "size", std::to_string(picture.Width) + "x" + std::to_string(picture.Height));
    text += picture.View3D ? " 3d" : "";
}

// What the line holds beside the defaults, in a fixed order.
std::string Describe(const TCommandLine& line)
{
    static const char* const kCommands[] = {"run", "study", "merge", "help"};
    std::string text = kCommands[static_cast<int>(line.Command)];
    const TRunFields& f = line.Run.Fields;
    const TRunFields plain;
    const auto changed = [](const std::string& value, const std::string& plainValue) {
        return value == plainValue ? std::nullopt : std::optional(value);
    };
    Add(text, "gene", changed(f.Gene, plain.Gene));
    Add(text, "generations", changed(f.Generations, plain.Generations));
    Add(text, "mutation-rate", changed(f.MutationRate, plain.MutationRate));
    Add(text, "mutation-limit", changed(f.MutationLimit, plain.MutationLimit));
    Add(text, "kill-factor", changed(f.KillFactor, plain.KillFactor));
    if (f.Seed)
        Add(text, "seed", std::to_string(*f.Seed));
    if (line.Run.Format)
        Add(text, "format", *line.Run.Format == TOutputFormat::Csv ? "csv" : "memo");
    if (line.Run.DecimalSeparator)
        Add(text, "separator", EncodeUtf8(std::u32string(1, *line.Run.DecimalSeparator)));
    const TStudyOptions& s = line.Study;
    Add(text, "replicates", changed(std::to_string(s.Replicates), "1"));
    for (const TSweep& sweep : s.Sweeps) {
        std::string values;
        for (const std::string& value : sweep.Values)
            values += (values.empty() ? "" : "|") + value;
        Add(text, "sweep" + std::to_string(sweep.Parameter), values);
    }
    Add(text, "every", changed(std::to_string(s.Every), "1"));
    Add(text, "jobs", changed(std::to_string(s.Jobs), "0"));
    Add(text, "shard", changed(std::to_string(s.ShardIndex + 1) + "/" + std::to_string(s.ShardCount), "1/1"));
    text += std::string(s.Paired ? " paired" : "") + (s.DryRun ? " dry-run" : "") + (s.Yes ? " yes" : "") +
            (s.Resume ? " resume" : "");
    AddFiles(text, s.Output, s.Summary, s.Picture);
    for (const std::string& file : line.Merge.Files)
        text += " [" + file + "]";
    AddFiles(text, line.Merge.Output, line.Merge.Summary, line.Merge.Picture);
    return text + (line.Merge.AllowPartial ? " allow-partial" : "");
}

// Each line gives what it reads to, or "!" and the first fault's message.
TEST(ParseCommandLine, ReadsEveryCommandOrNamesTheFirstFault)
{
    TSeparatorFixture separators;
    DecimalSeparator = U',';
    const std::string kUnfit = "!--decimal-separator: Ziffern, Vorzeichen, E, Leer- und Steuerzeichen gehen nicht: ";
    const struct {
        std::vector<std::string> Args;
        std::string Read;
    } cases[] = {
        // A plain run: both forms; the next argument is the value whatever it starts with.
        {{}, "run"},
        {{"--generations", "-5", "--kill-factor=", "--mutation-limit", "--mutation-rate", "--mutation-rate= 2,5 ",
          "--gene", "aßc", "--seed=4294967295", "--decimal-separator", "·", "--format=csv"},
         "run gene=AßC generations=-5 mutation-rate= 2,5  mutation-limit=--mutation-rate kill-factor= "
         "seed=4294967295 format=csv separator=·"},
        {{"--gene", "ääääääääää", "--seed", "0"}, "run gene=ÄÄÄÄÄÄÄÄÄÄ seed=0"},
        {{"--mutation-limit", "x", "--plot", "p.png", "--size", "300×200", "--3d"},
         "run mutation-limit=x plot=p.png size=300x200 3d"},  // a plain run's texts fail when it runs
        {{"--bogus"}, "!unbekannte Option: '--bogus'"},
        {{"generations"}, "!unbekannte Option: 'generations'"},
        {{"--seed", "1", "merge"}, "!unbekannte Option: 'merge'"},
        {{"--yes=1"}, "!unbekannte Option: '--yes=1'"},
        {{"--allow-partial"}, "!unbekannte Option: '--allow-partial'"},
        {{"--seed"}, "!Wert fehlt für --seed"},
        {{"--seed", "-1"}, "!ungültiger Wert für --seed: '-1'"},
        {{"--seed", "4294967296"}, "!ungültiger Wert für --seed: '4294967296'"},
        {{"--seed="}, "!ungültiger Wert für --seed: ''"},
        {{"--decimal-separator", ",,"}, "!--decimal-separator braucht genau ein Zeichen: ',,'"},
        {{"--decimal-separator="}, "!--decimal-separator braucht genau ein Zeichen: ''"},
        {{"--decimal-separator", "7"}, kUnfit + "U+0037"},
        {{"--decimal-separator", "e"}, kUnfit + "U+0065"},
        {{"--decimal-separator", "-"}, kUnfit + "U+002D"},
        {{"--decimal-separator", "\n"}, kUnfit + "U+000A"},
        {{"--decimal-separator", "\u00A0"}, kUnfit + "U+00A0"},
        {{"--decimal-separator", "\u2009"}, kUnfit + "U+2009"},
        {{"--format", "json"}, "!unbekanntes Format: 'json' (memo oder csv)"},
        {{"--gene", "AAATTCCCGGA"}, "!--gene: höchstens 10 Zeichen: 'AAATTCCCGGA'"},
        // Help ends the reading: faults before it in a plain run's options count, a study's do not.
        {{"--seed", "1", "--replicates", "0", "--help", "--bogus"}, "help seed=1"},
        {{"--seed", "x", "--help"}, "!ungültiger Wert für --seed: 'x'"},
        {{"--help=yes"}, "!unbekannte Option: '--help=yes'"},
        // A study: its options after the plain run's, in their order, then what they tell together.
        {{"--replicates=2", "--sweep", "kill-factor=0,5;1,5", "--sweep", "generations=10:4:-3", "--every", "7",
          "--paired", "--output", "t.csv", "--jobs", "3", "--shard", "2/3", "--dry-run", "--yes", "--resume"},
         "study replicates=2 sweep4=0,5|1,5 sweep1=10|7|4 every=7 jobs=3 shard=2/3 paired dry-run yes resume "
         "output=t.csv"},
        {{"--sweep", "mutation-rate=1:2:0.5", "--decimal-separator", "."}, "study separator=. sweep2=1|1.5|2"},
        {{"--sweep", "gene=acgt;;GG", "--compare", "c.png", "--summary", "-"},
         "study sweep0=ACGT||GG summary=- compare=c.png"},
        {{"--sweep", "mutation-rate=1:2:0.5"}, "!'0.5' ist kein gültiger Gleitkommawert (--mutation-rate)"},
        {{"--replicates", "0", "--seed", "x"}, "!ungültiger Wert für --seed: 'x'"},
        {{"--3d", "--replicates", "0", "--sweep", "speed"}, "!ungültiger Wert für --replicates: '0' (ganze Zahl ab 1)"},
        {{"--jobs", "2x"}, "!ungültiger Wert für --jobs: '2x' (ganze Zahl ab 1)"},
        {{"--every", "-3"}, "!ungültiger Wert für --every: '-3' (ganze Zahl ab 1)"},
        {{"--sweep", "speed=1;2"},
         "!--sweep braucht NAME=WERTE mit NAME gene, generations, mutation-rate, mutation-limit oder kill-factor: "
         "'speed=1;2'"},
        {{"--sweep", "kill-factor=1;2.5"}, "!'2.5' ist kein gültiger Gleitkommawert (--kill-factor)"},
        {{"--sweep", "generations=10:1:1"}, "!--sweep: leerer Bereich oder Schritt 0: 'generations=10:1:1'"},
        {{"--sweep", "mutation-rate=0:1:0"}, "!--sweep: leerer Bereich oder Schritt 0: 'mutation-rate=0:1:0'"},
        {{"--sweep", "generations=1:100001:1"}, "!--sweep: mehr als 100000 Werte: 'generations=1:100001:1'"},
        {{"--sweep", "gene=A;AAAAATTTTTC"}, "!--gene: höchstens 10 Zeichen: 'AAAAATTTTTC'"},
        {{"--sweep", "gene=A", "--sweep", "gene=C"}, "!--sweep: gene doppelt"},
        {{"--sweep", "gene=A", "--decimal-separator", ";"},
         "!--sweep trennt Werte mit ';' und ':', nicht möglich mit diesem Dezimaltrennzeichen"},
        {{"--shard", "0/4"}, "!ungültiger Wert für --shard: '0' (ganze Zahl ab 1)"},
        {{"--shard", "5/4"}, "!--shard: K größer als N: '5/4'"},
        {{"--shard", "1"}, "!--shard braucht K/N: '1'"},
        {{"--plot", "a.png", "--size", "300*200"}, "!--size braucht BxH: '300*200'"},
        {{"--plot", "a.png", "--size", "20000x5"}, "!--size: höchstens 10000x10000: '20000x5'"},
        {{"--size", "300x200", "--shard", "1/2", "--summary", "s.csv"},
         "!--size und --3d nur zusammen mit --plot oder --compare"},
        {{"--shard", "1/2", "--summary", "s.csv", "--resume"},
         "!--summary, --plot und --compare gehören zu merge, nicht zu einem Teil (--shard)"},
        {{"--resume", "--compare", "c.png"},
         "!--resume braucht --output DATEI: das Journal der Studie liegt neben ihrer Tabelle"},
        {{"--compare", "c.png", "--format", "memo", "--replicates", "2"}, "!--compare braucht --sweep"},
        {{"--replicates", "2", "--format", "memo", "--mutation-limit", "x"},
         "!--format memo gilt nur für einen einzelnen Lauf; eine Studie schreibt ihre Tabelle als CSV"},
        {{"--replicates", "2", "--mutation-limit", "x"}, "!'x' ist kein gültiger Integerwert (--mutation-limit)"},
        // Merge: tables and its options, each read as it comes.
        {{"merge", "a.csv", "-", "--output", "--plot", "--summary=s.csv", "--plot", "p.png", "--compare=c.png",
          "--size", "10x20", "--3d", "--allow-partial", "b.csv"},
         "merge [a.csv] [-] [b.csv] output=--plot summary=s.csv plot=p.png compare=c.png size=10x20 3d allow-partial"},
        {{"merge", "--output", "t.csv"}, "!merge braucht mindestens eine Tabelle"},
        {{"merge", "a.csv", "--jobs", "2"}, "!unbekannte Option: '--jobs'"},
        {{"merge", "a.csv", "--bogus"}, "!unbekannte Option: '--bogus'"},
        {{"merge", "a.csv", "--3d=1"}, "!unbekannte Option: '--3d=1'"},
        {{"merge", "a.csv", "--plot"}, "!Wert fehlt für --plot"},
        {{"merge", "--size", "0x1", "--bogus"}, "!ungültiger Wert für --size: '0' (ganze Zahl ab 1)"},
        {{"merge", "--help", "--bogus"}, "help"},
    };
    for (const auto& c : cases) {
        std::string read;
        try {
            read = Describe(ParseCommandLine(c.Args));
        } catch (const EUsageError& e) {
            read = "!" + e.Message;
        }
        EXPECT_EQ(read, c.Read);
        EXPECT_EQ(DecimalSeparator, U',');
    }
}

}  // namespace
