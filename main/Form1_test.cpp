#include "main/Form1.h"

#include "app/shell/Application.h"
#include "app/shell/CheckBox.h"
#include "app/shell/ControlHint.h"
#include "app/shell/Screen.h"

#include "Unit2/Unit2.h"
#include "testing/Elastic2/ElasticTestForm.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TShownBox {
    QString Caption;
    QString Text;
};

class TBoxRecorder : public TMessagePresenter {
public:
    explicit TBoxRecorder(std::vector<TShownBox>& shown) : FShown(shown) {}
    void ShowMessage(QWidget*, const QString& caption, const QString& text, QMessageBox::Icon) override
    {
        FShown.push_back({caption, text});
    }

private:
    std::vector<TShownBox>& FShown;
};

const QString kSexualHeader = QString::fromUtf8(::kSexualHeader);
const QString kAsexualHeader = QString::fromUtf8(::kAsexualHeader);

// The application as the program starts it, with message boxes recorded.
class Form1Test : public ::testing::Test {
protected:
    Form1Test()
    {
        FApplication.SetMessagePresenter(std::make_unique<TBoxRecorder>(FShown));
        FApplication.SetTitle("Kelvaro");
        FApplication.CreateForm(Form1);
        FApplication.CreateForm(Form2);
        Form1->AttachChartWindow();
        Form1->show();
    }
    ~Form1Test() override
    {
        Form1 = nullptr;  // destroyed with the application
        Form2 = nullptr;
    }

    static QStringList Lines(const QPlainTextEdit* memo) { return memo->toPlainText().split(u'\n'); }

    static std::vector<int> PointCounts()
    {
        return {Form2->Series1->Count(), Form2->Series2->Count(), Form2->Series3->Count(), Form2->Series4->Count()};
    }

    static void Start(const QString& generations)
    {
        Form1->Edit2->setText(generations);
        QTest::mouseClick(Form1->Button3, Qt::LeftButton);
    }

    static bool CursorRestored()
    {
        return Screen->Cursor() == crDefault && QGuiApplication::overrideCursor() == nullptr;
    }

    std::vector<TShownBox> FShown;

private:
    TScreen FScreen;
    TApplication FApplication;
};

// The text a control shows: a label's, button's or edit field's text, a group box's title.
QString ShownText(const QWidget* control)
{
    if (auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* memo = qobject_cast<const QPlainTextEdit*>(control))
        return memo->toPlainText();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    return {};
}

const char* Kind(const QWidget* control)
{
    for (const char* kind : {"QGroupBox", "QLineEdit", "QPlainTextEdit", "QLabel", "QCheckBox", "QPushButton"})
        if (control->inherits(kind))
            return kind;
    return "";
}

// The design's table of controls lives once, in the elastic layout's test form; the window must
// match it control by control (the suite runs at the design resolution).
TEST_F(Form1Test, ControlsMatchTheDesignTable)
{
    const std::unique_ptr<QWidget> design = MakeTestForm();
    design->setObjectName(QStringLiteral("Form1"));
    const QList<QWidget*> designed = AllControlsOf(*design);
    ASSERT_EQ(AllControlsOf(*Form1).size(), designed.size());
    for (const QWidget* expected : designed) {
        SCOPED_TRACE(expected->objectName().toStdString());
        const QWidget* control = Form1->findChild<QWidget*>(expected->objectName());
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(Kind(control), Kind(expected));
        EXPECT_EQ(control->parentWidget()->objectName(), expected->parentWidget()->objectName());
        EXPECT_EQ(control->geometry(), expected->geometry());
        if (expected->objectName() != "Label8") {  // the credit line is the window's own
            EXPECT_EQ(ShownText(control), ShownText(expected));
        }
        EXPECT_EQ(control->font().pixelSize(), expected->font().pixelSize());
    }
}

// The text of a label, check box, push button or group box and the width its style gives it;
// no text for other controls.
std::pair<QString, int> TextAndRoom(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return {label->text(), label->contentsRect().width()};
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return {box->title(), box->contentsRect().width()};
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (button == nullptr)
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle::SubElement contents =
        qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents;
    return {button->text(), button->style()->subElementRect(contents, &option, button).width()};
}

