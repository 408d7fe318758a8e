#include "main/Form1.h"

#include "app/shell/Application.h"
#include "app/shell/CheckBox.h"
#include "app/shell/ControlHint.h"
#include "app/shell/Screen.h"

#include "Unit2/Unit2.h"
#include "testing/Elastic2/ElasticTestForm.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
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

// Steps, space-separated: "type:abc" (key clicks), "paste:abc" (Ctrl+V), "menu:abc" (paste from the
// context menu), "im:abc" (input method commit), "drop:N:abc" and "click:N" (at the boundary after N
// characters), and the keys "home", "end", "left", "right", "sleft", "sright" (Shift+arrow), "bs",
// "del", "all", "undo" and "redo". Returns the drop's action, IgnoreAction when nothing was dropped.
Qt::DropAction Replay(QLineEdit* edit, const QString& step)
{
    const QString argument = step.section(u':', -1);
    auto boundary = [edit](int characters) {
        struct TProbe : QLineEdit {
            using QLineEdit::cursorRect;
            using QLineEdit::QLineEdit;
        } probe(edit->text());
        probe.setFont(edit->font());
        probe.resize(edit->size());
        probe.setCursorPosition(characters);
        return probe.cursorRect().center();
    };
    if (step.startsWith(u"type:")) {
        QTest::keyClicks(edit, argument);
    } else if (step.startsWith(u"paste:")) {
        QGuiApplication::clipboard()->setText(argument);
        QTest::keySequence(edit, QKeySequence::Paste);
    } else if (step.startsWith(u"menu:")) {
        QGuiApplication::clipboard()->setText(argument);
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(edit, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(menu, nullptr);
        if (menu == nullptr)
            return Qt::IgnoreAction;
        const QList<QAction*> actions = menu->actions();
        const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
            return action->text().section(u'\t', 0, 0) == QLineEdit::tr("&Paste");
        });
        EXPECT_NE(paste, actions.end());
        if (paste != actions.end())
            (*paste)->trigger();
        menu->close();
    } else if (step.startsWith(u"im:")) {
        QInputMethodEvent commit;
        commit.setCommitString(argument);
        QApplication::sendEvent(edit, &commit);
    } else if (step.startsWith(u"drop:")) {
        QMimeData data;
        data.setText(argument);
        // Shift asks for a move.
        const QPoint at = boundary(step.section(u':', 1, 1).toInt());
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(edit, &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(edit, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    } else if (step.startsWith(u"click:")) {
        QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, boundary(argument.toInt()));
    } else {
        const std::map<QString, QKeyCombination> keys = {
            {"home", Qt::Key_Home},
            {"end", Qt::Key_End},
            {"left", Qt::Key_Left},
            {"right", Qt::Key_Right},
            {"sleft", Qt::ShiftModifier | Qt::Key_Left},
            {"sright", Qt::ShiftModifier | Qt::Key_Right},
            {"bs", Qt::Key_Backspace},
            {"del", Qt::Key_Delete},
            {"all", QKeySequence(QKeySequence::SelectAll)[0]},
            {"undo", QKeySequence(QKeySequence::Undo)[0]},
            {"redo", QKeySequence(QKeySequence::Redo)[0]},
        };
        const QKeyCombination key = keys.at(step);
        QTest::keyClick(edit, key.key(), key.keyboardModifiers());
    }
    return Qt::IgnoreAction;
}

