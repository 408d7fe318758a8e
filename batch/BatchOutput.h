#pragma once
// The runner's side of a run: no windows, so no cursor, no chart and no
// messages; the lines and numbers go to a text sink.
#include "base/Exception.h"
#include "batch/SpillBuffer.h"
#include "batch/TextSink.h"
#include "main/SimulationRun.h"

#include <csignal>

// Set from a signal handler to the number of the signal that asks the run to stop.
extern volatile std::sig_atomic_t StopSignal;

// Raised at the start of a generation once StopSignal is set, so that both boxes
// hold the same whole generations.
KELVARO_EXCEPTION_CLASS(EStopped, Exception);

class TBatchOutput : public TRunHost {
public:
    explicit TBatchOutput(TTextSink& out) : FOut(out) {}

    void ClearLines(TResultBox) override {}
    void ClearSeries(TRunSeries) override {}
    void AddPoint(TRunSeries, double, std::uint32_t) override {}
    bool ChartVisible() override { return false; }
    void ProcessMessages() override {}
    void SetBusyCursor(bool) override {}
    void Measured(TResultBox box, std::uint8_t living, long double averageGC) final;

    // Writes what is still held back once the run has ended, however it ended.
    virtual void Finish() = 0;

protected:
    // Measured, for outputs that keep the numbers.
    virtual void Tabulate(TResultBox /*box*/, std::uint8_t /*living*/, long double /*averageGC*/) {}

    TTextSink& FOut;
};

// The sexual box's lines, an empty line, the asexual box's lines (as the window shows them).
class TMemoOutput : public TBatchOutput {
public:
    using TBatchOutput::TBatchOutput;
    void AppendLine(TResultBox box, std::string_view line) override;
    void Finish() override;

private:
    TSpillBuffer FAsexualLines;  // held back until the sexual lines are complete
};

// One row per generation; GC values always with "." as separator. A generation
// cut short after its sexual half keeps that half, with empty asexual fields.
class TCsvOutput : public TBatchOutput {
public:
    explicit TCsvOutput(TTextSink& out);
    void AppendLine(TResultBox, std::string_view) override {}
    void Finish() override;

protected:
    void Tabulate(TResultBox box, std::uint8_t living, long double averageGC) override;

private:
    std::int32_t FGeneration = 0;
    std::string FRow;  // the generation in progress
};
