#include "main/Form1.h"

#include "Elastic2/Elastic2.h"
#include "Unit2/Unit2.h"
#include "app/shell/Application.h"
#include "app/shell/CheckBox.h"
#include "app/shell/ControlHint.h"
#include "app/shell/DesignFont.h"
#include "app/shell/HandlerGuard.h"
#include "app/shell/WindowFrame.h"
#include "base/DesignScale.h"
#include "main/ParameterField.h"
#include "main/SimulationRun.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

TForm1* Form1 = nullptr;

namespace {

constexpr QSize kOuterSize(501, 436);

template <class TControl>
TControl* Place(TControl* control, const char* name, const QRect& bounds)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(bounds);
    return control;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& bounds, const std::string& text,
                    const QString& hint, bool upperCase = false)
{
    auto* edit = Place(new TParameterField(QString::fromStdString(text), 10, upperCase, parent), name, bounds);
    SetHint(edit, hint);
    SetShowHint(edit, true);
    return edit;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* memo = Place(new QPlainTextEdit(parent), name, bounds);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setTabChangesFocus(true);
    return memo;
}

}  // namespace

TForm1::TForm1()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kelvaro"));
    BuildControls();
    ConnectHandlers();
    // The frame's giving way is not a user's resize: the layout follows it without scaling.
    auto* frame = new TWindowFrame(*this, kOuterSize);
    frame->OnGivingWay = [this] { Elastic1->Enabled = false; };
    frame->OnGivenWay = [this] { Elastic1->Enabled = true; };
    // Created last: it takes the window's design size as its reference.
    Elastic1 = new TElastic(this);
    TResizeSlot::Of(*this).Boundary = InvokeHandler;
}

