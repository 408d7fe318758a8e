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

bool IsLabel(const QString& name)
{
    return kLabels.contains(name);
}

QRect Doubled(const QRect& r)
{
    return {2 * r.left(), 2 * r.top(), 2 * r.width(), 2 * r.height()};
}

// A test form shown at its design outer size, without a component yet.
class ElasticFormTest : public ::testing::Test {
protected:
    void SetUp() override { ShowWithOuterSize(*FForm, 501, 436); }
    std::unique_ptr<QWidget> FForm = MakeTestForm();
};

class ElasticTest : public ElasticFormTest {
protected:
    void SetUp() override
    {
        // The design values and the font sizes in points hold at 120 pixels per inch.
        ASSERT_EQ(FForm->logicalDpiY(), 120) << "run with QT_FONT_DPI=120";
        ElasticFormTest::SetUp();
        ASSERT_EQ(FForm->frameSize(), QSize(501, 436));
        FElastic = new TElastic(FForm.get());
        FBefore = Geometry();
    }

    std::map<QString, QRect> Geometry() const
    {
        std::map<QString, QRect> result;
        for (const QWidget* control : AllControlsOf(*FForm))
            result[control->objectName()] = control->geometry();
        return result;
    }

    QRect Bounds(const QString& name) const { return Control(*FForm, name).geometry(); }
    int FontHeight(const QString& name) const { return LabelOf(*FForm, name).font().pixelSize(); }

    // A label whose font changed fits its text at the scaled left and top.
    void ExpectRefitted(const QString& name, QPoint topLeft) const
    {
        const QLabel& label = LabelOf(*FForm, name);
        EXPECT_EQ(label.pos(), topLeft) << name.toStdString();
        EXPECT_EQ(label.size(), label.sizeHint()) << name.toStdString();
    }

    TElastic* FElastic = nullptr;
    std::map<QString, QRect> FBefore;
};

TEST_F(ElasticTest, DoublingTheWindowDoublesEveryControlAndLabelFont)
{
    // Labels re-fit their text at the scaled top left; everything else takes the scaled bounds.
    const auto expectAll = [&](QRect (*expected)(const QRect&)) {
        for (const auto& [Name, Old] : FBefore) {
            if (IsLabel(Name))
                ExpectRefitted(Name, expected(Old).topLeft());
            else
                EXPECT_EQ(Bounds(Name), expected(Old)) << Name.toStdString();
        }
    };
    SetOuterSize(*FForm, 1002, 872);
    EXPECT_EQ(Bounds("Button3"), QRect(32, 316, 866, 66));
    expectAll(Doubled);
    // 8 points -> 16 points (27 px); the credit label's 7 points -> 14 points (23 px).
    EXPECT_EQ(FontHeight("Label1"), 27);
    EXPECT_EQ(FontHeight("Label6"), 27);
    EXPECT_EQ(FontHeight("Label8"), 23);

    SetOuterSize(*FForm, 501, 436);
    expectAll([](const QRect& r) { return r; });
    EXPECT_EQ(FontHeight("Label1"), 13);
    EXPECT_EQ(FontHeight("Label8"), 12);
}

TEST_F(ElasticTest, WidthOnlyLeavesTopsHeightsAndLabelFontsAlone)
{
    SetOuterSize(*FForm, 700, 436);

    EXPECT_EQ(Bounds("Button3"), QRect(22, 158, 605, 33));
    EXPECT_EQ(Bounds("Label5"), QRect(342, 25, 105, 16));  // a label keeps its font and takes the scaled bounds
    for (const auto& [Name, Old] : FBefore) {
        EXPECT_EQ(Bounds(Name).top(), Old.top()) << Name.toStdString();
        EXPECT_EQ(Bounds(Name).height(), Old.height()) << Name.toStdString();
    }
    EXPECT_EQ(FontHeight("Label1"), 13);
    EXPECT_EQ(FontHeight("Label8"), 12);
}

TEST_F(ElasticTest, OnePixelStepsDriftFromOneStep)
{
    // Each step is its own resize and rounds again: values below half the width never move.
    for (int width = 502; width <= 1002; ++width)
        SetOuterSize(*FForm, width, 436);

    EXPECT_EQ(Bounds("Button3").left(), 16);
    EXPECT_EQ(Bounds("Button3").width(), 934);
    EXPECT_EQ(Bounds("GroupBox2").left(), 8);
    EXPECT_EQ(Bounds("GroupBox2").width(), 974);
}

