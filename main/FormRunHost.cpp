#include "main/FormRunHost.h"

#include "Unit2/Unit2.h"
#include "app/shell/Application.h"
#include "app/shell/Screen.h"
#include "main/Form1.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QTextDocument>

#include <cstdlib>
#include <new>
#include <utility>

namespace {

constexpr qsizetype kPendingBytes = qsizetype{1} << 20;

// The text document does not survive running out of memory while it grows (it
// dereferences a failed reallocation), so room for its growth is claimed before
// each insertion: its node arrays double, the insertion is decoded to UTF-16.
void EnsureRoomToInsert(const QTextDocument& document, qsizetype bytes)
{
    const std::size_t room = static_cast<std::size_t>(document.blockCount()) * 256 +
                             static_cast<std::size_t>(document.characterCount()) * 4 +
                             static_cast<std::size_t>(bytes) * 16;
    void* const probe = std::malloc(room);
    if (!probe)
        throw std::bad_alloc();
    std::free(probe);
}

}  // namespace

QPlainTextEdit* TFormRunHost::Memo(TResultBox box) const
{
    return box == TResultBox::Sexual ? FForm.Memo1 : FForm.Memo2;
}

void TFormRunHost::ClearLines(TResultBox box)
{
    FPendingLines[static_cast<int>(box)] = {};
    Memo(box)->clear();
}

// The boxes show new lines only at a frame, so the lines of a run wait and
// enter each box in large insertions: laying out a block at a time would cost
// more than the whole simulation. They wait as UTF-8, which costs no
// allocation per line and is decoded once; past a mebibyte they go in at once,
// which bounds the memory of a run's waiting lines and of their decoding.
void TFormRunHost::AppendLine(TResultBox box, std::string_view line)
{
    TPendingLines& pending = FPendingLines[static_cast<int>(box)];
    if (!pending.Empty)
        pending.Text.append('\n');
    pending.Text.append(line.data(), static_cast<qsizetype>(line.size()));
    pending.Empty = false;
    if (pending.Text.size() >= kPendingBytes)
        FlushLines(box);
}

void TFormRunHost::FlushLines(qsizetype atLeast)
{
    for (const TResultBox box : {TResultBox::Sexual, TResultBox::Asexual}) {
        if (FPendingLines[static_cast<int>(box)].Text.size() >= atLeast)
            FlushLines(box);
    }
}

// The run's lines are not a user's edit: recording them for undo would keep a
// second copy of every line.
void TFormRunHost::FlushLines(TResultBox box)
{
    TPendingLines& pending = FPendingLines[static_cast<int>(box)];
    if (pending.Empty)
        return;
    // Taken out first: if the insertion runs out of memory, the lines are given up
    // and their memory is free for the report.
    const TPendingLines lines = std::exchange(pending, {});
    QTextDocument* const document = Memo(box)->document();
    EnsureRoomToInsert(*document, lines.Text.size());
    document->setUndoRedoEnabled(false);
    Memo(box)->appendPlainText(QString::fromUtf8(lines.Text));
    document->setUndoRedoEnabled(true);
}

void TFormRunHost::ClearSeries(TRunSeries series)
{
    Form2->RunSeries().Of(series).Clear();
}

void TFormRunHost::AddPoint(TRunSeries series, double value, std::uint32_t colour)
{
    Form2->RunSeries().Of(series).Add(value, {}, colour);
}

bool TFormRunHost::ChartVisible()
{
    return Form2->isVisible();
}

// Input is handled at every pump. The boxes hold their picture during a run, so lines may
// enter them between frames; a frame brings the rest of them in and lets the boxes and the
// chart repaint, which they do in this pump.
void TFormRunHost::ProcessMessages()
{
    if (!FPace.Due()) {
        FlushLines(FPieceBytes);
        Application->ProcessMessages();
        return;
    }
    FlushLines(0);
    HoldBoxes(false);
    Form2->PresentFrame();
    Application->ProcessMessages();
    HoldBoxes(true);
    FPace.Presented();
}

void TFormRunHost::HoldBoxes(bool hold)
{
    FForm.Memo1->setUpdatesEnabled(!hold);
    FForm.Memo2->setUpdatesEnabled(!hold);
}

// The chart and the boxes hold their frames from the start of the outermost run to its end, where it shows
// what is pending: the final state of a run that ends, stops or fails, before any message box.
// KELVARO_PAINT_EVERY_GENERATION=1 presents a frame at every pump, for comparison.
void TFormRunHost::BeginRun()
{
    if (FRuns++ > 0)
        return;
    FPace.Start(TFramePace::IntervalOf(Form2->screen()->refreshRate()),
                qEnvironmentVariableIntValue("KELVARO_PAINT_EVERY_GENERATION") == 1);
    Form2->HoldFrames(true);
    HoldBoxes(true);
}

void TFormRunHost::EndRun()
{
    if (FRuns > 0 && --FRuns > 0)
        return;
    FPace.Stop();
    Form2->HoldFrames(false);
    HoldBoxes(false);
    FlushLines(0);
}

// The end of every run, however it ends, comes with the normal cursor, even when
// the last lines cannot be inserted any more.
void TFormRunHost::SetBusyCursor(bool busy)
{
    Screen->SetCursor(busy ? crHourGlass : crDefault);
    if (busy)
        BeginRun();
    else
        EndRun();
}
