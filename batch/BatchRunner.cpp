#include "batch/BatchRunner.h"

#include "app/Errors.h"
#include "batch/BatchOutput.h"
#include "batch/CheckedIo.h"

#include <memory>
#include <new>

namespace {

struct TRunEnd {
    int Status = 0;
    std::string Message;  // for the error output, without the final "."
};

// Any error ends the computation; what was produced so far is still written.
TRunEnd Simulate(TBatchOutput& output, const TRunFields& fields)
{
    try {
        SimulationRun(output, fields);
    } catch (const EStopped&) {
        return {128 + StopSignal, {}};
    } catch (const Exception& e) {
        return {1, e.Message};
    } catch (const std::bad_alloc&) {
        return {1, kOutOfMemoryMessage};
    }
    return {};
}

// A failure while writing leaves `end` as the run left it; the caller reports the
// first error.
void RunAndWrite(const TBatchOptions& options, TTextSink& out, TRunEnd& end)
{
    std::unique_ptr<TBatchOutput> output;
    if (options.Format == TOutputFormat::Csv)
        output = std::make_unique<TCsvOutput>(out);
    else
        output = std::make_unique<TMemoOutput>(out);
    end = Simulate(*output, options.Fields);
    output->Finish();
    out.Flush();
}

}  // namespace

int RunBatch(const TBatchOptions& options, TTextSink& out, TTextSink& err)
{
    TRunEnd end;
    try {
        RunAndWrite(options, out, end);
    } catch (const EOutputError& e) {
        if (end.Message.empty())
            end = {1, e.Message};
    } catch (const std::bad_alloc&) {
        if (end.Message.empty())
            end = {1, kOutOfMemoryMessage};
    }
    if (!end.Message.empty())
        err.Write(end.Message + ".\n");
    if (end.Status == 0 && StopSignal != 0)
        end.Status = 128 + StopSignal;
    return end.Status;
}
