#include "batch/BatchRunner.h"

#include "app/Errors.h"
#include "app/FormatSettings.h"
#include "batch/BatchOptions.h"
#include "batch/BatchOutput.h"

#include <memory>
#include <new>
#include <optional>

int RunBatch(std::span<const std::string> args, TTextSink& out, TTextSink& err)
{
    TBatchOptions options;
    try {
        options = ParseBatchOptions(args);
    } catch (const EUsageError& e) {
        err.Write("kelvaro-batch: " + e.Message + "\n");
        err.Write(kBatchUsage);
        return 2;
    }
    if (options.Help) {
        out.Write(kBatchUsage);
        return 0;
    }
    if (options.DecimalSeparator)
        DecimalSeparator = *options.DecimalSeparator;

    std::unique_ptr<TBatchOutput> output;
    if (options.Format == TOutputFormat::Csv)
        output = std::make_unique<TCsvOutput>(out);
    else
        output = std::make_unique<TMemoOutput>(out);

    std::optional<std::string> failure;
    try {
        SimulationRun(*output, options.Fields);
    } catch (const Exception& e) {
        failure = e.Message;
    } catch (const std::bad_alloc&) {
        failure = kOutOfMemoryMessage;
    }
    output->Finish();
    if (failure) {
        err.Write(*failure + ".\n");
        return 1;
    }
    return 0;
}