TEST_F(Form1Test, FieldsEditLikePlainFieldsOfTenCharactersWithTheGeneUpperCased)
{
    const struct {
        QLineEdit* Field;
        const char* Text;
        const char* Steps;
    } cases[] = {
        // Typing over a selection that ends with the first typed character.
        {Form1->Edit1, "AAATTCCCGG", "all type:gca"},
        {Form1->Edit1, "AAATTCCCGG", "all type:acgt"},
        {Form1->Edit2, "500", "all type:0 type:7"},
        // Edits next to repeated characters.
        {Form1->Edit2, "500", "click:1 type:0 type:1"},
        {Form1->Edit2, "500", "home type:5 type:7"},
        {Form1->Edit2, "500", "click:2 bs type:7"},
        {Form1->Edit2, "5000", "home right sright bs type:7"},
        {Form1->Edit2, "5000", "home right sright del type:7"},
        {Form1->Edit1, "AAATTCCCGG", "home del type:g"},
        {Form1->Edit1, "ACGT", "click:1 type:c type:a"},
        {Form1->Edit1, "GGGG", "click:2 type:g left bs del end sleft sleft type:gg"},
        // Undo and redo through the upper-casing, refused characters and pastes.
        {Form1->Edit1, "ACGT", "end type:gc undo redo undo type:t"},
        {Form1->Edit1, "AAATTCCCGG", "all type:g undo type:a"},
        {Form1->Edit1, "AAATTCCCGG", "type:g undo"},
        {Form1->Edit2, "500", "end type:12345678 undo"},
        {Form1->Edit2, "500", "type:1 paste:0 type:2 undo undo redo"},
        {Form1->Edit2, "500", "home sright sright paste:5 type:7 undo undo"},
        {Form1->Edit1, "AC", "end paste:gtgtgtgtgt undo"},
        {Form1->Edit1, "ACGT", "end sleft sleft paste:aa undo"},
        {Form1->Edit1, "ACGT", "home menu:gg type:c undo"},
        {Form1->Edit1, "AC", "end im:gt undo"},
        // Drops: all, part or nothing of the text.
        {Form1->Edit1, "ACGT", "drop:1:gg undo"},
        {Form1->Edit1, "ACGTACG", "drop:2:sexuell"},
        {Form1->Edit1, "AAATTCCCGG", "drop:3:sexuell undo"},
        {Form1->Edit2, "5000", "home del drop:1:0 type:7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Field->objectName().toStdString() + " " + c.Text + ": " + c.Steps);
        const bool upperCase = c.Field == Form1->Edit1;
        c.Field->setText(QString::fromUtf8(c.Text));
        QLineEdit plain(c.Field->text());
        plain.setMaxLength(10);
        plain.setFont(c.Field->font());
        plain.resize(c.Field->size());
        plain.show();
        for (const QString& step : QString::fromUtf8(c.Steps).split(u' ')) {
            SCOPED_TRACE(step.toStdString());
            const QString before = plain.text();
            const Qt::DropAction dropped = Replay(c.Field, step);
            Replay(&plain, step);
            EXPECT_EQ(c.Field->text(), upperCase ? plain.text().toUpper() : plain.text());
            EXPECT_EQ(c.Field->cursorPosition(), plain.cursorPosition());
            EXPECT_EQ(c.Field->selectionStart(), plain.selectionStart());
            EXPECT_EQ(c.Field->selectedText().size(), plain.selectedText().size());
            // A move takes from the source only what the field took.
            const qsizetype taken = plain.text().size() - before.size();
            if (step.startsWith(u"drop:")) {
                EXPECT_EQ(dropped, taken == 0                               ? Qt::IgnoreAction
                                   : taken == step.section(u':', -1).size() ? Qt::MoveAction
                                                                            : Qt::CopyAction);
            }
        }
    }
}

TEST_F(Form1Test, FieldsTakeTheFirstLineOfPastedTextAndWholeCharactersUpToTen)
{
    const QString emoji = QString::fromUtf8("😀");
    const struct {
        QLineEdit* Field;
        QString Before;
        int Cursor;
        QString Pasted;
        QString After;
    } cases[] = {
        {Form1->Edit1, "", 0, QString::fromUtf8("ßéa") + emoji.repeated(10),
         QString::fromUtf8("ßÉA") + emoji.repeated(7)},
        {Form1->Edit2, "12345678", 8, emoji.repeated(3), "12345678" + emoji.repeated(2)},
        {Form1->Edit2, "", 0, "123456789012", "1234567890"},
        {Form1->Edit2, "", 0, "12\n34", "12"},
        {Form1->Edit2, "", 0, "5\r\n6", "5"},
        {Form1->Edit2, "", 0, QString("7") + QChar::Null + "8", "7"},
        {Form1->Edit2, "AB", 1, "x\ny", "AxB"},
        {Form1->Edit2, "", 0, "5\t3", "5\t3"},  // a tab is no line break
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.Before + " + " + c.Pasted).toStdString());
        c.Field->setText(c.Before);
        c.Field->setCursorPosition(c.Cursor);
        QGuiApplication::clipboard()->setText(c.Pasted);
        QTest::keySequence(c.Field, QKeySequence::Paste);
        EXPECT_EQ(c.Field->text(), c.After);
    }
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
