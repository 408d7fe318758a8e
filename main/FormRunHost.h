#pragma once
// The main window's side of a run: lines into its two result boxes, points into the
// chart window's series, the message pump and the busy cursor. While the chart window is
// shown, a run pumps messages every generation but presents a new frame (the boxes' new
// lines and the chart's new picture) only at the display's pace, and always at its end;
// in between the boxes take in lines without showing them.
#include "main/FormRunHostFrames.h"
#include "main/SimulationRun.h"

#include <QByteArray>

class QPlainTextEdit;
class TForm1;
class TLineSeries;

class TFormRunHost : public TRunHost {
public:
    explicit TFormRunHost(TForm1& form) : FForm(form) {}

    void ClearLines(TResultBox box) override;
    void AppendLine(TResultBox box, std::string_view line) override;
    void ClearSeries(TRunSeries series) override;
    void AddPoint(TRunSeries series, double value, std::uint32_t colour) override;
    bool ChartVisible() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool busy) override;

    // The clock of the frames' pace (tests make it their own).
    void SetFrameClock(TFramePace::TClock clock) { FPace.SetClock(std::move(clock)); }
    // The size of the pieces in which lines enter the boxes between frames (tests make it small).
    void SetPieceBytes(qsizetype bytes) { FPieceBytes = bytes; }

private:
    QPlainTextEdit* Memo(TResultBox box) const;
    // Inserts the waiting lines of every box that has at least atLeast bytes of them.
    void FlushLines(qsizetype atLeast);
    void FlushLines(TResultBox box);
    // Keeps the boxes' picture as it is while lines enter them.
    void HoldBoxes(bool hold);

    // A box's lines since its last insertion, as UTF-8 joined by line breaks.
    struct TPendingLines {
        QByteArray Text;
        bool Empty = true;
    };

    void BeginRun();
    void EndRun();

    TForm1& FForm;
    TPendingLines FPendingLines[2];  // indexed by TResultBox
    TFramePace FPace;
    // Between two frames the boxes take their lines in pieces of this size while they keep
    // showing the last frame, so that a frame inserts no more than one piece per box.
    qsizetype FPieceBytes = qsizetype{16} << 10;
    // Runs going on: a run started from a pump runs inside the one that pumps.
    int FRuns = 0;
};
