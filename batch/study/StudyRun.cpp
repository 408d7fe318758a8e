#include "batch/study/StudyRun.h"

#include "app/Errors.h"
#include "app/FloatToText.h"
#include "app/IntegerText.h"
#include "batch/BatchOutput.h"
#include "population/FloatEnvironment.h"

#include <new>

namespace {

// Takes the measures the run reports and writes the recorded generations' rows.
class TStudyRunHost : public TBatchOutput {
public:
    TStudyRunHost(TTextSink& rows, TTableRun& record, std::int32_t every, std::int32_t generations)
        : TBatchOutput(rows), FRecord(record), FPrefix(RowPrefix(record.Run, record.Parameters)), FEvery(every),
          FGenerations(generations)
    {
    }

    void AppendLine(TResultBox, std::string_view) override {}
    void Finish() override {}

    void Failed(const std::string& message)
    {
        FRecord.Outcome.Failed = true;
        FOut.Write(ErrorRow(FPrefix, message));
    }

protected:
    void Tabulate(TResultBox box, std::uint8_t living, long double averageGC) override
    {
        const int population = box == TResultBox::Memo1 ? 0 : 1;
        if (population == 0)
            ++FGeneration;
        if (living == 0 && FDiedOutAt[population] == 0)
            FDiedOutAt[population] = FGeneration;
        if (FGeneration % FEvery != 0 && FGeneration != FGenerations)
            return;
        char gc[kFloatTextCapacity];
        const std::string_view gcText(gc, FloatToText(gc, averageGC, 15, 0));
        if (population == 0)
            FRecord.Outcome.Generations.push_back({FGeneration, {}, {}, {}});
        TGenerationMeasures& measures = FRecord.Outcome.Generations.back();
        measures.Living[population] = living;
        measures.Gc[population] = GcValue(gcText);
        measures.DiedOutAt[population] = FDiedOutAt[population];

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
    TTableRun& FRecord;
    std::string FPrefix;
    std::string FRow;
    std::int32_t FEvery;
    std::int32_t FGenerations;
    std::int32_t FGeneration = 0;
    std::int32_t FDiedOutAt[2] = {0, 0};
};

}  // namespace

TTableRun RunStudyRun(const TStudyRun& run, const TParameterTexts& parameters, std::int32_t every)
{
    TTableRun record{run, parameters, {}, {}};
    TStringSink rows;
    // The texts were checked before the study started.
    TStudyRunHost host(rows, record, every, StrToInt(parameters[paGenerations]));
    TRunFields fields;
    fields.Edit1 = parameters[paGene];
    fields.Edit2 = parameters[paGenerations];
    fields.Edit3 = parameters[paKillFactor];
    fields.Edit4 = parameters[paMutationLimit];
    fields.Edit5 = parameters[paMutationRate];
    fields.Seed = run.Seed;
    // Whatever ran in this process before (a summary's arithmetic too) leaves no flag behind.
    SetFloatEnvironment();
    try {
        SimulationRun(host, fields);
    } catch (const Exception& e) {
        host.Failed(e.Message);
    } catch (const std::bad_alloc&) {
        host.Failed(kOutOfMemoryMessage);
    }
    record.Rows = std::move(rows.Text);
    return record;
}

TTableRun FailedStudyRun(const TStudyRun& run, const TParameterTexts& parameters, const std::string& message)
{
    TTableRun record{run, parameters, {}, ErrorRow(RowPrefix(run, parameters), message)};
    record.Outcome.Failed = true;
    return record;
}
