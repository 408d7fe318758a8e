#include "batch/BatchOutput.h"

#include "app/FloatToText.h"
#include "app/IntegerText.h"

volatile std::sig_atomic_t StopSignal = 0;

void TBatchOutput::Measured(TResultBox box, std::uint8_t living, long double averageGC)
{
    if (box == TResultBox::Sexual && StopSignal != 0)
        throw EStopped("Abbruch");
    Tabulate(box, living, averageGC);
}

void TMemoOutput::AppendLine(TResultBox box, std::string_view line)
{
    if (box == TResultBox::Sexual)
        FOut.WriteLine(line);
    else
        FAsexualLines.AppendLine(line);
}

void TMemoOutput::Finish()
{
    FOut.Write("\n");
    FAsexualLines.MoveTo(FOut);
}

TCsvOutput::TCsvOutput(TTextSink& out) : TBatchOutput(out)
{
    FOut.Write("generation,sexual_living,sexual_gc,asexual_living,asexual_gc\n");
}

void TCsvOutput::Tabulate(TResultBox box, std::uint8_t living, long double averageGC)
{
    if (box == TResultBox::Sexual)
        FRow = IntToStr(++FGeneration);
    FRow += ',';
    FRow += IntToStr(living);
    FRow += ',';
    char gc[kFloatTextCapacity];
    FRow.append(gc, FloatToText(gc, averageGC, 15, 0, U'.'));
    if (box == TResultBox::Asexual) {
        FRow += '\n';
        FOut.Write(FRow);
        FRow.clear();
    }
}

void TCsvOutput::Finish()
{
    if (FRow.empty())
        return;
    FOut.Write(FRow);
    FOut.Write(",,\n");
}
