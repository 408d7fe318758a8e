#include "batch/study/CommandLine.h"

#include "app/FormatSettings.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace {

// The command lines an option belongs to.
enum TLines : unsigned { lnRun = 1, lnMerge = 2 };

using TValue = const std::string&;

struct TOption {
    std::string_view Name;
    bool TakesValue;
    unsigned Lines;
    // Read once a run's line is scanned, in the order given (merge reads each option as it
    // comes): a study's values depend on --decimal-separator wherever it stands, and a plain
    // run's options are checked first.
    bool Later;
    void (*Read)(TCommandLine& line, TValue value);
};

bool Merging(const TCommandLine& line)
{
    return line.Command == TCommand::Merge;
}

// A study's option makes the line a study's.
TStudyOptions& Study(TCommandLine& line)
{
    line.Command = TCommand::Study;
    return line.Study;
}

TPictureOptions& Picture(TCommandLine& line)
{
    return Merging(line) ? line.Merge.Picture : line.Study.Picture;
}

constexpr TOption kOptions[] = {
    {"--help", false, lnRun | lnMerge, false, [](TCommandLine& l, TValue) { l.Command = TCommand::Help; }},
    {"--gene", true, lnRun, false, [](TCommandLine& l, TValue v) { l.Run.Fields.Gene = ReadGene(v); }},
    {"--generations", true, lnRun, false, [](TCommandLine& l, TValue v) { l.Run.Fields.Generations = v; }},
    {"--mutation-rate", true, lnRun, false, [](TCommandLine& l, TValue v) { l.Run.Fields.MutationRate = v; }},
    {"--mutation-limit", true, lnRun, false, [](TCommandLine& l, TValue v) { l.Run.Fields.MutationLimit = v; }},
    {"--kill-factor", true, lnRun, false, [](TCommandLine& l, TValue v) { l.Run.Fields.KillFactor = v; }},
    {"--seed", true, lnRun, false, [](TCommandLine& l, TValue v) { l.Run.Fields.Seed = ReadSeed(v); }},
    {"--decimal-separator", true, lnRun, false,
     [](TCommandLine& l, TValue v) { l.Run.DecimalSeparator = ReadSeparator(v); }},
    {"--format", true, lnRun, false, [](TCommandLine& l, TValue v) { l.Run.Format = ReadFormat(v); }},
    {"--replicates", true, lnRun, true,
     [](TCommandLine& l, TValue v) { Study(l).Replicates = ReadPositiveNumber("--replicates", v); }},
    {"--sweep", true, lnRun, true,
     [](TCommandLine& l, TValue v) { Study(l).Sweeps.push_back(ReadSweep(v, l.Study.Sweeps)); }},
    {"--every", true, lnRun, true,
     [](TCommandLine& l, TValue v) { Study(l).Every = ReadPositiveNumber("--every", v); }},
    {"--paired", false, lnRun, true, [](TCommandLine& l, TValue) { Study(l).Paired = true; }},
    {"--output", true, lnRun | lnMerge, true,
     [](TCommandLine& l, TValue v) { (Merging(l) ? l.Merge.Output : Study(l).Output) = v; }},
    {"--summary", true, lnRun | lnMerge, true,
     [](TCommandLine& l, TValue v) { (Merging(l) ? l.Merge.Summary : Study(l).Summary) = v; }},
    {"--resume", false, lnRun, true, [](TCommandLine& l, TValue) { Study(l).Resume = true; }},
    {"--jobs", true, lnRun, true, [](TCommandLine& l, TValue v) { Study(l).Jobs = ReadPositiveNumber("--jobs", v); }},
    {"--shard", true, lnRun, true, [](TCommandLine& l, TValue v) { ReadShard(Study(l), v); }},
    {"--plot", true, lnRun | lnMerge, true, [](TCommandLine& l, TValue v) { Picture(l).File = v; }},
    {"--compare", true, lnRun | lnMerge, true, [](TCommandLine& l, TValue v) { Picture(l).Compare = v; }},
    {"--dry-run", false, lnRun, true, [](TCommandLine& l, TValue) { Study(l).DryRun = true; }},
    {"--yes", false, lnRun, true, [](TCommandLine& l, TValue) { Study(l).Yes = true; }},
    {"--size", true, lnRun | lnMerge, true, [](TCommandLine& l, TValue v) { ReadSize(Picture(l), v); }},
    {"--3d", false, lnRun | lnMerge, true, [](TCommandLine& l, TValue) { Picture(l).View3D = true; }},
    {"--allow-partial", false, lnMerge, false, [](TCommandLine& l, TValue) { l.Merge.AllowPartial = true; }},
};