void TForm1::BuildControls()
{
    const int ppi = qRound(screen()->logicalDotsPerInchY());
    const auto s = [ppi](int left, int top, int width, int height) {
        return QRect(ScaledFromDesign(left, ppi), ScaledFromDesign(top, ppi), ScaledFromDesign(width, ppi),
                     ScaledFromDesign(height, ppi));
    };
    setFont(DesignFont(ScaledFromDesign(13, ppi)));
    move(235, 174);

    // Creation order is the controls' child order, which the elastic layout visits.
    GroupBox1 = Place(new QGroupBox(QStringLiteral("Werte"), this), "GroupBox1", s(8, 221, 473, 159));
    Label6 = Place(new QLabel(QStringLiteral("Nicht-Sexuelle Vermehrung:"), GroupBox1), "Label6", s(16, 24, 165, 16));
    Label7 = Place(new QLabel(QStringLiteral("Sexuelle Vermehrung:"), GroupBox1), "Label7", s(240, 24, 131, 16));
    Memo2 = MakeMemo(GroupBox1, "Memo2", s(10, 47, 215, 96));
    Memo1 = MakeMemo(GroupBox1, "Memo1", s(237, 47, 222, 96));

    GroupBox2 = Place(new QGroupBox(QStringLiteral("Initialisierung"), this), "GroupBox2", s(8, 8, 473, 207));
    Label1 = Place(new QLabel(QStringLiteral("Initgen:"), GroupBox2), "Label1", s(16, 25, 41, 16));
    Label2 = Place(new QLabel(QStringLiteral("Läufe:"), GroupBox2), "Label2", s(16, 64, 35, 16));
    Label4 = Place(new QLabel(QStringLiteral("Mutationlimit:"), GroupBox2), "Label4", s(245, 64, 75, 16));
    Label3 = Place(new QLabel(QStringLiteral("Parasitkillfaktor:"), GroupBox2), "Label3", s(245, 104, 93, 16));
    Label5 = Place(new QLabel(QStringLiteral("Mutationrate:"), GroupBox2), "Label5", s(245, 25, 75, 16));
    Button3 = Place(new QPushButton(QStringLiteral("Start"), GroupBox2), "Button3", s(16, 158, 433, 33));
    // Return and keypad Enter press the button while it has the focus, as Space does.
    Button3->setAutoDefault(true);
    const TRunFields defaults;
    Edit1 = MakeEdit(GroupBox2, "Edit1", s(95, 25, 122, 24), defaults.Gene,
                     QStringLiteral("Gen von max. 10 Basen Länge"), true);
    Edit2 = MakeEdit(GroupBox2, "Edit2", s(167, 64, 48, 24), defaults.Generations,
                     QStringLiteral("Anzahl der Generationen"));
    Edit4 = MakeEdit(GroupBox2, "Edit4", s(403, 64, 40, 24), defaults.MutationLimit,
                     QStringLiteral("Ab wann ist eine Mutation lethal?"));
    Edit3 = MakeEdit(GroupBox2, "Edit3", s(403, 104, 40, 24), defaults.KillFactor,
                     QStringLiteral("Zusammenhang zwischen\nParasit und GC-Gehalt"));
    Edit5 =
        MakeEdit(GroupBox2, "Edit5", s(403, 25, 40, 24), defaults.MutationRate, QStringLiteral("Mutationsrate in %"));
    CheckBox1 = Place(new TCheckBox(QStringLiteral("Grafische Ausgabe"), GroupBox2), "CheckBox1", s(24, 103, 193, 17));
    CheckBox2 = Place(new TCheckBox(QStringLiteral("3D"), GroupBox2), "CheckBox2", s(168, 103, 41, 17));
    CheckBox3 = Place(new TCheckBox(QStringLiteral("GC sex."), GroupBox2), "CheckBox3", s(24, 134, 97, 17));
    CheckBox4 = Place(new TCheckBox(QStringLiteral("Lebende sex."), GroupBox2), "CheckBox4", s(120, 134, 97, 17));
    CheckBox5 = Place(new TCheckBox(QStringLiteral("GC n. sex."), GroupBox2), "CheckBox5", s(240, 134, 97, 17));
    CheckBox6 = Place(new TCheckBox(QStringLiteral("Lebende n. sex."), GroupBox2), "CheckBox6", s(336, 134, 113, 17));
    for (TCheckBox* box : {CheckBox3, CheckBox4, CheckBox5, CheckBox6})
        box->SetChecked(true);

    Label8 = Place(new QLabel(QStringLiteral("Kelvaro · Vermehrungsstrategien unter Parasitendruck"), this), "Label8",
                   s(8, 388, 366, 13));
    Label8->setFont(DesignFont(ScaledFromDesign(12, ppi)));
    QPalette black = Label8->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label8->setPalette(black);

    QWidget* const order[] = {Memo2, Memo1,     Button3,   Edit1,     Edit2,     Edit4,     Edit3,
                              Edit5, CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// Attached after the initial states are set, so building the window fires nothing.
void TForm1::ConnectHandlers()
{
    connect(Button3, &QPushButton::clicked, this, Guarded(this, [this] { Button3Click(); }));
    CheckBox1->OnClick = [this] { CheckBox1Click(); };
    CheckBox2->OnClick = [this] { CheckBox2Click(); };
    CheckBox3->OnClick = [this] { CheckBox3Click(); };
    CheckBox4->OnClick = [this] { CheckBox4Click(); };
    CheckBox5->OnClick = [this] { CheckBox5Click(); };
    CheckBox6->OnClick = [this] { CheckBox6Click(); };
}

void TForm1::Button3Click()
{
    TRunFields fields;
    fields.Gene = Edit1->text().toStdString();
    fields.Generations = Edit2->text().toStdString();
    fields.KillFactor = Edit3->text().toStdString();
    fields.MutationLimit = Edit4->text().toStdString();
    fields.MutationRate = Edit5->text().toStdString();
    SimulationRun(FRunHost, fields);
}

void TForm1::AttachChartWindow()
{
    connect(Form2, &TForm2::FormClose, this, Guarded(Form2, [this] { Form2Close(); }));
}

void TForm1::Form2Close()
{
    CheckBox1->SetChecked(false);
}

void TForm1::CheckBox1Click()
{
    if (CheckBox1->Checked()) {
        Form2->MoveOuter({x(), y() + GroupBox1->y() + 20});
        Form2->show();
    } else {
        Form2->hide();
    }
}

void TForm1::CheckBox2Click()
{
    Form2->DataChart1->SetView3D(CheckBox2->Checked());
}

void TForm1::CheckBox3Click()
{
    Form2->Series1->SetActive(CheckBox3->Checked());
}

void TForm1::CheckBox4Click()
{
    Form2->Series2->SetActive(CheckBox4->Checked());
}

void TForm1::CheckBox5Click()
{
    Form2->Series4->SetActive(CheckBox5->Checked());
}

void TForm1::CheckBox6Click()
{
    Form2->Series3->SetActive(CheckBox6->Checked());
}

// Closing the main window ends the program; the window stays as it is until
// the message loop has taken the quit request.
void TForm1::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (Application->MainForm() == this)
        Application->Terminate();
}
