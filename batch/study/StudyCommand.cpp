#include "batch/study/StudyCommand.h"

#include "app/Errors.h"
#include "app/IntegerText.h"
#include "batch/BatchRunner.h"
#include "batch/CheckedIo.h"
#include "batch/OutputPath.h"
#include "batch/study/Progress.h"
#include "batch/study/RunWire.h"
#include "batch/study/StudyDescriptor.h"
#include "batch/study/StudyEstimate.h"
#include "batch/study/StudyJournal.h"
#include "batch/study/StudyOutput.h"
#include "batch/study/StudyPicture.h"
#include "batch/study/StudyRun.h"
#include "batch/study/WorkerPool.h"
#include "population/Random.h"

#include <algorithm>
#include <csignal>
#include <iterator>
#include <optional>
#include <unistd.h>

namespace {

// A plain run writes what it has when interrupted; a study ends at once, its workers with it,
// and leaves no temporary file behind (TAtomicFile). Ignored signals stay ignored.
void EndOnStopSignals()
{
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action = {};
        sigaction(signal, nullptr, &action);
        if (action.sa_handler != SIG_IGN)
            std::signal(signal, SIG_DFL);
    }
}

TPartDescription DescribeStudy(std::span<const std::string> args, const TStudyPlan& plan, const TStudyOptions& study,
                               std::uint32_t baseSeed)
{
    std::vector<TParameterTexts> sets;
    for (std::int32_t set = 1; set <= plan.SetCount(); ++set)
        sets.push_back(plan.Parameters(set));
    TPartDescription part{StudyDefinition(std::move(sets), study.Replicates, study.Every, baseSeed, study.Paired),
                          {"kelvaro-batch"},
                          study.ShardIndex + 1,
                          study.ShardCount,
                          {},
                          0,
                          {}};
    part.CommandLine.insert(part.CommandLine.end(), args.begin(), args.end());
    return part;
}

// A picture is written under a temporary name and renamed: only a regular file takes it.
void CheckPictureFile(const std::string& option, const std::string& file)
{
    CheckOutputPaths({{option, file}});
    if (CheckOutputPath(file).Kind != TOutputKind::File)
        throw EOutputPathError(option + " " + file +
                               ": ein Bild nur in eine Datei, nicht auf ein Gerät, eine Pipe oder -");
}

// Every output is usable and none is another, before the first run.
void CheckStudyOutputs(const TStudyOptions& study, std::int32_t sets)
{
    std::vector<std::pair<std::string, std::string>> outputs{{"--output", study.Output.value_or("-")}};
    if (study.Summary)
        outputs.emplace_back("--summary", *study.Summary);
    if (study.Picture.File)
        for (std::int32_t set = 1; set <= sets; ++set)
            outputs.emplace_back("--plot", sets == 1 ? *study.Picture.File : NumberedFile(*study.Picture.File, set));
    if (study.Picture.Compare)
        outputs.emplace_back("--compare", *study.Picture.Compare);
    CheckOutputPaths(outputs);
    // A table or summary in a file gets its description beside it.
    for (const std::optional<std::string>& described : {study.Output, study.Summary})
        if (described && CheckOutputPath(*described).Kind == TOutputKind::File)
            outputs.emplace_back("--output/--summary (Beschreibung)", DescriptorPath(*described));
    // So does a table in a file its journal.
    if (study.Output && CheckOutputPath(*study.Output).Kind == TOutputKind::File)
        outputs.emplace_back("--output (Journal)", TStudyJournal::PathFor(*study.Output));
    CheckOutputPaths(outputs);
    for (const auto& [option, file] : outputs)
        if (option != "--output" && option != "--summary")
            CheckPictureFile(option, file);
}

// The journal beside a table in a file, begun or (with --resume) gone on with; none for other tables.
std::optional<TStudyJournal> OpenJournal(const TStudyOptions& study, const TPartDescription& part)
{
    if (!study.Output || CheckOutputPath(*study.Output).Kind != TOutputKind::File)
        return std::nullopt;
    const std::string path = TStudyJournal::PathFor(*study.Output);
    TStringSink header;
    TChecksumSink headed(header);
    headed.Write(kStudyTableHeader);
    const auto difference = [&](const std::string& stored) -> std::string {
        try {
            const TPartDescription earlier = ReadDescriptor(stored, path);
            const std::string definition = DefinitionDifference(earlier.Study, part.Study);
            return definition.empty() ? "anderer Aufruf" : definition;
        } catch (const EDataError&) {
            return "unlesbare Beschreibung";
        }
    };
    return std::optional<TStudyJournal>(std::in_place, path, part.Study.BaseSeed,
                                        DescriptorText(part, *study.Output, TResourceKind::Table, headed), study.Resume,
                                        difference);
}

}  // namespace

