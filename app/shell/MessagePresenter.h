#pragma once
// Modal message boxes go through one replaceable presenter, so tests can
// record them instead of waiting for a person to press OK.
#include <QMessageBox>
#include <QString>

class QWidget;

class TMessagePresenter {
public:
    virtual ~TMessagePresenter() = default;
    // Shows a modal box with a single OK button and returns when it is closed.
    virtual void ShowMessage(QWidget* owner, const QString& caption, const QString& text, QMessageBox::Icon icon) = 0;
};

// The real boxes: application-modal, the previously active window active again afterwards.
class TMessageBoxPresenter : public TMessagePresenter {
public:
    void ShowMessage(QWidget* owner, const QString& caption, const QString& text, QMessageBox::Icon icon) override;
};