// Run at 96, 120 and 144 pixels per inch (see CMakeLists.txt).
TEST_F(Form1Test, EveryCaptionIsShownWholeInItsControl)
{
    int captions = 0;
    for (QWidget* window : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form2)})
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const auto [text, room] = TextAndRoom(control);
            if (text.isEmpty())
                continue;
            ++captions;
            EXPECT_LE(control->fontMetrics().horizontalAdvance(text), room)
                << control->objectName().toStdString() << " at " << control->logicalDpiY() << " ppi";
        }
    EXPECT_EQ(captions, 17);
}

TEST_F(Form1Test, BackFromASliverLabelsHaveTheirDesignFontAndLeaveTheFieldsFree)
{
    TForm1& f = *Form1;
    const QSize frame = f.frameSize() - f.size();
    // Labels of 0 and of 1 point at the sliver's height.
    for (int sliver : {26, 30}) {
        SCOPED_TRACE(sliver);
        f.resize(QSize(501, sliver) - frame);
        f.resize(QSize(501, 436) - frame);
        for (QLabel* label : f.findChildren<QLabel*>()) {
            SCOPED_TRACE(label->objectName().toStdString());
            EXPECT_NEAR(label->font().pixelSize(), label == f.Label8 ? 12 : 13, 1);
            for (QWidget* field : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const bool isField = qobject_cast<QLineEdit*>(field) || qobject_cast<QPlainTextEdit*>(field);
                EXPECT_FALSE(isField && label->geometry().intersects(field->geometry()))
                    << field->objectName().toStdString();
            }
        }
    }
}

TEST_F(Form1Test, FieldsCheckBoxesAndHintsStartAsDesigned)
{
    TForm1& f = *Form1;
    struct TField {
        QLineEdit* Edit;
        const char* Hint;
    };
    const TField fields[] = {
        {f.Edit1, "Gen von max. 10 Basen Länge"},
        {f.Edit2, "Anzahl der Generationen"},
        {f.Edit3, "Zusammenhang zwischen\nParasit und GC-Gehalt"},
        {f.Edit4, "Ab wann ist eine Mutation lethal?"},
        {f.Edit5, "Mutationsrate in %"},
    };
    for (const TField& field : fields) {
        // Typed letters reach the initial gene upper-cased; every field keeps ten characters.
        field.Edit->clear();
        QTest::keyClicks(field.Edit, "acgtßacgtacgt");
        EXPECT_EQ(field.Edit->text(), field.Edit == f.Edit1 ? "ACGTßACGTA" : "acgtßacgta");
        EXPECT_TRUE(EffectiveShowHint(field.Edit));
        EXPECT_EQ(HintText(field.Edit), QString::fromUtf8(field.Hint));
    }
    for (QWidget* silent : std::initializer_list<QWidget*>{f.Label2, f.CheckBox1, f.Button3, f.Memo1, f.GroupBox2})
        EXPECT_FALSE(EffectiveShowHint(silent)) << silent->objectName().toStdString();

    const bool checked[] = {false, false, true, true, true, true};
    const TCheckBox* boxes[] = {f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4, f.CheckBox5, f.CheckBox6};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(boxes[i]->Checked(), checked[i]) << i;
    EXPECT_FALSE(Form2->isVisible());
}

TEST_F(Form1Test, TabTraversalFollowsTheTabOrders)
{
    TForm1& f = *Form1;
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    const QWidget* expected[] = {f.Memo2,     f.Memo1,     f.Button3,   f.Edit1,     f.Edit2,
                                 f.Edit4,     f.Edit3,     f.Edit5,     f.CheckBox1, f.CheckBox2,
                                 f.CheckBox3, f.CheckBox4, f.CheckBox5, f.CheckBox6, f.Memo2};
    f.Memo2->setFocus();
    for (const QWidget* w : expected) {
        EXPECT_EQ(QApplication::focusWidget(), w) << w->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(Form1Test, ReturnAndKeypadEnterPressTheFocusedStartButton)
{
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Return, Qt::NoModifier},
                                                              {Qt::Key_Enter, Qt::KeypadModifier}};
    Form1->Edit2->setText("3");
    Form1->Button3->setFocus();
    for (const auto& [key, modifiers] : keys) {
        Form1->Memo1->clear();
        QTest::keyClick(Form1->Button3, key, modifiers);
        EXPECT_EQ(Lines(Form1->Memo1).size(), 4) << key;
    }
}

