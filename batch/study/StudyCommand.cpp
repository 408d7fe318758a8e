#include "batch/study/StudyCommand.h"

#include "app/Errors.h"
#include "app/FormatSettings.h"
#include "app/IntegerText.h"
#include "batch/BatchRunner.h"
#include "batch/CheckedIo.h"
#include "batch/OutputPath.h"
#include "batch/study/AtomicFile.h"
#include "batch/study/CompareFigure.h"
#include "batch/study/GzipSink.h"
#include "batch/study/Progress.h"
#include "batch/study/StudyEstimate.h"
#include "batch/study/StudyPicture.h"
#include "batch/study/StudyRun.h"
#include "batch/study/WorkerPool.h"
#include "population/Random.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace {

int UsageError(TTextSink& err, const std::string& message)
{
    err.Write("kelvaro-batch: " + message + "\n");
    err.Write(kBatchUsage);
    return 2;
}

// Where the table or the summary goes: a file completed at the end (gzip when its name ends
// in .gz), or the sink given.
class TOutput {
public:
    TOutput(const std::optional<std::string>& file, TTextSink& fallback)
    {
        if (file)
            FFile.emplace(*file);
        FSink = file ? &FFile->Sink() : &fallback;
        if (file && IsGzipName(*file))
            FSink = &FGzip.emplace(*FSink);
    }
    TTextSink& Sink() { return *FSink; }
    void Commit()
    {
        if (FGzip)
            FGzip->Finish();
        if (FFile)
            FFile->Commit();
    }

private:
    std::optional<TAtomicFile> FFile;
    std::optional<TGzipSink> FGzip;
    TTextSink* FSink;
};

// A run's rows and measures as a worker sends them.
std::string PackRun(const TRunOutcome& outcome, std::string_view rows)
{
    const std::vector<TGenerationMeasures>& generations = outcome.Generations;
    const std::uint64_t count = generations.size();
    std::string packed(1 + sizeof count + count * sizeof(TGenerationMeasures), '\0');
    packed[0] = outcome.Failed ? 1 : 0;
    std::memcpy(packed.data() + 1, &count, sizeof count);
    if (count > 0)  // a failed run may have none, and an empty vector no data to copy
        std::memcpy(packed.data() + 1 + sizeof count, generations.data(), count * sizeof(TGenerationMeasures));
    packed.append(rows);
    return packed;
}

TTableRun UnpackRun(const std::string& packed, const TStudyRun& run, const TParameterTexts& parameters)
{
    TTableRun table{run, parameters, {}, {}};
    table.Outcome.Failed = packed[0] != 0;
    std::uint64_t count;
    std::memcpy(&count, packed.data() + 1, sizeof count);
    table.Outcome.Generations.resize(count);
    const std::size_t measures = 1 + sizeof count + count * sizeof(TGenerationMeasures);
    if (count > 0)
        std::memcpy(table.Outcome.Generations.data(), packed.data() + 1 + sizeof count, measures - 1 - sizeof count);
    table.Rows = packed.substr(measures);
    return table;
}

std::int32_t FailedMessage(TTextSink& err, std::int64_t failed, std::int64_t runs)
{
    if (failed == 0)
        return 0;
    err.Write("kelvaro-batch: " + std::to_string(failed) + " von " + std::to_string(runs) +
              " Läufen mit Fehler abgebrochen (Meldungen in der Tabelle).\n");
    return 1;
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
    for (const auto& [option, file] : outputs)
        if (option != "--output" && option != "--summary")
            CheckPictureFile(option, file);
}

void FinishStudy(TStudySummary& summary, const std::optional<std::string>& summaryFile, const TPictureOptions& picture)
{
    if (summaryFile) {
        TAtomicFile file(*summaryFile);
        summary.Write(file.Sink());
        file.Commit();
    }
    if (picture.File)
        SaveStudyPictures(summary, picture);
    if (picture.Compare)
        SaveCompareFigure(summary, picture, *picture.Compare);
}

int RunStudy(const TBatchOptions& options, const TStudyOptions& study, TTextSink& out, TTextSink& err)
{
    if (!options.Fields.Seed)
        Randomize();
    const TStudyPlan plan(ParameterTexts(options.Fields), study.Sweeps, study.Replicates,
                          options.Fields.Seed.value_or(RandSeed), study.Paired);
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
    // This shard's runs are every ShardCount-th from ShardIndex.
    const std::int64_t runs = estimate.Runs;
    const auto runIndex = [&](std::int64_t k) { return study.ShardIndex + k * study.ShardCount; };
    const std::int64_t generations = estimate.Generations;

    TOutput table(study.Output, out);
    table.Sink().Write(kStudyTableHeader);
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
        if (jobs <= 1 || runs <= 1) {
            // The rows go straight into the table: a run's length costs no memory.
            for (std::int64_t k = 0; k < runs; ++k) {
                const TStudyRun run = plan.Run(runIndex(k));
                const TParameterTexts parameters = plan.Parameters(run.Set);
                record({run, parameters, RunStudyRun(run, parameters, study.Every, table.Sink(), summarise), {}});
            }
        } else {
            const TWorkerTasks tasks = {[&](std::int64_t k) {
                                            const TStudyRun run = plan.Run(runIndex(k));
                                            TStringSink rows;
                                            const TRunOutcome outcome = RunStudyRun(run, plan.Parameters(run.Set),
                                                                                    study.Every, rows, summarise);
                                            return PackRun(outcome, rows.Text);
                                        },
                                        [&](std::int64_t k, const std::string& reason) {
                                            const TStudyRun run = plan.Run(runIndex(k));
                                            const TTableRun lost =
                                                FailedStudyRun(run, plan.Parameters(run.Set), reason);
                                            return PackRun(lost.Outcome, lost.Rows);
                                        },
                                        [&](std::int64_t k, std::string&& packed) {
                                            const TStudyRun run = plan.Run(runIndex(k));
                                            const TTableRun result = UnpackRun(packed, run, plan.Parameters(run.Set));
                                            table.Sink().Write(result.Rows);
                                            record(result);
                                        }};
            RunInWorkers(runs, jobs, tasks);
        }
    }
    table.Commit();
    FinishStudy(summary, study.Summary, study.Picture);
    return FailedMessage(err, failed, runs);
}