using TLater = std::vector<std::pair<const TOption*, std::string>>;

[[noreturn]] void Usage(std::string message)
{
    throw EUsageError(std::move(message));
}

const TOption* Find(std::string_view name, unsigned lines)
{
    const auto found = std::find_if(std::begin(kOptions), std::end(kOptions), [&](const TOption& option) {
        return option.Name == name && (option.Lines & lines);
    });
    return found == std::end(kOptions) ? nullptr : found;
}

// The line's decimal separator while a study's texts are read; the one before afterwards.
class TReadingSeparator {
public:
    explicit TReadingSeparator(std::optional<char32_t> separator) : FBefore(DecimalSeparator)
    {
        DecimalSeparator = separator.value_or(FBefore);
    }
    ~TReadingSeparator() { DecimalSeparator = FBefore; }
    TReadingSeparator(const TReadingSeparator&) = delete;
    TReadingSeparator& operator=(const TReadingSeparator&) = delete;

private:
    char32_t FBefore;
};

// A study's options in their order, then what only options together tell.
void ReadStudy(TCommandLine& line, const TLater& later)
{
    const TReadingSeparator separator(line.Run.DecimalSeparator);
    bool sizeOr3D = false;
    for (const auto& [option, value] : later) {
        option->Read(line, value);
        sizeOr3D = sizeOr3D || option->Name == "--size" || option->Name == "--3d";
    }
    const TStudyOptions& study = line.Study;
    if (sizeOr3D && !study.Picture.File && !study.Picture.Compare)
        Usage("--size und --3d nur zusammen mit --plot oder --compare");
    if (study.ShardCount > 1 && (study.Summary || study.Picture.File || study.Picture.Compare))
        Usage("--summary, --plot und --compare gehören zu merge, nicht zu einem Teil (--shard)");
    if (study.Resume && !study.Output)
        Usage("--resume braucht --output DATEI: das Journal der Studie liegt neben ihrer Tabelle");
    if (study.Picture.Compare && study.Sweeps.empty())
        Usage("--compare braucht --sweep");
    if (line.Command != TCommand::Study)
        return;  // one plain run: its texts fail as they always did
    if (line.Run.Format == TOutputFormat::Memo)
        Usage("--format memo gilt nur für einen einzelnen Lauf; eine Studie schreibt ihre Tabelle als CSV");
    const TParameterTexts base = ParameterTexts(line.Run.Fields);
    for (int p = 0; p < kParameterCount; ++p)
        if (std::none_of(study.Sweeps.begin(), study.Sweeps.end(),
                         [&](const TSweep& sweep) { return sweep.Parameter == p; }))
            CheckParameterText(static_cast<TParameter>(p), base[p]);
}

}  // namespace

TCommandLine ParseCommandLine(std::span<const std::string> args)
{
    TCommandLine line;
    if (!args.empty() && args[0] == "merge") {
        line.Command = TCommand::Merge;
        args = args.subspan(1);
    }
    const bool merging = Merging(line);
    TLater later;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (merging && !arg.starts_with("--")) {
            line.Merge.Files.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const TOption* option = Find(std::string_view(arg).substr(0, equals), merging ? lnMerge : lnRun);
        if (!option || (!option->TakesValue && equals != std::string::npos))
            Usage("unbekannte Option: '" + arg + "'");
        std::string value;
        if (option->TakesValue) {
            if (equals != std::string::npos)
                value = arg.substr(equals + 1);
            else if (i + 1 < args.size())
                value = args[++i];
            else
                Usage("Wert fehlt für " + arg);
        }
        if (option->Later && !merging)
            later.emplace_back(option, std::move(value));
        else
            option->Read(line, value);
        if (line.Command == TCommand::Help)
            return line;
    }
    if (!merging)
        ReadStudy(line, later);
    else if (line.Merge.Files.empty())
        Usage("merge braucht mindestens eine Tabelle");
    return line;
}
