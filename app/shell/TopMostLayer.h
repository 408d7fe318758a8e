#pragma once
// Stay-on-top windows leave the topmost layer while the application is
// inactive, minimised or behind a modal box, so they never cover other
// applications or the box. Take-outs nest; the windows go back only when every
// take-out has been undone.
#include <QList>
#include <QPointer>
#include <QWidget>

class TTopMostLayer {
public:
    // Takes the visible stay-on-top windows other than `mainForm` out of the topmost layer.
    void NormalizeTopMosts(const QWidget* mainForm);
    // Undoes one take-out; the last one puts the windows back.
    void RestoreTopMosts();
    int TakeOuts() const { return FTakeOuts; }

private:
    int FTakeOuts = 0;
    QList<QPointer<QWidget>> FTakenOut;
};
