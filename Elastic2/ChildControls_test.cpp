#include "Elastic2/ChildControls.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QStringList Names(const QList<QWidget*>& Controls)
{
    QStringList Result;
    for (const QWidget* Control : Controls)
        Result.append(Control->objectName());
    return Result;
}

template <class TControl>
TControl* Named(QWidget* Parent, const char* Name)
{
    auto* Control = new TControl(Parent);
    Control->setObjectName(QString::fromLatin1(Name));
    return Control;
}

} // namespace

TEST(ChildControls, LabelsComeFirstThenTheOtherControlsEachInCreationOrder)
{
    QWidget Form;
    Named<QPushButton>(&Form, "Button3");
    Named<QLabel>(&Form, "Label1");
    Named<QLineEdit>(&Form, "Edit1");
    Named<QGroupBox>(&Form, "GroupBox1");
    Named<QLabel>(&Form, "Label2");
    Named<QDialog>(&Form, "Dialog");  // a window of its own, not a control of the form
    new QObject(&Form);

    EXPECT_EQ(Names(ChildControls(Form)),
              QStringList({"Label1", "Label2", "Button3", "Edit1", "GroupBox1"}));
}

TEST(ChildControls, OnlyWindowsGroupBoxesAndPlainPanelsHoldControls)
{
    QWidget Form;
    EXPECT_TRUE(IsContainer(Form));
    EXPECT_TRUE(IsContainer(*new QGroupBox(&Form)));
    EXPECT_TRUE(IsContainer(*new QWidget(&Form)));
    EXPECT_TRUE(IsContainer(*new QFrame(&Form)));
    // Compound widgets keep their viewports and scroll bars to themselves.
    EXPECT_FALSE(IsContainer(*new QPlainTextEdit(&Form)));
    EXPECT_FALSE(IsContainer(*new QLineEdit(&Form)));
    EXPECT_FALSE(IsContainer(*new QPushButton(&Form)));
    EXPECT_FALSE(IsContainer(*new QLabel(&Form)));
}