// One plain run as RunBatch does it, then its picture from the same seed.
int RunWithPicture(std::span<const std::string> args, const TBatchOptions& options, const TPictureOptions& picture,
                   TTextSink& out, TTextSink& err)
{
    CheckPictureFile("--plot", *picture.File);
    TRunFields fields = options.Fields;
    std::vector<std::string> seeded(args.begin(), args.end());
    if (!fields.Seed) {
        Randomize();
        fields.Seed = RandSeed;
        seeded.insert(seeded.end(), {"--seed", std::to_string(RandSeed)});
    }
    const int status = RunBatch(seeded, out, err);
    SaveRunPicture(fields, picture);
    return status;
}

std::string ReadFile(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file)
        throw EUsageError("kann " + name + " nicht lesen");
    return text.str();
}

int RunMerge(std::span<const std::string> args, TTextSink& out, TTextSink& err)
{
    std::vector<std::string> files;
    std::optional<std::string> output, summaryFile;
    TPictureOptions picture;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            files.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (name != "--3d") {
            if (i + 1 == args.size())
                throw EUsageError("Wert fehlt für " + arg);
            value = args[++i];
        }
        if (name == "--output")
            output = value;
        else if (name == "--summary")
            summaryFile = value;
        else
            picture = ReadPictureOption(picture, name, value);
    }
    if (files.empty())
        throw EUsageError("merge braucht mindestens eine Tabelle");
    std::vector<TTableRun> runs;
    for (const std::string& file : files)
        for (TTableRun& run : ReadStudyTable(ReadFile(file), file))
            runs.push_back(std::move(run));
    std::stable_sort(runs.begin(), runs.end(), [](const TTableRun& a, const TTableRun& b) {
        return std::pair(a.Run.Set, a.Run.Replicate) < std::pair(b.Run.Set, b.Run.Replicate);
    });
    for (std::size_t i = 1; i < runs.size(); ++i) {
        const TTableRun& a = runs[i - 1];
        const TTableRun& b = runs[i];
        const std::string run = IntToStr(b.Run.Set) + "/" + IntToStr(b.Run.Replicate);
        if (a.Run.Set == b.Run.Set && a.Run.Replicate == b.Run.Replicate)
            throw EUsageError("Lauf " + run + " kommt mehrfach vor");
        if (a.Run.Set == b.Run.Set && a.Parameters != b.Parameters)
            throw EUsageError("Lauf " + run + ": andere Parameter als die übrigen Läufe des Satzes");
    }

    TOutput table(output, out);
    table.Sink().Write(kStudyTableHeader);
    TStudySummary summary;
    std::int64_t failed = 0;
    for (const TTableRun& run : runs) {
        table.Sink().Write(run.Rows);
        summary.Add(run);
        failed += run.Outcome.Failed ? 1 : 0;
    }
    table.Commit();
    FinishStudy(summary, summaryFile, picture);
    return FailedMessage(err, failed, static_cast<std::int64_t>(runs.size()));
}

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

}  // namespace

int RunCommandLine(std::span<const std::string> args, TTextSink& out, TTextSink& err)
{
    try {
        if (!args.empty() && args[0] == "merge") {
            const int status = RunMerge(args.subspan(1), out, err);
            out.Flush();
            return status;
        }
        TBatchOptions options;
        try {
            options = ParseBatchOptions(args);
        } catch (const EUsageError&) {
            return RunBatch(args, out, err);  // it says what is wrong
        }
        if (options.Help || options.StudyOptions.empty())
            return RunBatch(args, out, err);
        if (options.DecimalSeparator)
            DecimalSeparator = *options.DecimalSeparator;
        const TStudyOptions study = ReadStudyOptions(options);
        if (!study.Study)
            return RunWithPicture(args, options, study.Picture, out, err);
        EndOnStopSignals();
        const int status = RunStudy(options, study, out, err);
        out.Flush();
        return status;
    } catch (const EUsageError& e) {
        // Raised only while options and tables are read and the study is planned: before any output.
        return UsageError(err, e.Message);
    } catch (const EOutputPathError& e) {
        err.Write("kelvaro-batch: " + e.Message + "\n");
        return 2;
    } catch (const EOutputError& e) {
        err.Write(e.Message + ".\n");
        return 1;
    } catch (const std::bad_alloc&) {
        err.Write(std::string(kOutOfMemoryMessage) + ".\n");
        return 1;
    } catch (const std::runtime_error& e) {
        err.Write(std::string("kelvaro-batch: ") + e.what() + "\n");
        return 1;
    }
}
