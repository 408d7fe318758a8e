#include "batch/BatchOutput.h"

#include "app/FloatToText.h"
#include "app/IntegerText.h"

void TMemoOutput::AppendLine(TResultBox box, std::string_view line)
{
    if (box == TResultBox::Memo1) {
        out_.Write(line);
        out_.Write("\n");
    } else {
        memo2_.Append(line);
        memo2_.Append("\n");
    }
}

void TMemoOutput::Finish()
{
    out_.Write("\n");
    memo2_.MoveTo(out_);
}

TCsvOutput::TCsvOutput(TTextSink& out) : TBatchOutput(out)
{
    out_.Write("generation,sexual_living,sexual_gc,asexual_living,asexual_gc\n");
}

void TCsvOutput::Measured(TResultBox box, std::uint8_t living, long double averageGC)
{
    if (box == TResultBox::Memo1)
        row_ = IntToStr(++generation_);
    row_ += ',';
    row_ += IntToStr(living);
    row_ += ',';
    char gc[kFloatTextCapacity];
    row_.append(gc, FloatToText(gc, averageGC, 15, 0, U'.'));
    if (box == TResultBox::Memo2) {
        row_ += '\n';
        out_.Write(row_);
    }
}
