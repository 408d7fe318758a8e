#pragma once
// The application object: start-up sequence, message loop, error reporting,
// hints and the topmost layer. One instance, created after the QApplication.
#include "app/shell/HintManager.h"
#include "app/shell/MessagePresenter.h"
#include "app/shell/TopMostLayer.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class Exception;

class TApplication : public QObject {
public:
    TApplication();
    ~TApplication() override;  // destroys the windows created by CreateForm, newest first

    // Runs the registered initialisation hook; none is registered.
    void Initialize() {}

    QString Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }

    QWidget* MainForm() const { return FMainForm; }

    // Creates a window and stores it in `reference`; the first one becomes MainForm
    // and gets its native window at once.
    template <class TForm>
    void CreateForm(TForm*& reference)
    {
        reference = new TForm();
        AdoptForm(reference);
    }

    // Shows MainForm and runs the message loop until Terminate's request is taken.
    void Run();
    // Processes all pending events and returns; a quit request taken here only
    // ends Run's loop once the caller has returned.
    void ProcessMessages();
    // Posts the quit request.
    void Terminate();
    bool Terminated() const { return FTerminated; }
    bool Running() const { return FRunning; }

    // Reports the exception currently being handled (call inside a catch block).
    void HandleException(QObject* sender);
    // The error box: message + ".", caption Title, stop icon, one OK button.
    void ShowException(const QString& message, QWidget* owner = nullptr);

    bool ShowHint() const { return FHints != nullptr; }
    void SetShowHint(bool show);
    THintManager* Hints() const { return FHints.get(); }

    // Re-read the number format settings when the system announces a locale change.
    bool UpdateFormatSettings = true;

    TMessagePresenter& MessagePresenter() const { return *FPresenter; }
    void SetMessagePresenter(std::unique_ptr<TMessagePresenter> presenter);

    TTopMostLayer& TopMosts() { return FTopMosts; }
    // Deactivation takes the stay-on-top windows out of the topmost layer, activation puts them back.
    void ApplicationStateChanged(Qt::ApplicationState state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AdoptForm(QWidget* form);
    void MainFormStateChanged();

    QString FTitle;
    QPointer<QWidget> FMainForm;
    std::vector<QPointer<QWidget>> FForms;
    bool FTerminated = false;
    bool FRunning = false;
    bool FInactive = false;
    bool FMinimized = false;
    std::unique_ptr<THintManager> FHints;
    std::unique_ptr<TMessagePresenter> FPresenter;
    TTopMostLayer FTopMosts;
};

extern TApplication* Application;