TEST_F(Form1Test, DefaultRunFillsBothBoxesAndAllSeriesWhileTheChartIsHidden)
{
    QTest::mouseClick(Form1->Button3, Qt::LeftButton);
    EXPECT_EQ(Lines(Form1->Memo1).size(), 501);
    EXPECT_EQ(Lines(Form1->Memo2).size(), 501);
    EXPECT_EQ(PointCounts(), std::vector<int>(4, 500));
    EXPECT_TRUE(FShown.empty());
    EXPECT_TRUE(CursorRestored());
    EXPECT_FALSE(Form2->isVisible());

    Form1->CheckBox1->SetChecked(true);
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(PointCounts(), std::vector<int>(4, 500));
}

TEST_F(Form1Test, BadParametersLeaveWhatWasWrittenAndReportOnce)
{
    struct TCase {
        const char* Field;
        const char* Text;
        QStringList Memo1;
        QStringList Memo2;
        const char* Box;  // nullptr: no box
    };
    const TCase cases[] = {
        {"Edit2", "0", {kSexualHeader}, {kAsexualHeader}, nullptr},
        {"Edit2", "abc", {kSexualHeader}, {kAsexualHeader}, "'abc' ist kein gültiger Integerwert."},
        {"Edit5", "2.5x", {kSexualHeader}, {""}, "'2.5x' ist kein gültiger Gleitkommawert."},
        {"Edit3", "k", {kSexualHeader}, {""}, "'k' ist kein gültiger Gleitkommawert."},
        {"Edit4", "", {kSexualHeader}, {""}, "'' ist kein gültiger Integerwert."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Field) + " = " + c.Text);
        FShown.clear();
        QTest::mouseClick(Form1->Button3, Qt::LeftButton);  // something to clear away
        auto* field = Form1->findChild<QLineEdit*>(c.Field);
        const QString previous = field->text();
        field->setText(QString::fromUtf8(c.Text));
        QTest::mouseClick(Form1->Button3, Qt::LeftButton);
        field->setText(previous);

        EXPECT_EQ(Lines(Form1->Memo1), c.Memo1);
        EXPECT_EQ(Lines(Form1->Memo2), c.Memo2);
        EXPECT_EQ(PointCounts(), std::vector<int>(4, 0));
        EXPECT_TRUE(CursorRestored());
        if (!c.Box) {
            EXPECT_TRUE(FShown.empty());
            continue;
        }
        ASSERT_EQ(FShown.size(), 1u);
        EXPECT_EQ(FShown[0].Caption, "Kelvaro");
        EXPECT_EQ(FShown[0].Text, QString::fromUtf8(c.Box));
    }
}

TEST_F(Form1Test, WrittenLinesReachTheBoxUnchangedAtEachPumpAndAtTheEnd)
{
    // Each group is written between two pumps; the run's end brings in the last one.
    using TGroups = std::vector<std::vector<std::string>>;
    const TGroups cases[] = {
        {{"1; 49,95", "2; 50"}, {"3; 12,5"}, {"4; 0"}},
        {{"a", "", "b"}, {""}, {"", "c"}},
        {{"Größe ‰ 7"}, {"€; 3٫5", "x"}},
    };
    for (const TGroups& groups : cases) {
        Form1->RunHost().ClearLines(TResultBox::Sexual);
        Form1->RunHost().ClearLines(TResultBox::Asexual);
        QStringList written;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            for (const std::string& line : groups[g]) {
                Form1->RunHost().AppendLine(TResultBox::Sexual, line);
                written.append(QString::fromStdString(line));
            }
            SCOPED_TRACE(written.join(u'|').toStdString());
            if (g + 1 < groups.size())
                Form1->RunHost().ProcessMessages();
            else
                Form1->RunHost().SetBusyCursor(false);
            EXPECT_EQ(Lines(Form1->Memo1), written);
            EXPECT_TRUE(Form1->Memo2->toPlainText().isEmpty());
        }
    }
}

TEST_F(Form1Test, StartDuringAPumpingRunLeavesOnlyTheNewestRun)
{
    Form1->CheckBox1->SetChecked(true);
    Form1->Edit2->setText("40");
    bool busyInside = false;
    // Fires at the outer run's first pump: a new run with another length starts inside it.
    QTimer::singleShot(0, Form1, [&] {
        busyInside = Screen->Cursor() == crHourGlass;
        Form1->Edit2->setText("25");
        QTest::mouseClick(Form1->Button3, Qt::LeftButton);
    });
    QTest::mouseClick(Form1->Button3, Qt::LeftButton);

    EXPECT_TRUE(busyInside);
    EXPECT_EQ(Lines(Form1->Memo1).size(), 26);
    EXPECT_EQ(Lines(Form1->Memo2).size(), 26);
    EXPECT_EQ(PointCounts(), std::vector<int>(4, 25));
    EXPECT_TRUE(FShown.empty());
    EXPECT_TRUE(CursorRestored());
}

