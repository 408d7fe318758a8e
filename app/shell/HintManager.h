#pragma once
// The hint machinery: a hint appears once the pointer has rested on a control
// with the hint switch on for HintPause (HintShortPause when coming directly
// from another hinted control), just below the control, and hides after
// HintHidePause or at any key, click, frame movement or activation change.
#include "app/shell/HintWindow.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class THintManager : public QObject {
public:
    THintManager();
    ~THintManager() override;

    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;

    // A pointer movement at `globalPos` over `under` (the deepest control there, or null).
    void MouseMoved(QWidget* under, QPoint globalPos);
    // Hides any shown hint, forgets the hint control and clears the hint-active flag.
    void CancelHint();
    // What the pause timer does: shows the hint control's hint.
    void ActivateHint();
    // What the hide timer does: hides the hint; the hint-active flag stays set.
    void HideHint();

    QWidget* HintControl() const { return FHintControl; }
    bool HintActive() const { return FHintActive; }
    const THintWindow& Window() const { return FWindow; }
    const QTimer& PauseTimer() const { return FPauseTimer; }
    const QTimer& HideTimer() const { return FHideTimer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RestartPause();

    THintWindow FWindow;
    QTimer FPauseTimer;
    QTimer FHideTimer;
    QPointer<QWidget> FHintControl;
    QRect FCursorRect;  // the shown hint's control, in global coordinates
    bool FHintActive = false;
};
