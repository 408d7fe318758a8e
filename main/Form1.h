#pragma once
// The main window: parameter fields, Start, the check boxes that drive the
// chart window, and the two result boxes. It hosts the simulation run.
#include "main/SimulationRun.h"

#include <QByteArray>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TCheckBox;
class TElastic;
class TLineSeries;

class TForm1 : public QWidget, public TRunHost {
public:
    TForm1();

    QGroupBox* GroupBox2;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QLineEdit* Edit2;
    QLabel* Label5;
    QLineEdit* Edit5;
    QLabel* Label4;
    QLineEdit* Edit4;
    QLabel* Label3;
    QLineEdit* Edit3;
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox4;
    TCheckBox* CheckBox5;
    TCheckBox* CheckBox6;
    QPushButton* Button3;
    QGroupBox* GroupBox1;
    QLabel* Label6;
    QLabel* Label7;
    QPlainTextEdit* Memo2;
    QPlainTextEdit* Memo1;
    QLabel* Label8;
    TElastic* Elastic1;

    // Connects the chart window's close to Form2Close; called once Form2 exists.
    void AttachChartWindow();
    // The user closed the chart window: "Grafische Ausgabe" goes off.
    void Form2Close();

    void Button3Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox6Click();

    // TRunHost
    void ClearLines(TResultBox box) override;
    void AppendLine(TResultBox box, std::string_view line) override;
    void ClearSeries(TRunSeries series) override;
    void AddPoint(TRunSeries series, double value, std::uint32_t colour) override;
    bool ChartVisible() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool busy) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    QPlainTextEdit* Memo(TResultBox box) const;
    TLineSeries& Series(TRunSeries series) const;
    void FlushLines();

    // A box's lines since its last insertion, as UTF-8 joined by line breaks.
    struct TPendingLines {
        QByteArray Text;
        bool Empty = true;
    };
    TPendingLines FPendingLines[2]; // indexed by TResultBox
};

extern TForm1* Form1;
