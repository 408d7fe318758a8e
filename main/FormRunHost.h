#pragma once
// The main window's side of a run: lines into its two result boxes, points into the
// chart window's series, the message pump and the busy cursor.
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

private:
    QPlainTextEdit* Memo(TResultBox box) const;
    TLineSeries& Series(TRunSeries series) const;
    void FlushLines();
    void FlushLines(TResultBox box);

    // A box's lines since its last insertion, as UTF-8 joined by line breaks.
    struct TPendingLines {
        QByteArray Text;
        bool Empty = true;
    };

    TForm1& FForm;
    TPendingLines FPendingLines[2];  // indexed by TResultBox
};
