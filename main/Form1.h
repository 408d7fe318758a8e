#pragma once
// The main window: parameter fields, Start, the check boxes that drive the
// chart window, and the two result boxes. It hosts the simulation run.
#include "main/FormRunHost.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TCheckBox;
class TElastic;

class TForm1 : public QWidget {
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

    // Where a run started by Start writes.
    TRunHost& RunHost() { return FRunHost; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();

    TFormRunHost FRunHost{*this};
};

extern TForm1* Form1;