TEST_F(ElasticTest, NarrowingAndWideningBackDriftsBySinglePixels)
{
    SetOuterSize(*FForm, 300, 436);
    EXPECT_EQ(Bounds("Button3").left(), 10);
    SetOuterSize(*FForm, 501, 436);

    EXPECT_EQ(Bounds("Button3").left(), 17);
    EXPECT_EQ(Bounds("Edit5").left(), 402);
}

TEST_F(ElasticTest, ZeroSizesStayZero)
{
    SetOuterSize(*FForm, 5, 5);
    EXPECT_EQ(Bounds("CheckBox2").width(), 0);
    EXPECT_EQ(Bounds("CheckBox3").height(), 0);

    SetOuterSize(*FForm, 501, 436);
    SetOuterSize(*FForm, 1002, 872);
    EXPECT_EQ(Bounds("CheckBox2").width(), 0);
    for (const char* name : {"CheckBox1", "CheckBox3", "CheckBox6"})
        EXPECT_EQ(Bounds(name).height(), 0) << name;
    EXPECT_GT(Bounds("Button3").width(), 0);
    // Fonts cannot shrink below one pixel; the labels stay usable.
    EXPECT_GE(FontHeight("Label1"), 1);
}

TEST_F(ElasticTest, DisabledFollowsTheSizeSilently)
{
    int fired = 0;
    FElastic->OnFormResize = [&](QObject*) { ++fired; };
    FElastic->Enabled = false;
    SetOuterSize(*FForm, 700, 600);
    EXPECT_EQ(Geometry(), FBefore);
    EXPECT_EQ(FontHeight("Label1"), 13);
    EXPECT_EQ(fired, 0);

    // Enabled again, it scales from the size at the last resize, not from the start.
    FElastic->Enabled = true;
    SetOuterSize(*FForm, 1400, 1200);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(Bounds("Button3"), QRect(32, 316, 866, 66));
    EXPECT_EQ(Bounds("GroupBox1"), Doubled(FBefore["GroupBox1"]));
}

TEST_F(ElasticTest, WithoutStretchLabelFontLabelsScaleButKeepTheirFont)
{
    FElastic->StretchLabelFont = false;
    SetOuterSize(*FForm, 1002, 872);
    for (const QString& name : kLabels)
        EXPECT_EQ(Bounds(name), Doubled(FBefore[name])) << name.toStdString();
    EXPECT_EQ(FontHeight("Label1"), 13);
    EXPECT_EQ(FontHeight("Label8"), 12);
}

TEST_F(ElasticTest, WithoutAllControlsOnlyTheWindowsOwnChildrenScale)
{
    FElastic->AllControls = false;
    SetOuterSize(*FForm, 1002, 872);
    ExpectRefitted("Label8", Doubled(FBefore["Label8"]).topLeft());
    EXPECT_EQ(Bounds("GroupBox1"), Doubled(FBefore["GroupBox1"]));
    EXPECT_EQ(Bounds("GroupBox2"), Doubled(FBefore["GroupBox2"]));
    for (const auto& [Name, Old] : FBefore) {
        if (!kDirectChildren.contains(Name)) {
            EXPECT_EQ(Bounds(Name), Old) << Name.toStdString();
        }
    }
    EXPECT_EQ(FontHeight("Label1"), 13);
}

class TRecordingElastic : public TElastic {
public:
    using TElastic::TElastic;
    void ScaleControls(QWidget* parent, TSixByteReal xRatio, TSixByteReal yRatio) override
    {
        Visited.append(parent->objectName());
        TElastic::ScaleControls(parent, xRatio, yRatio);
    }
    QStringList Visited;
};

TEST_F(ElasticFormTest, ParentsBeforeChildrenLabelsBeforeWindowedControls)
{
    FForm->setObjectName("Form1");
    auto* elastic = new TRecordingElastic(FForm.get());
    SetOuterSize(*FForm, 600, 500);

    const QStringList expected = {"Form1",     "Label8",    "GroupBox1", "Label6",   "Label7", "Memo2",     "Memo1",
                                  "GroupBox2", "Label1",    "Label2",    "Label4",   "Label3", "Label5",    "Button3",
                                  "Edit1",     "Edit2",     "Edit4",     "Edit3",    "Edit5",  "CheckBox1", "CheckBox2",
                                  "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6"};
    EXPECT_EQ(elastic->Visited, expected);
}

