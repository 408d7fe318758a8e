#include "Elastic2/ChildControls.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QStringList Names(const QList<QWidget*>& controls)
{
    QStringList result;
    for (const QWidget* control : controls)
        result.append(control->objectName());
    return result;
}

template <class TControl>
TControl* Named(QWidget* parent, const char* name)
{
    auto* control = new TControl(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

}  // namespace

TEST(ChildControls, LabelsComeFirstThenTheOtherControlsEachInCreationOrder)
{
    QWidget form;
    Named<QPushButton>(&form, "Button3");
    Named<QLabel>(&form, "Label1");
    Named<QLineEdit>(&form, "Edit1");
    Named<QGroupBox>(&form, "GroupBox1");
    Named<QLabel>(&form, "Label2");
    Named<QDialog>(&form, "Dialog");  // a window of its own, not a control of the form
    new QObject(&form);

    EXPECT_EQ(Names(ChildControls(form)), QStringList({"Label1", "Label2", "Button3", "Edit1", "GroupBox1"}));
}
