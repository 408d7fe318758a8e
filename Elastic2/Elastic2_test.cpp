#include "Elastic2/Elastic2.h"

#include "population/Random.h"
#include "testing/Elastic2/ElasticTestForm.h"

#include <QLabel>
#include <cfenv>
#include <gtest/gtest.h>
#include <map>

namespace {

const QStringList kLabels = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8"};
const QStringList kDirectChildren = {"Label8", "GroupBox1", "GroupBox2"};

bool IsLabel(const QString& Name) { return kLabels.contains(Name); }

QRect Doubled(const QRect& R) { return {2 * R.left(), 2 * R.top(), 2 * R.width(), 2 * R.height()}; }

// Scaling as the component does it, for expectations on arbitrary ratios.
int Scaled(int Value, int Now, int Reference)
{
    return Round(Value * Real2Ext(Ext2Real(static_cast<long double>(Now) / Reference)));
}

// A test form shown at its design outer size, without a component yet.
class ElasticFormTest : public ::testing::Test {
protected:
    void SetUp() override { ShowWithOuterSize(*Form, 501, 436); }
    std::unique_ptr<QWidget> Form = MakeTestForm();
};

class ElasticTest : public ElasticFormTest {
protected:
    void SetUp() override
    {
        // The design values and the font sizes in points hold at 120 pixels per inch.
        ASSERT_EQ(Form->logicalDpiY(), 120) << "run with QT_FONT_DPI=120";
        ElasticFormTest::SetUp();
        ASSERT_EQ(Form->frameSize(), QSize(501, 436));
        Elastic = new TElastic(Form.get());
        Before = Geometry();
    }

    std::map<QString, QRect> Geometry() const
    {
        std::map<QString, QRect> Result;
        for (const QWidget* Control : AllControlsOf(*Form))
            Result[Control->objectName()] = Control->geometry();
        return Result;
    }

    QRect Bounds(const QString& Name) const { return Control(*Form, Name).geometry(); }
    int FontHeight(const QString& Name) const { return LabelOf(*Form, Name).font().pixelSize(); }

    // A label whose font changed fits its text at the scaled left and top.
    void ExpectRefitted(const QString& Name, QPoint TopLeft) const
    {
        const QLabel& Label = LabelOf(*Form, Name);
        EXPECT_EQ(Label.pos(), TopLeft) << Name.toStdString();
        EXPECT_EQ(Label.size(), Label.sizeHint()) << Name.toStdString();
    }

