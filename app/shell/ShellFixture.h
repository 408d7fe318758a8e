#pragma once
// Test fixture: the two process-wide shell objects, with message boxes recorded instead of shown.
#include "app/shell/Application.h"
#include "app/shell/Screen.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

struct TShownMessage {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon;
    int TakeOuts;  // topmost take-outs in force while the box was open
};

class TRecordingPresenter : public TMessagePresenter {
public:
    explicit TRecordingPresenter(std::vector<TShownMessage>& shown) : FShown(shown) {}
    void ShowMessage(QWidget*, const QString& caption, const QString& text, QMessageBox::Icon icon) override
    {
        FShown.push_back({caption, text, icon, Application->TopMosts().TakeOuts()});
    }

private:
    std::vector<TShownMessage>& FShown;
};

class ShellFixture : public ::testing::Test {
protected:
    ShellFixture()
    {
        FApplication.SetMessagePresenter(std::make_unique<TRecordingPresenter>(FShown));
        FApplication.SetTitle("Kelvaro");
    }

    std::vector<TShownMessage> FShown;

private:
    TScreen FScreen;
    TApplication FApplication;
};
