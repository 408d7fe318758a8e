#include "testing/Elastic2/ElasticTestForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <stdexcept>
#include <type_traits>

namespace {

template <class TControl>
TControl* Add(QWidget* Parent, const char* Name, const QString& Text, QRect Bounds)
{
    auto* Control = new TControl(Parent);
    Control->setObjectName(QString::fromLatin1(Name));
    if constexpr (std::is_same_v<TControl, QPlainTextEdit>)
        Control->setPlainText(Text);
    else
        Control->setText(Text);
    Control->setGeometry(Bounds);
    return Control;
}

QGroupBox* AddGroup(QWidget* Parent, const char* Name, const QString& Title, QRect Bounds)
{
    auto* Group = new QGroupBox(Title, Parent);
    Group->setObjectName(QString::fromLatin1(Name));
    Group->setGeometry(Bounds);
    return Group;
}

} // namespace

std::unique_ptr<QWidget> MakeTestForm()
{
    auto Form = std::make_unique<QWidget>();
    QFont Font(QStringLiteral("MS Sans Serif"));
    Font.setPixelSize(13);
    Form->setFont(Font);
    Form->resize(501, 436);

    // Labels are created among the other controls: the visiting order puts them first anyway.
    QGroupBox* GroupBox1 = AddGroup(Form.get(), "GroupBox1", QStringLiteral("Werte"), {8, 221, 473, 159});
    Add<QLabel>(GroupBox1, "Label6", QStringLiteral("Nicht-Sexuelle Vermehrung:"), {16, 24, 165, 16});
    Add<QPlainTextEdit>(GroupBox1, "Memo2", QString(), {10, 47, 215, 96});
    Add<QLabel>(GroupBox1, "Label7", QStringLiteral("Sexuelle Vermehrung:"), {240, 24, 131, 16});
    Add<QPlainTextEdit>(GroupBox1, "Memo1", QString(), {237, 47, 222, 96});

    QGroupBox* GroupBox2 = AddGroup(Form.get(), "GroupBox2", QStringLiteral("Initialisierung"), {8, 8, 473, 207});
    Add<QLabel>(GroupBox2, "Label1", QStringLiteral("Initgen:"), {16, 25, 41, 16});
    Add<QPushButton>(GroupBox2, "Button3", QStringLiteral("Start"), {16, 158, 433, 33});
    Add<QLabel>(GroupBox2, "Label2", QStringLiteral("Läufe:"), {16, 64, 35, 16});
    Add<QLineEdit>(GroupBox2, "Edit1", QStringLiteral("AAATTCCCGG"), {95, 25, 122, 24});
    Add<QLabel>(GroupBox2, "Label4", QStringLiteral("Mutationlimit:"), {245, 64, 75, 16});
    Add<QLineEdit>(GroupBox2, "Edit2", QStringLiteral("500"), {167, 64, 48, 24});
    Add<QLabel>(GroupBox2, "Label3", QStringLiteral("Parasitkillfaktor:"), {245, 104, 93, 16});
    Add<QLineEdit>(GroupBox2, "Edit4", QStringLiteral("30"), {403, 64, 40, 24});
    Add<QLabel>(GroupBox2, "Label5", QStringLiteral("Mutationrate:"), {245, 25, 75, 16});
    Add<QLineEdit>(GroupBox2, "Edit3", QStringLiteral("1"), {403, 104, 40, 24});
    Add<QLineEdit>(GroupBox2, "Edit5", QStringLiteral("3"), {403, 25, 40, 24});
    Add<QCheckBox>(GroupBox2, "CheckBox1", QStringLiteral("Grafische Ausgabe"), {24, 103, 193, 17});
    Add<QCheckBox>(GroupBox2, "CheckBox2", QStringLiteral("3D"), {168, 103, 41, 17});
    Add<QCheckBox>(GroupBox2, "CheckBox3", QStringLiteral("GC sex."), {24, 134, 97, 17});
    Add<QCheckBox>(GroupBox2, "CheckBox4", QStringLiteral("Lebende sex."), {120, 134, 97, 17});
    Add<QCheckBox>(GroupBox2, "CheckBox5", QStringLiteral("GC n. sex."), {240, 134, 97, 17});
    Add<QCheckBox>(GroupBox2, "CheckBox6", QStringLiteral("Lebende n. sex."), {336, 134, 113, 17});

    QLabel* Label8 = Add<QLabel>(Form.get(), "Label8", QStringLiteral("Kelvaro: Rote Königin im Reagenzglas"), {8, 388, 366, 13});
    QFont CreditFont(QStringLiteral("MS Sans Serif"));
    CreditFont.setPixelSize(12);
    Label8->setFont(CreditFont);
    return Form;
}

void SetOuterSize(QWidget& Form, int Width, int Height)
{
    const QSize Frame = Form.frameSize() - Form.size();
    Form.resize(Width - Frame.width(), Height - Frame.height());
}

void ShowWithOuterSize(QWidget& Form, int Width, int Height)
{
    Form.show();
    SetOuterSize(Form, Width, Height);
}

QWidget& Control(QWidget& Form, const QString& Name)
{
    auto* Found = Form.findChild<QWidget*>(Name);
    if (Found == nullptr)
        throw std::invalid_argument(Name.toStdString());
    return *Found;
}

QLabel& LabelOf(QWidget& Form, const QString& Name)
{
    auto* Found = Form.findChild<QLabel*>(Name);
    if (Found == nullptr)
        throw std::invalid_argument(Name.toStdString());
    return *Found;
}

QList<QWidget*> AllControlsOf(QWidget& Form)
{
    // Qt's internal children (viewports, scroll bars) do not carry design names.
    static const QRegularExpression DesignName(QStringLiteral("^(Label|Edit|Memo|Button|CheckBox|GroupBox)\\d$"));
    return Form.findChildren<QWidget*>(DesignName);
}

void PrintTo(const QRect& Rect, std::ostream* Out)
{
    *Out << Rect.left() << ", " << Rect.top() << ", " << Rect.width() << ", " << Rect.height();
}