    TElastic* Elastic = nullptr;
    std::map<QString, QRect> Before;
};

TEST_F(ElasticTest, DoublingTheWindowDoublesEveryControlAndLabelFont)
{
    // Labels re-fit their text at the scaled top left; everything else takes the scaled bounds.
    const auto ExpectAll = [&](QRect (*Expected)(const QRect&)) {
        for (const auto& [Name, Old] : Before) {
            if (IsLabel(Name))
                ExpectRefitted(Name, Expected(Old).topLeft());
            else
                EXPECT_EQ(Bounds(Name), Expected(Old)) << Name.toStdString();
        }
    };
    SetOuterSize(*Form, 1002, 872);
    EXPECT_EQ(Bounds("Button3"), QRect(32, 316, 866, 66));
    ExpectAll(Doubled);
    // 8 points -> 16 points (27 px); the credit label's 7 points -> 14 points (23 px).
    EXPECT_EQ(FontHeight("Label1"), 27);
    EXPECT_EQ(FontHeight("Label6"), 27);
    EXPECT_EQ(FontHeight("Label8"), 23);

    SetOuterSize(*Form, 501, 436);
    ExpectAll([](const QRect& R) { return R; });
    EXPECT_EQ(FontHeight("Label1"), 13);
    EXPECT_EQ(FontHeight("Label8"), 12);
}

TEST_F(ElasticTest, WidthOnlyLeavesTopsHeightsAndLabelFontsAlone)
{
    SetOuterSize(*Form, 700, 436);

    EXPECT_EQ(Bounds("Button3"), QRect(22, 158, 605, 33));
    for (const auto& [Name, Old] : Before) {
        // Labels keep their font, so they keep the scaled bounds instead of re-fitting.
        const QRect Expected(Scaled(Old.left(), 700, 501), Old.top(), Scaled(Old.width(), 700, 501), Old.height());
        EXPECT_EQ(Bounds(Name), Expected) << Name.toStdString();
    }
    EXPECT_EQ(FontHeight("Label1"), 13);
    EXPECT_EQ(FontHeight("Label8"), 12);
}

TEST_F(ElasticTest, OnePixelStepsDriftFromOneStep)
{
    // Each step is its own resize and rounds again: values below half the width never move.
    for (int Width = 502; Width <= 1002; ++Width)
        SetOuterSize(*Form, Width, 436);

    EXPECT_EQ(Bounds("Button3").left(), 16);
    EXPECT_EQ(Bounds("Button3").width(), 934);
    EXPECT_EQ(Bounds("GroupBox2").left(), 8);
    EXPECT_EQ(Bounds("GroupBox2").width(), 974);
}

TEST_F(ElasticTest, NarrowingAndWideningBackDriftsBySinglePixels)
{
    SetOuterSize(*Form, 300, 436);
    EXPECT_EQ(Bounds("Button3").left(), 10);
    SetOuterSize(*Form, 501, 436);

    EXPECT_EQ(Bounds("Button3").left(), 17);
    EXPECT_EQ(Bounds("Edit5").left(), 402);
}

TEST_F(ElasticTest, ZeroSizesStayZero)
{
    SetOuterSize(*Form, 5, 5);
    EXPECT_EQ(Bounds("CheckBox2").width(), 0);
    EXPECT_EQ(Bounds("CheckBox3").height(), 0);

    SetOuterSize(*Form, 501, 436);
    SetOuterSize(*Form, 1002, 872);
    EXPECT_EQ(Bounds("CheckBox2").width(), 0);
    for (const char* Name : {"CheckBox1", "CheckBox3", "CheckBox6"})
        EXPECT_EQ(Bounds(Name).height(), 0) << Name;
    EXPECT_GT(Bounds("Button3").width(), 0);
    // Fonts cannot shrink below one pixel; the labels stay usable.
    EXPECT_GE(FontHeight("Label1"), 1);
}

TEST_F(ElasticTest, DisabledFollowsTheSizeSilently)
{
    int Fired = 0;
    Elastic->OnFormResize = [&](QObject*) { ++Fired; };
    Elastic->Enabled = false;
    SetOuterSize(*Form, 700, 600);
    EXPECT_EQ(Geometry(), Before);
    EXPECT_EQ(FontHeight("Label1"), 13);
    EXPECT_EQ(Fired, 0);

    // Enabled again, it scales from the size at the last resize, not from the start.
    Elastic->Enabled = true;
    SetOuterSize(*Form, 1400, 1200);
    EXPECT_EQ(Fired, 1);
    EXPECT_EQ(Bounds("Button3"), QRect(32, 316, 866, 66));
    EXPECT_EQ(Bounds("GroupBox1"), Doubled(Before["GroupBox1"]));
}

TEST_F(ElasticTest, WithoutStretchLabelFontLabelsScaleButKeepTheirFont)
{
    Elastic->StretchLabelFont = false;
    SetOuterSize(*Form, 1002, 872);
    for (const QString& Name : kLabels)
        EXPECT_EQ(Bounds(Name), Doubled(Before[Name])) << Name.toStdString();
    EXPECT_EQ(FontHeight("Label1"), 13);
    EXPECT_EQ(FontHeight("Label8"), 12);
}

TEST_F(ElasticTest, WithoutAllControlsOnlyTheWindowsOwnChildrenScale)
{
    Elastic->AllControls = false;
    SetOuterSize(*Form, 1002, 872);
    ExpectRefitted("Label8", Doubled(Before["Label8"]).topLeft());
    EXPECT_EQ(Bounds("GroupBox1"), Doubled(Before["GroupBox1"]));
    EXPECT_EQ(Bounds("GroupBox2"), Doubled(Before["GroupBox2"]));
    for (const auto& [Name, Old] : Before) {
        if (!kDirectChildren.contains(Name)) {
            EXPECT_EQ(Bounds(Name), Old) << Name.toStdString();
        }
    }
    EXPECT_EQ(FontHeight("Label1"), 13);
}

class TRecordingElastic : public TElastic {
public:
    using TElastic::TElastic;
    void ScaleControls(QWidget* Parent, TSixByteReal XRatio, TSixByteReal YRatio) override
    {
        Visited.append(Parent->objectName());
        TElastic::ScaleControls(Parent, XRatio, YRatio);
    }
    QStringList Visited;
};

TEST_F(ElasticFormTest, ParentsBeforeChildrenLabelsBeforeWindowedControls)
{
    Form->setObjectName("Form1");
    auto* Elastic = new TRecordingElastic(Form.get());
    SetOuterSize(*Form, 600, 500);

    const QStringList Expected = {
        "Form1", "Label8",
        "GroupBox1", "Label6", "Label7", "Memo2", "Memo1",
        "GroupBox2", "Label1", "Label2", "Label4", "Label3", "Label5", "Button3",
        "Edit1", "Edit2", "Edit4", "Edit3", "Edit5",
        "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6"};
    EXPECT_EQ(Elastic->Visited, Expected);
}

TEST_F(ElasticFormTest, ChainsThePreviousHandlerAndGivesItBackOnDestruction)
{
    QObject* PreviousSender = nullptr;
    QRect ButtonWhenCalled;
    int PreviousCalls = 0;
    TResizeSlot::Of(*Form).OnResize = [&](QObject* Sender) {
        ++PreviousCalls;
        PreviousSender = Sender;
        ButtonWhenCalled = Control(*Form, "Button3").geometry();
    };
    auto* Elastic = new TElastic(Form.get());
    QObject* Fired = nullptr;
    Elastic->OnFormResize = [&](QObject* Sender) { Fired = Sender; };

    SetOuterSize(*Form, 1002, 872);
    EXPECT_EQ(PreviousCalls, 1);
    EXPECT_EQ(PreviousSender, Elastic);
    EXPECT_EQ(ButtonWhenCalled, QRect(16, 158, 433, 33));  // called before the scaling
    EXPECT_EQ(Fired, Elastic);
    EXPECT_EQ(Control(*Form, "Button3").geometry(), QRect(32, 316, 866, 66));

    delete Elastic;
    SetOuterSize(*Form, 501, 436);
    EXPECT_EQ(PreviousCalls, 2);
    EXPECT_EQ(PreviousSender, Form.get());
    EXPECT_EQ(Control(*Form, "Button3").geometry(), QRect(32, 316, 866, 66));
}

TEST_F(ElasticFormTest, DestroyedWithItsWindow)
{
    QPointer<TElastic> Elastic = new TElastic(Form.get());
    Form.reset();
    EXPECT_TRUE(Elastic.isNull());
}

TEST_F(ElasticFormTest, AnOwnerThatIsNoWindowGetsTheInformationBoxAndNoHook)
{
    QObject Plain;
    QObject* const Owners[] = {nullptr, &Plain, &Control(*Form, "GroupBox2")};
    for (QObject* Owner : Owners) {
        QStringList Boxes;
        auto* Elastic = new TElastic(Owner, [&](const QString& Text, const QString& Caption) {
            Boxes << Text << Caption;
        });
        int Fired = 0;
        Elastic->OnFormResize = [&](QObject*) { ++Fired; };
        EXPECT_EQ(Boxes, QStringList({"TElastic kann nur in Verbindung mit Formularen des Typs TForm verwendet werden.",
                                      "Information"}));
        EXPECT_FALSE(TResizeSlot::Of(*Form).OnResize);

        SetOuterSize(*Form, 1002, 872);
        Elastic->FormResize(Form.get());
        EXPECT_EQ(Control(*Form, "Button3").geometry(), QRect(16, 158, 433, 33));
        EXPECT_EQ(Fired, 0);
        SetOuterSize(*Form, 501, 436);
        if (Owner == nullptr)
            delete Elastic;
    }
}

TEST(ElasticCreation, CreatedBeforeTheWindowIsShownTheFirstResizeScalesByOne)
{
    // As in the main window: the component is created with the hidden window, whose frame
    // the platform reports only once the window is shown.
    auto Form = MakeTestForm();
    auto* Elastic = new TElastic(Form.get());
    int Fired = 0;
    Elastic->OnFormResize = [&](QObject*) { ++Fired; };
    const QRect Button = Control(*Form, "Button3").geometry();

    Form->show();
    EXPECT_EQ(Fired, 1);
    EXPECT_EQ(Control(*Form, "Button3").geometry(), Button);
    EXPECT_EQ(LabelOf(*Form, "Label1").font().pixelSize(), 13);

    // The window restores its design outer size once the frame is known, without scaling.
    Elastic->Enabled = false;
    SetOuterSize(*Form, 501, 436);
    Elastic->Enabled = true;
    EXPECT_EQ(Control(*Form, "Button3").geometry(), Button);

    SetOuterSize(*Form, 1002, 872);
    EXPECT_EQ(Control(*Form, "Button3").geometry(), QRect(32, 316, 866, 66));
}

TEST_F(ElasticTest, LeavesFaultFlagsOfInterruptedCodeAlone)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_DIVBYZERO);
    EXPECT_NO_THROW(SetOuterSize(*Form, 1002, 872));
    EXPECT_EQ(Bounds("Button3"), QRect(32, 316, 866, 66));
    EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
    std::feclearexcept(FE_ALL_EXCEPT);
}

} // namespace