TEST_F(ElasticFormTest, ChainsThePreviousHandlerAndGivesItBackOnDestruction)
{
    QObject* previousSender = nullptr;
    QRect buttonWhenCalled;
    int previousCalls = 0;
    TResizeSlot::Of(*FForm).OnResize = [&](QObject* sender) {
        ++previousCalls;
        previousSender = sender;
        buttonWhenCalled = Control(*FForm, "Button3").geometry();
    };
    auto* elastic = new TElastic(FForm.get());
    QObject* fired = nullptr;
    elastic->OnFormResize = [&](QObject* sender) { fired = sender; };

    SetOuterSize(*FForm, 1002, 872);
    EXPECT_EQ(previousCalls, 1);
    EXPECT_EQ(previousSender, elastic);
    EXPECT_EQ(buttonWhenCalled, QRect(16, 158, 433, 33));  // called before the scaling
    EXPECT_EQ(fired, elastic);
    EXPECT_EQ(Control(*FForm, "Button3").geometry(), QRect(32, 316, 866, 66));

    delete elastic;
    SetOuterSize(*FForm, 501, 436);
    EXPECT_EQ(previousCalls, 2);
    EXPECT_EQ(previousSender, FForm.get());
    EXPECT_EQ(Control(*FForm, "Button3").geometry(), QRect(32, 316, 866, 66));
}

TEST_F(ElasticFormTest, DestroyedWithItsWindow)
{
    QPointer<TElastic> elastic = new TElastic(FForm.get());
    FForm.reset();
    EXPECT_TRUE(elastic.isNull());
}

TEST_F(ElasticFormTest, AnOwnerThatIsNoWindowGetsTheInformationBoxAndNoHook)
{
    QObject plain;
    QObject* const owners[] = {nullptr, &plain, &Control(*FForm, "GroupBox2")};
    for (QObject* owner : owners) {
        QStringList boxes;
        auto* elastic =
            new TElastic(owner, [&](const QString& text, const QString& caption) { boxes << text << caption; });
        int fired = 0;
        elastic->OnFormResize = [&](QObject*) { ++fired; };
        EXPECT_EQ(boxes, QStringList({"TElastic kann nur in Verbindung mit Formularen des Typs TForm verwendet werden.",
                                      "Information"}));
        EXPECT_FALSE(TResizeSlot::Of(*FForm).OnResize);

        SetOuterSize(*FForm, 1002, 872);
        elastic->FormResize(FForm.get());
        EXPECT_EQ(Control(*FForm, "Button3").geometry(), QRect(16, 158, 433, 33));
        EXPECT_EQ(fired, 0);
        SetOuterSize(*FForm, 501, 436);
        if (owner == nullptr)
            delete elastic;
    }
}

TEST(ElasticCreation, CreatedBeforeTheWindowIsShownTheFirstResizeScalesByOne)
{
    // As in the main window: the component is created with the hidden window, whose frame
    // the platform reports only once the window is shown.
    auto form = MakeTestForm();
    auto* elastic = new TElastic(form.get());
    int fired = 0;
    elastic->OnFormResize = [&](QObject*) { ++fired; };
    const QRect button = Control(*form, "Button3").geometry();

    form->show();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(Control(*form, "Button3").geometry(), button);
    EXPECT_EQ(LabelOf(*form, "Label1").font().pixelSize(), 13);

    // The window restores its design outer size once the frame is known, without scaling.
    elastic->Enabled = false;
    SetOuterSize(*form, 501, 436);
    elastic->Enabled = true;
    EXPECT_EQ(Control(*form, "Button3").geometry(), button);

    SetOuterSize(*form, 1002, 872);
    EXPECT_EQ(Control(*form, "Button3").geometry(), QRect(32, 316, 866, 66));
}

TEST_F(ElasticTest, LeavesFaultFlagsOfInterruptedCodeAlone)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_DIVBYZERO);
    EXPECT_NO_THROW(SetOuterSize(*FForm, 1002, 872));
    EXPECT_EQ(Bounds("Button3"), QRect(32, 316, 866, 66));
    EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
    std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
