#include "batch/study/Dispatch.h"

#include "app/Errors.h"
#include "app/FormatSettings.h"
#include "batch/BatchRunner.h"
#include "batch/CheckedIo.h"
#include "batch/OutputPath.h"
#include "batch/study/CommandLine.h"
#include "batch/study/MergeCommand.h"
#include "batch/study/StudyCommand.h"
#include "batch/study/StudyDescriptor.h"

#include <new>
#include <stdexcept>

namespace {

int Command(const TCommandLine& line, std::span<const std::string> args, TTextSink& out, TTextSink& err)
{
    switch (line.Command) {
    case TCommand::Run:
        return line.Study.Picture.File ? RunWithPicture(line.Run, line.Study.Picture, out, err)
                                       : RunBatch(line.Run, out, err);
    case TCommand::Study: return RunStudy(args, line.Run, line.Study, out, err);
    case TCommand::Merge: return RunMerge(line.Merge, args.subspan(1), out, err);
    case TCommand::Help: break;
    }
    out.Write(kBatchUsage);
    return 0;
}

}  // namespace

int RunCommandLine(std::span<const std::string> args, TTextSink& out, TTextSink& err)
{
    try {
        const TCommandLine line = ParseCommandLine(args);
        if (line.Run.DecimalSeparator)
            DecimalSeparator = *line.Run.DecimalSeparator;
        const int status = Command(line, args, out, err);
        if (line.Command != TCommand::Run)  // a plain run has written all it could
            out.Flush();
        return status;
    } catch (const EUsageError& e) {
        // Raised only while the command line and tables are read and a study is planned: before any output.
        err.Write("kelvaro-batch: " + e.Message + "\n");
        err.Write(kBatchUsage);
        return 2;
    } catch (const EOutputPathError& e) {
        err.Write("kelvaro-batch: " + e.Message + "\n");
        return 2;
    } catch (const EDataError& e) {
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
