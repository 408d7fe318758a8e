#include "batch/study/MergeCommand.h"

#include "app/IntegerText.h"
#include "batch/study/StudyOutput.h"
#include "batch/study/TableReader.h"

#include <memory>

namespace {

class TNullSink : public TTextSink {
public:
    void Write(std::string_view) override {}
};

struct TPart {
    std::string File;
    TPartDescription Description;
};

TPart ReadPart(const std::string& file)
{
    std::string line;
    TLineReader table(file, 1 << 12);  // a table that cannot be read is named before its description
    table.Next(line);
    TLineReader lines(DescriptorPath(file), std::size_t{1} << 26);
    std::string text;
    while (lines.Next(line))
        text += line + '\n';
    return {file, ReadDescriptor(text, DescriptorPath(file))};
}

std::string RunName(const TStudyDefinition& study, std::int64_t index)
{
    return IntToStr(static_cast<std::int32_t>(index / study.Replicates + 1)) + "/" +
           IntToStr(static_cast<std::int32_t>(index % study.Replicates + 1));
}

// The parts by shard (null where one is missing), after checking that they are of one study.
std::vector<const TPart*> PartsByShard(const std::vector<TPart>& parts)
{
    const TPartDescription& first = parts[0].Description;
    std::vector<const TPart*> shards(static_cast<std::size_t>(first.ShardCount));
    for (const TPart& part : parts) {
        const std::string difference = DefinitionDifference(first.Study, part.Description.Study);
        if (!difference.empty())
            throw EDataError(part.File + ": andere Studie als " + parts[0].File + " (" + difference + ")");
        if (part.Description.ShardCount != first.ShardCount)
            throw EDataError(part.File + ": Teil " + IntToStr(part.Description.Shard) + "/" +
                             IntToStr(part.Description.ShardCount) + ", " + parts[0].File + " aber von " +
                             IntToStr(first.ShardCount) + " Teilen");
        const TPart*& slot = shards[static_cast<std::size_t>(part.Description.Shard - 1)];
        if (slot)
            throw EDataError("Teil " + IntToStr(part.Description.Shard) + "/" + IntToStr(first.ShardCount) +
                             " doppelt: " + slot->File + " und " + part.File);
        slot = &part;
    }
    return shards;
}

// Which runs the parts hold complete, and what is missing, in words.
struct TCompleteness {
    std::vector<bool> Missing;  // by run index
    std::vector<std::string> Problems;
    bool Damaged = false;  // a part that is whole but not as described: never merged

    void Lose(const TStudyDefinition& study, const TPartDescription& part, std::int64_t from, const std::string& why)
    {
        std::int64_t count = 0;
        std::string names;
        for (std::int64_t index = from; index < study.RunCount(); index += part.ShardCount)
            if (!Missing[static_cast<std::size_t>(index)]) {
                Missing[static_cast<std::size_t>(index)] = true;
                if (++count <= 5)
                    names += (count > 1 ? ", " : "") + RunName(study, index);
            }
        Problems.push_back(why + " (" + std::to_string(count) +
                           (count == 1 ? " fehlender Lauf: " : " fehlende Läufe: ") + names +
                           (count > 5 ? ", …)" : ")"));
    }
};

void CheckPart(const TPart& part, const TStudyPlan& plan, TCompleteness& completeness)
{
    const TPartDescription& description = part.Description;
    const TStudyDefinition& study = description.Study;
    for (const std::int64_t index : description.Missing)
        completeness.Missing[static_cast<std::size_t>(index)] = true;
    if (!description.Missing.empty())
        completeness.Problems.push_back(part.File + ": " + "laut Beschreibung " +
                                        std::to_string(description.Missing.size()) + " fehlende Läufe");
    TTableReader reader(part.File, study, plan);
    TNullSink none;
    TTableRun run;
    bool cut = false;
    for (std::int64_t index = description.Shard - 1; index < study.RunCount() && !cut;
         index += description.ShardCount) {
        if (completeness.Missing[static_cast<std::size_t>(index)])
            continue;
        const TTableReader::TRead read = reader.ReadRun(index, none, run);
        cut = read != TTableReader::TRead::Complete;
        if (cut)
            completeness.Lose(study, description, index,
                              part.File + (read == TTableReader::TRead::Truncated
                                               ? ": abgeschnitten in Lauf " + RunName(study, index) + ", Zeile " +
                                                     std::to_string(reader.Lines().LineNumber())
                                               : ": endet vor Lauf " + RunName(study, index)));
    }
    if (!cut)
        reader.ExpectEnd();
    if (reader.Lines().Bytes() != description.Bytes || reader.Lines().Sha256() != description.Sha256) {
        completeness.Damaged |= !cut;
        completeness.Problems.push_back(part.File + ": Größe oder Prüfsumme (sha256) weicht von der Beschreibung ab");
    }
}

std::string Joined(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& problem : problems)
        text += (text.empty() ? "" : "; ") + problem;
    return text;
}

}  // namespace

