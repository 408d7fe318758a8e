#pragma once
// A top-level window's outer geometry, frame included, where the window system adds a frame.
// - The outer size is a design value: when the frame becomes known (the window being mapped),
//   the client area gives way once.
// - MoveOuter puts the frame's top-left corner on a point, also when the window is hidden and
//   the window system has forgotten its frame meanwhile (it would put the client area there).
// Create it before anything else that watches the window's resizes (the elastic layout): event
// filters run newest first, so those see the giving-way resize before OnGivenWay runs.
#include <QObject>
#include <QPoint>
#include <QSize>
#include <functional>
#include <optional>

class QWidget;

class TWindowFrame : public QObject {
public:
    TWindowFrame(QWidget& window, QSize outerSize);

    void MoveOuter(QPoint topLeft);

    // Around the giving-way resize: before it is asked for, and once it has been delivered.
    std::function<void()> OnGivingWay;
    std::function<void()> OnGivenWay;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void KeepOuterSize();

    QWidget& FWindow;
    QSize FOuterSize;
    bool FOuterSizeKept = false;
    bool FGivingWay = false;
    // Client origin relative to the frame's, as last seen while the window was shown.
    std::optional<QPoint> FClientOffset;
};
