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
TControl* Add(QWidget* parent, const char* name, const QString& text, QRect bounds)
{
    auto* control = new TControl(parent);
    control->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_same_v<TControl, QPlainTextEdit>)
        control->setPlainText(text);
    else
        control->setText(text);
    control->setGeometry(bounds);
    return control;
}

QGroupBox* AddGroup(QWidget* parent, const char* name, const QString& title, QRect bounds)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(bounds);
    return group;
}

}  // namespace

std::unique_ptr<QWidget> MakeTestForm()
{
    auto form = std::make_unique<QWidget>();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    form->setFont(font);
    form->resize(501, 436);

    // Labels are created among the other controls: the visiting order puts them first anyway.
    QGroupBox* groupBox1 = AddGroup(form.get(), "GroupBox1", QStringLiteral("Werte"), {8, 221, 473, 159});
    Add<QLabel>(groupBox1, "Label6", QStringLiteral("Nicht-Sexuelle Vermehrung:"), {16, 24, 165, 16});
    Add<QPlainTextEdit>(groupBox1, "Memo2", QString(), {10, 47, 215, 96});
    Add<QLabel>(groupBox1, "Label7", QStringLiteral("Sexuelle Vermehrung:"), {240, 24, 131, 16});
    Add<QPlainTextEdit>(groupBox1, "Memo1", QString(), {237, 47, 222, 96});

    QGroupBox* groupBox2 = AddGroup(form.get(), "GroupBox2", QStringLiteral("Initialisierung"), {8, 8, 473, 207});
    Add<QLabel>(groupBox2, "Label1", QStringLiteral("Initgen:"), {16, 25, 41, 16});
    Add<QPushButton>(groupBox2, "Button3", QStringLiteral("Start"), {16, 158, 433, 33});
    Add<QLabel>(groupBox2, "Label2", QStringLiteral("Läufe:"), {16, 64, 35, 16});
    Add<QLineEdit>(groupBox2, "Edit1", QStringLiteral("AAATTCCCGG"), {95, 25, 122, 24});
    Add<QLabel>(groupBox2, "Label4", QStringLiteral("Mutationlimit:"), {245, 64, 75, 16});
    Add<QLineEdit>(groupBox2, "Edit2", QStringLiteral("500"), {167, 64, 48, 24});
    Add<QLabel>(groupBox2, "Label3", QStringLiteral("Parasitkillfaktor:"), {245, 104, 93, 16});
    Add<QLineEdit>(groupBox2, "Edit4", QStringLiteral("30"), {403, 64, 40, 24});
    Add<QLabel>(groupBox2, "Label5", QStringLiteral("Mutationrate:"), {245, 25, 75, 16});
    Add<QLineEdit>(groupBox2, "Edit3", QStringLiteral("1"), {403, 104, 40, 24});
    Add<QLineEdit>(groupBox2, "Edit5", QStringLiteral("3"), {403, 25, 40, 24});
    Add<QCheckBox>(groupBox2, "CheckBox1", QStringLiteral("Grafische Ausgabe"), {24, 103, 193, 17});
    Add<QCheckBox>(groupBox2, "CheckBox2", QStringLiteral("3D"), {168, 103, 41, 17});
    Add<QCheckBox>(groupBox2, "CheckBox3", QStringLiteral("GC sex."), {24, 134, 97, 17});
    Add<QCheckBox>(groupBox2, "CheckBox4", QStringLiteral("Lebende sex."), {120, 134, 97, 17});
    Add<QCheckBox>(groupBox2, "CheckBox5", QStringLiteral("GC n. sex."), {240, 134, 97, 17});
    Add<QCheckBox>(groupBox2, "CheckBox6", QStringLiteral("Lebende n. sex."), {336, 134, 113, 17});

    QLabel* label8 =
        Add<QLabel>(form.get(), "Label8", QStringLiteral("Kelvaro: Rote Königin im Reagenzglas"), {8, 388, 366, 13});
    QFont creditFont(QStringLiteral("MS Sans Serif"));
    creditFont.setPixelSize(12);
    label8->setFont(creditFont);
    return form;
}

void SetOuterSize(QWidget& form, int width, int height)
{
    const QSize frame = form.frameSize() - form.size();
    form.resize(width - frame.width(), height - frame.height());
}

void ShowWithOuterSize(QWidget& form, int width, int height)
{
    form.show();
    SetOuterSize(form, width, height);
}

QWidget& Control(QWidget& form, const QString& name)
{
    auto* found = form.findChild<QWidget*>(name);
    if (found == nullptr)
        throw std::invalid_argument(name.toStdString());
    return *found;
}

QLabel& LabelOf(QWidget& form, const QString& name)
{
    auto* found = form.findChild<QLabel*>(name);
    if (found == nullptr)
        throw std::invalid_argument(name.toStdString());
    return *found;
}

QList<QWidget*> AllControlsOf(QWidget& form)
{
    // Qt's internal children (viewports, scroll bars) do not carry design names.
    static const QRegularExpression kDesignName(QStringLiteral("^(Label|Edit|Memo|Button|CheckBox|GroupBox)\\d$"));
    return form.findChildren<QWidget*>(kDesignName);
}

void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.left() << ", " << rect.top() << ", " << rect.width() << ", " << rect.height();
}
