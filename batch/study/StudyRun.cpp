#include "batch/study/StudyRun.h"

#include "app/Errors.h"
#include "app/ExtendedArithmetic.h"
#include "app/FloatToTextCache.h"
#include "app/IntegerText.h"
#include "base/FloatEnvironment.h"
#include "batch/BatchOutput.h"
#include "batch/CheckedIo.h"

#include <new>

namespace {

// Takes the measures the run reports and writes the recorded generations' rows.
class TStudyRunHost : public TBatchOutput {
public:
    TStudyRunHost(TTextSink& rows, TRunOutcome& outcome, const TExtendedArithmetic& arithmetic, bool measures,
                  std::string prefix, std::int32_t every, std::int32_t generations)
        : TBatchOutput(rows), FOutcome(outcome), FArithmetic(arithmetic), FMeasures(measures),
          FPrefix(std::move(prefix)), FEvery(every), FGenerations(generations)
    {
    }

    void AppendLine(TResultBox, std::string_view) override {}
    void Finish() override {}

    void Failed(const std::string& message)
    {
        FOutcome.Failed = true;
        FOut.Write(ErrorRow(FPrefix, message));
    }

protected:
    void Tabulate(TResultBox box, std::uint8_t living, long double averageGC) override
    {
        const int population = box == TResultBox::Sexual ? 0 : 1;
        if (population == 0)
            ++FGeneration;
        if (living == 0 && FDiedOutAt[population] == 0)
            FDiedOutAt[population] = FGeneration;
        if (FGeneration % FEvery != 0 && FGeneration != FGenerations)
            return;
        char gc[kFloatTextCapacity];
        const std::string_view gcText(gc, FTexts.Text(FArithmetic, gc, averageGC));
        if (FMeasures) {
            if (population == 0)
                FOutcome.Generations.push_back({FGeneration, {}, {}, {}});
            TGenerationMeasures& measures = FOutcome.Generations.back();
            measures.Living[population] = living;
            measures.Gc[population] = GcValue(gcText);
            measures.DiedOutAt[population] = FDiedOutAt[population];
        }

        FRow = FPrefix;
        FRow += IntToStr(FGeneration);
        FRow += ',';
        FRow += kPopulationNames[population];
        FRow += ',';
        FRow += IntToStr(living);
        FRow += ',';
        AppendCsvField(FRow, gcText);
        FRow += ',';
        if (FDiedOutAt[population] != 0)
            FRow += IntToStr(FDiedOutAt[population]);
        FRow += ",\n";
        FOut.Write(FRow);
    }

private:
    TRunOutcome& FOutcome;
    const TExtendedArithmetic& FArithmetic;
    TFloatToTextCache FTexts;
    bool FMeasures;
    std::string FPrefix;
    std::string FRow;
    std::int32_t FEvery;
    std::int32_t FGenerations;
    std::int32_t FGeneration = 0;
    std::int32_t FDiedOutAt[2] = {0, 0};
};

}  // namespace

TRunOutcome RunStudyRun(const TStudyRun& run, const TParameterTexts& parameters, std::int32_t every, TTextSink& rows,
                        bool measures)
{
    // Whatever ran in this process before (a summary's arithmetic too) leaves no flag behind.
    SetFloatEnvironment();
    // The rows' conversions share one setting of the arithmetic, given back however the run ends.
    const TExtendedArithmetic arithmetic;
    TRunOutcome outcome;
    // The texts were checked before the study started.
    TStudyRunHost host(rows, outcome, arithmetic, measures, RowPrefix(run, parameters), every,
                       StrToInt(parameters[paGenerations]));
    TRunFields fields;
    fields.Gene = parameters[paGene];
    fields.Generations = parameters[paGenerations];
    fields.KillFactor = parameters[paKillFactor];
    fields.MutationLimit = parameters[paMutationLimit];
    fields.MutationRate = parameters[paMutationRate];
    fields.Seed = run.Seed;
    try {
        SimulationRun(host, fields);
    } catch (const EOutputError&) {
        throw;
    } catch (const Exception& e) {
        host.Failed(e.Message);
    } catch (const std::bad_alloc&) {
        host.Failed(kOutOfMemoryMessage);
    }
    return outcome;
}

TTableRun FailedStudyRun(const TStudyRun& run, const TParameterTexts& parameters, const std::string& message)
{
    TTableRun record{run, parameters, {}, ErrorRow(RowPrefix(run, parameters), message)};
    record.Outcome.Failed = true;
    return record;
}