int RunMerge(const TMergeOptions& options, std::span<const std::string> args, TTextSink& out, TTextSink& err)
{
    std::vector<TPart> parts;
    for (const std::string& file : options.Files)
        parts.push_back(ReadPart(file));
    const std::vector<const TPart*> shards = PartsByShard(parts);
    const TPartDescription& first = parts[0].Description;
    const TStudyDefinition& study = first.Study;
    const TStudyPlan plan(study.Sets, study.Replicates, study.BaseSeed, study.Paired);

    TCompleteness completeness{std::vector<bool>(static_cast<std::size_t>(study.RunCount())), {}, false};
    for (std::size_t k = 0; k < shards.size(); ++k)
        if (!shards[k])
            completeness.Lose(study, {study, {}, static_cast<std::int32_t>(k + 1), first.ShardCount, {}, 0, {}},
                              static_cast<std::int64_t>(k),
                              "Teil " + std::to_string(k + 1) + "/" + IntToStr(first.ShardCount) + " fehlt");
    for (const TPart& part : parts)
        CheckPart(part, plan, completeness);
    if (!completeness.Problems.empty() && (!options.AllowPartial || completeness.Damaged))
        throw EDataError("merge: unvollständig oder beschädigt: " + Joined(completeness.Problems));
    for (const std::string& problem : completeness.Problems)
        err.Write("kelvaro-batch: merge --allow-partial: " + problem + "\n");

    TPartDescription merged{study, {"kelvaro-batch", "merge"}, 1, 1, {}, 0, {}};
    merged.CommandLine.insert(merged.CommandLine.end(), args.begin(), args.end());
    std::vector<std::unique_ptr<TTableReader>> readers(shards.size());
    for (std::size_t k = 0; k < shards.size(); ++k)
        if (shards[k])
            readers[k] = std::make_unique<TTableReader>(shards[k]->File, study, plan);
    TOutput table(options.Output, out);
    TChecksumSink written(table.Sink());
    written.Write(kStudyTableHeader);
    TStudySummary summary;
    const bool summarise = options.Summary || options.Picture.File || options.Picture.Compare;
    std::int64_t failed = 0, runs = 0;
    TTableRun run;
    for (std::int64_t index = 0; index < study.RunCount(); ++index) {
        if (completeness.Missing[static_cast<std::size_t>(index)]) {
            merged.Missing.push_back(index);
            continue;
        }
        TTableReader& reader = *readers[static_cast<std::size_t>(index % first.ShardCount)];
        if (reader.ReadRun(index, written, run) != TTableReader::TRead::Complete)
            throw EDataError(reader.Lines().Name() + ": während des Zusammenführens verändert");
        if (summarise)
            summary.Add(run);
        ++runs;
        failed += run.Outcome.Failed ? 1 : 0;
    }
    table.Commit();
    if (options.Output)
        WriteDescriptor(merged, *options.Output, TResourceKind::Table, written);
    FinishStudy(summary, options.Summary, options.Picture, merged);
    return FailedMessage(err, failed, runs);
}