int RunStudy(std::span<const std::string> args, const TBatchOptions& options, const TStudyOptions& study,
             TTextSink& out, TTextSink& err)
{
    EndOnStopSignals();
    if (study.Resume && CheckOutputPath(*study.Output).Kind != TOutputKind::File)
        throw EUsageError("--resume braucht --output mit einer Datei, nicht einem Gerät, einer Pipe oder -");
    // A resumed study without --seed goes on with the seed its journal began with.
    const std::optional<std::uint32_t> journalSeed =
        study.Resume ? TStudyJournal::Seed(TStudyJournal::PathFor(*study.Output)) : std::nullopt;
    if (!options.Fields.Seed && !journalSeed)
        Randomize();
    const std::uint32_t baseSeed = options.Fields.Seed.value_or(journalSeed.value_or(RandSeed));
    const TStudyPlan plan(ParameterTexts(options.Fields), study.Sweeps, study.Replicates, baseSeed, study.Paired);
    CheckStudyOutputs(study, plan.SetCount());
    const auto jobs = static_cast<std::int32_t>(study.Jobs > 0 ? study.Jobs : sysconf(_SC_NPROCESSORS_ONLN));
    const TStudyEstimate estimate = EstimateStudy(plan, study, jobs);
    if (study.DryRun) {
        WriteEstimate(out, estimate, jobs);
        return 0;
    }
    if (estimate.NeedsConfirmation() && !study.Yes) {
        err.Write("kelvaro-batch: Die Studie ist sehr groß (mehr als 10 Millionen Läufe oder 10 GB Tabelle); "
                  "mit --yes wird sie gestartet.\n");
        WriteEstimate(err, estimate, jobs);
        return 2;
    }
    // The description names the study's command line, the same when resumed.
    std::vector<std::string> commandLine;
    std::copy_if(args.begin(), args.end(), std::back_inserter(commandLine),
                 [](const std::string& arg) { return arg != "--resume"; });
    const TPartDescription part = DescribeStudy(commandLine, plan, study, baseSeed);
    std::optional<TStudyJournal> journal = OpenJournal(study, part);
    // This shard's runs are every ShardCount-th from ShardIndex.
    const std::int64_t runs = estimate.Runs;
    const auto runIndex = [&](std::int64_t k) { return study.ShardIndex + k * study.ShardCount; };
    const std::int64_t generations = estimate.Generations;

    std::optional<TFixedTemporaries> fixedTemporaries;
    if (journal)
        fixedTemporaries.emplace();
    TOutput table(study.Output, out);
    TChecksumSink written(table.Sink());
    written.Write(kStudyTableHeader);
    TStudySummary summary;
    const bool summarise = study.Summary || study.Picture.File || study.Picture.Compare;
    std::int64_t failed = 0;
    {
        TProgress progress(runs, generations, stderr);
        const auto record = [&](const TTableRun& result) {
            if (summarise)
                summary.Add(result);
            failed += result.Outcome.Failed ? 1 : 0;
            progress.RunDone(std::max(0, StrToInt(result.Parameters[paGenerations])));
        };
        // The runs done before an interrupt come from the journal, the rest are run.
        std::int64_t done = 0;
        if (journal) {
            journal->Replay(written, [&](std::int64_t k, TRunOutcome&& outcome) {
                const TStudyRun run = plan.Run(runIndex(k));
                record({run, plan.Parameters(run.Set), std::move(outcome), {}});
            });
            done = std::min(journal->Done(), runs);
        }
        if (jobs <= 1 || runs - done <= 1) {
            // The rows go straight into the table: a run's length costs no memory.
            for (std::int64_t k = done; k < runs; ++k) {
                const TStudyRun run = plan.Run(runIndex(k));
                const TParameterTexts parameters = plan.Parameters(run.Set);
                TTextSink& rows = journal ? journal->BeginRun(k, written) : written;
                TRunOutcome outcome = RunStudyRun(run, parameters, study.Every, rows, summarise);
                if (journal)
                    journal->EndRun(outcome);
                record({run, parameters, std::move(outcome), {}});
            }
        } else {
            const TWorkerTasks tasks = {
                [&](std::int64_t k, TTextSink& rows) {
                    const TStudyRun run = plan.Run(runIndex(done + k));
                    return PackOutcome(RunStudyRun(run, plan.Parameters(run.Set), study.Every, rows, summarise));
                },
                [&](std::int64_t k, TTextSink& rows, const std::string& reason) {
                    const TStudyRun run = plan.Run(runIndex(done + k));
                    const TTableRun lost = FailedStudyRun(run, plan.Parameters(run.Set), reason);
                    rows.Write(lost.Rows);
                    return PackOutcome(lost.Outcome);
                },
                [&](std::int64_t k) -> TTextSink& { return journal ? journal->BeginRun(done + k, written) : written; },
                [&](std::int64_t k, std::string&& packed) {
                    const TStudyRun run = plan.Run(runIndex(done + k));
                    TTableRun result{run, plan.Parameters(run.Set), UnpackOutcome(packed), {}};
                    if (journal)
                        journal->EndRun(result.Outcome);
                    record(result);
                }};
            RunInWorkers(runs - done, jobs, tasks);
        }
    }
    table.Commit();
    if (study.Output)
        WriteDescriptor(part, *study.Output, TResourceKind::Table, written);
    FinishStudy(summary, study.Summary, study.Picture, part);
    if (journal)
        journal->Remove();
    return FailedMessage(err, failed, runs);
}

int RunWithPicture(const TBatchOptions& options, const TPictureOptions& picture, TTextSink& out, TTextSink& err)
{
    CheckPictureFile("--plot", *picture.File);
    TBatchOptions seeded = options;
    if (!seeded.Fields.Seed) {
        Randomize();
        seeded.Fields.Seed = RandSeed;
    }
    const int status = RunBatch(seeded, out, err);
    SaveRunPicture(seeded.Fields, picture);
    return status;
}