TEST_F(Form1Test, ClosingTheChartWindowUnchecksGraphicOutputAndReshowingPlacesItAgain)
{
    TForm1& f = *Form1;
    const QPoint computed(f.x(), f.y() + f.GroupBox1->y() + 20);
    f.CheckBox1->SetChecked(true);
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(Form2->pos(), computed);

    Form2->move(600, 50);
    Form2->close();
    EXPECT_FALSE(f.CheckBox1->Checked());
    EXPECT_FALSE(Form2->isVisible());

    QTest::mouseClick(f.CheckBox1, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(f.CheckBox1->Checked());
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(Form2->pos(), computed);
}

TEST_F(Form1Test, CheckBoxesSwitchTheChartAsTheirTitlesSay)
{
    TForm1& f = *Form1;
    struct TSwitch {
        TCheckBox* Box;
        std::function<bool()> State;
    };
    const TSwitch switches[] = {
        {f.CheckBox2, [] { return Form2->DataChart1->View3D(); }},
        {f.CheckBox3, [] { return Form2->Series1->Active(); }},
        {f.CheckBox4, [] { return Form2->Series2->Active(); }},
        {f.CheckBox5, [] { return Form2->Series4->Active(); }},
        {f.CheckBox6, [] { return Form2->Series3->Active(); }},
    };
    for (const TSwitch& s : switches) {
        SCOPED_TRACE(s.Box->objectName().toStdString());
        EXPECT_EQ(s.State(), s.Box->Checked());
        s.Box->SetChecked(!s.Box->Checked());
        EXPECT_EQ(s.State(), s.Box->Checked());
        s.Box->SetChecked(!s.Box->Checked());
        EXPECT_EQ(s.State(), s.Box->Checked());
    }
}

TEST_F(Form1Test, ClosingTheMainWindowDuringAPumpingRunEndsTheProgramAfterTheRun)
{
    Form1->CheckBox1->SetChecked(true);
    Form1->Edit2->setText("60");
    bool closedDuringRun = false;
    QTimer::singleShot(0, Form1, [&] {
        QTimer::singleShot(0, Form1, [&] {
            closedDuringRun = Screen->Cursor() == crHourGlass;
            Form1->close();
        });
        QTest::mouseClick(Form1->Button3, Qt::LeftButton);
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    safety.start(20000);

    Application->Run();

    EXPECT_TRUE(safety.isActive());
    EXPECT_TRUE(closedDuringRun);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Lines(Form1->Memo1).size(), 61);
    EXPECT_EQ(Lines(Form1->Memo2).size(), 61);
    EXPECT_TRUE(Form1->isVisible());
}

#ifndef __SANITIZE_ADDRESS__  // the sanitizer's shadow memory does not fit under an address space limit
// Lets the process grow by `bytes` beyond what it holds now.
void LimitAddressSpace(std::size_t bytes)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    std::size_t used = 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            used = line.mid(7).trimmed().split(' ').front().toULongLong() * 1024;
    const rlimit limit = {used + bytes, used + bytes};
    setrlimit(RLIMIT_AS, &limit);
}

// Out of memory in a run with the chart hidden, in a child process: the box,
// the normal cursor, and the window works on.
TEST_F(Form1Test, RunningOutOfMemoryIsReportedAndTheProgramCarriesOn)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            LimitAddressSpace(std::size_t{192} << 20);
            Start("100000000");
            const bool reported = FShown.size() == 1 && FShown[0].Text == "Speicher reicht nicht aus.";
            const bool restored = CursorRestored();
            Start("5");
            const bool carriesOn = Lines(Form1->Memo1).size() == 6 && Lines(Form1->Memo2).size() == 6;
            std::fprintf(stderr, "reported %d, cursor %d, carries on %d\n", reported, restored, carriesOn);
            std::_Exit(reported && restored && carriesOn ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "reported 1, cursor 1, carries on 1");
}
#endif

}  // namespace
