#include "batch/study/MergeCommand.h"

#include "app/Errors.h"
#include "app/IntegerText.h"
#include "batch/study/StudyOutput.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file)
        throw EUsageError("kann " + name + " nicht lesen");
    return text.str();
}

}  // namespace

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
