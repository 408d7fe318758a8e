#pragma once
// TElastic: a non-visual component that makes a window's controls follow the window's size.
// On every resize it scales each control's left, top, width and height by the ratio of the
// window's new outer size to its outer size at the previous resize, rounding to whole pixels
// each time, and scales label fonts with the height ratio. It never keeps the starting layout,
// so repeated resizes drift by single pixels.
//
// Using it on a window (Elastic1 on Form1):
//   - The window is a plain top-level QWidget subclass without a layout; its controls are
//     direct children or children of group boxes, placed with setGeometry. Labels are QLabels.
//   - Create the component last in the window's constructor, after all controls exist and the
//     window has its design size:  Elastic1 = new TElastic(this);
//     The window owns it (QObject parent) and destroys it.
//   - The component takes over the window's resize handler (TResizeSlot::Of(window).OnResize),
//     chains whatever handler was there before and gives it back on destruction. Code that
//     wants to react to resizes after the controls have been scaled sets OnFormResize.
//   - Resize handlers run from Qt's event delivery; route them through the application's
//     error boundary:  TResizeSlot::Of(*this).Boundary = InvokeHandler;
//   - "Outer size" is QWidget::frameSize() (frame and caption included). Platforms that learn
//     the frame only when the window is mapped do not count that change as a resize. A window
//     that then gives way in its client area to keep its design outer size does so with the
//     component disabled, which follows the size without scaling:
//         Elastic1->Enabled = false; resize(kOuterSize - frame); Elastic1->Enabled = true;
#include "Elastic2/ResizeSlot.h"
#include "population/SixByteReal.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>

class QLabel;
class QWidget;

class TElastic : public QObject {
public:
    using TInformationBox = std::function<void(const QString& text, const QString& caption)>;

    // An owner that is not a window gets an information box (showInformation) and an inert
    // component that hooks nothing and scales nothing.
    explicit TElastic(QObject* owner, const TInformationBox& showInformation = ShowInformationBox);
    ~TElastic() override;

    TElastic(const TElastic&) = delete;
    TElastic& operator=(const TElastic&) = delete;

    // The window's resize handler.
    virtual void FormResize(QObject* sender);
    virtual void ScaleControls(QWidget* parent, TSixByteReal xRatio, TSixByteReal yRatio);

    // The modal box with information icon and one OK button.
    static void ShowInformationBox(const QString& text, const QString& caption);

    bool AllControls = true;
    bool Enabled = true;
    TNotifyEvent OnFormResize;

private:
    int FReferenceHeight = 0;
    int FReferenceWidth = 0;
    TNotifyEvent FPreviousResize;

public:
    bool StretchLabelFont = true;

private:
    QSize OuterSize();
    void StretchFont(QLabel& label, long double yRatio) const;

    QWidget* FForm = nullptr;           // null: inert
    QPointer<TResizeSlot> FResizeSlot;  // the window's slot; gone first when the window dies
    QSize FFrame;                       // frame extent the reference size was taken with
    bool FMaximized = false;            // the window state the reference size was taken in
};
