#pragma once
// A check box whose click event fires on every change of its state, by the user
// or by code, synchronously before the setter returns. Setting the current
// state again fires nothing, and a box fires nothing until OnClick is assigned,
// so the states given while a window is built stay silent.
#include <QCheckBox>

#include <functional>

class TCheckBox : public QCheckBox {
public:
    TCheckBox(const QString& text, QWidget* parent);

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }

    // Runs inside the handler boundary: an error is reported, not propagated.
    std::function<void()> OnClick;
};
