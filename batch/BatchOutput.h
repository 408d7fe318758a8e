#pragma once
// The runner's side of a run: no windows, so no cursor, no chart and no
// messages; the lines and numbers go to a text sink.
#include "batch/SpillBuffer.h"
#include "batch/TextSink.h"
#include "main/SimulationRun.h"

class TBatchOutput : public TRunHost {
public:
    explicit TBatchOutput(TTextSink& out) : out_(out) {}

    void ClearLines(TResultBox) override {}
    void ClearSeries(TRunSeries) override {}
    void AddPoint(TRunSeries, double, std::uint32_t) override {}
    bool ChartVisible() override { return false; }
    void ProcessMessages() override {}
    void SetBusyCursor(bool) override {}

    // Writes what is still held back once the run has ended, however it ended.
    virtual void Finish() = 0;

protected:
    TTextSink& out_;
};

// Memo1's lines, an empty line, Memo2's lines.
class TMemoOutput : public TBatchOutput {
public:
    using TBatchOutput::TBatchOutput;
    void AppendLine(TResultBox box, std::string_view line) override;
    void Finish() override;

private:
    TSpillBuffer memo2_;  // held back until Memo1 is complete
};

// One row per whole generation; GC values always with "." as separator.
class TCsvOutput : public TBatchOutput {
public:
    explicit TCsvOutput(TTextSink& out);
    void AppendLine(TResultBox, std::string_view) override {}
    void Measured(TResultBox box, std::uint8_t living, long double averageGC) override;
    void Finish() override {}

private:
    std::int32_t generation_ = 0;
    std::string row_;
};
