#include "main/FormRunHost.h"

#include "Unit2/Unit2.h"
#include "app/shell/Application.h"
#include "app/shell/Screen.h"
#include "main/Form1.h"

#include <QPlainTextEdit>

QPlainTextEdit* TFormRunHost::Memo(TResultBox box) const
{
    return box == TResultBox::Memo1 ? FForm.Memo1 : FForm.Memo2;
}

void TFormRunHost::ClearLines(TResultBox box)
{
    FPendingLines[static_cast<int>(box)] = {};
    Memo(box)->clear();
}

// Nothing repaints between two message pumps, so the lines of a run wait and
// enter each box in one insertion: laying out a block at a time would cost
// more than the whole simulation. They wait as UTF-8, which costs no
// allocation per line and is decoded once.
void TFormRunHost::AppendLine(TResultBox box, std::string_view line)
{
    TPendingLines& pending = FPendingLines[static_cast<int>(box)];
    if (!pending.Empty)
        pending.Text.append('\n');
    pending.Text.append(line.data(), static_cast<qsizetype>(line.size()));
    pending.Empty = false;
}

void TFormRunHost::FlushLines()
{
    for (TResultBox box : {TResultBox::Memo1, TResultBox::Memo2}) {
        TPendingLines& pending = FPendingLines[static_cast<int>(box)];
        if (pending.Empty)
            continue;
        Memo(box)->appendPlainText(QString::fromUtf8(pending.Text));
        pending = {};
    }
}

TLineSeries& TFormRunHost::Series(TRunSeries series) const
{
    switch (series) {
    case TRunSeries::Series1: return *Form2->Series1;
    case TRunSeries::Series2: return *Form2->Series2;
    case TRunSeries::Series3: return *Form2->Series3;
    case TRunSeries::Series4: break;
    }
    return *Form2->Series4;
}

void TFormRunHost::ClearSeries(TRunSeries series)
{
    Series(series).Clear();
}

void TFormRunHost::AddPoint(TRunSeries series, double value, std::uint32_t colour)
{
    Series(series).Add(value, {}, colour);
}

bool TFormRunHost::ChartVisible()
{
    return Form2->isVisible();
}

void TFormRunHost::ProcessMessages()
{
    FlushLines();
    Application->ProcessMessages();
}

// The end of every run, however it ends, comes with the normal cursor.
void TFormRunHost::SetBusyCursor(bool busy)
{
    if (!busy)
        FlushLines();
    Screen->SetCursor(busy ? crHourGlass : crDefault);
}
