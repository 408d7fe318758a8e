#include "Elastic2/Elastic2.h"

#include "Elastic2/ChildControls.h"
#include "Elastic2/FontPoints.h"
#include "population/Random.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cfenv>

namespace {

// Resizes also arrive while a run pumps messages. The scaling arithmetic starts from clean
// fault flags, so that a flag left pending by other code is not reported as its fault, and
// hands the interrupted code its flags back unchanged.
class TFaultFlagsScope {
public:
    TFaultFlagsScope()
    {
        std::fegetexceptflag(&FSaved, FE_ALL_EXCEPT);
        std::feclearexcept(FE_ALL_EXCEPT);
    }
    ~TFaultFlagsScope() { std::fesetexceptflag(&FSaved, FE_ALL_EXCEPT); }
    TFaultFlagsScope(const TFaultFlagsScope&) = delete;
    TFaultFlagsScope& operator=(const TFaultFlagsScope&) = delete;

private:
    std::fexcept_t FSaved{};
};

// A label property: its exact font size in points while that rounds to one point or less.
constexpr char kCollapsedPoints[] = "ElasticCollapsedPoints";

Real48 Ratio(int Now, int Reference)
{
    return Ext2Real(static_cast<long double>(Now) / Reference);
}

int Scaled(int Value, long double Ratio)
{
    return Round(Value * Ratio);
}

} // namespace

TElastic::TElastic(QObject* AOwner, TInformationBox ShowInformation) : QObject(AOwner)
{
    auto* Form = qobject_cast<QWidget*>(AOwner);
    if (Form == nullptr || !Form->isWindow()) {
        ShowInformation(QStringLiteral("TElastic kann nur in Verbindung mit Formularen des Typs TForm verwendet werden."),
                        QStringLiteral("Information"));
        return;
    }
    FForm = Form;
    FFrame = Form->frameSize() - Form->size();
    FReferenceHeight = Form->frameSize().height();
    FReferenceWidth = Form->frameSize().width();
    FResizeSlot = &TResizeSlot::Of(*Form);
    FPreviousResize = FResizeSlot->OnResize;
    FResizeSlot->OnResize = [this](QObject* Sender) { FormResize(Sender); };
}

TElastic::~TElastic()
{
    if (FResizeSlot)
        FResizeSlot->OnResize = FPreviousResize;
}

void TElastic::ShowInformationBox(const QString& Text, const QString& Caption)
{
    QMessageBox Box(QMessageBox::Information, Caption, Text, QMessageBox::Ok);
    Box.exec();
}

QSize TElastic::OuterSize()
{
    // A frame that appears or changes (the window being mapped) is not a resize: move the
    // reference with it so the ratio only sees the change of the window itself. Maximising and
    // restoring change the frame as part of the resize.
    const QSize Frame = FForm->frameSize() - FForm->size();
    const bool Maximized = FForm->isMaximized();
    if (Frame != FFrame && Maximized == FMaximized) {
        FReferenceHeight += Frame.height() - FFrame.height();
        FReferenceWidth += Frame.width() - FFrame.width();
    }
    FFrame = Frame;
    FMaximized = Maximized;
    // A maximised window fills the work area, whatever frame the window system still reports.
    if (Maximized)
        return FForm->screen()->availableGeometry().size();
    return FForm->frameSize();
}

void TElastic::FormResize(QObject*)
{
    if (FPreviousResize)
        FPreviousResize(this);
    if (FForm == nullptr)
        return;
    {
        const TFaultFlagsScope FaultFlags;
        const QSize Outer = OuterSize();
        // A zero reference (only a frameless window of zero size) gives no ratio; start again from here.
        if (FReferenceWidth > 0 && FReferenceHeight > 0)
            ScaleControls(FForm, Ratio(Outer.width(), FReferenceWidth), Ratio(Outer.height(), FReferenceHeight));
        FReferenceHeight = Outer.height();
        FReferenceWidth = Outer.width();
    }
    if (Enabled && OnFormResize)
        OnFormResize(this);
}

void TElastic::ScaleControls(QWidget* Parent, Real48 XRatio, Real48 YRatio)
{
    if (!Enabled || Parent == nullptr || !IsContainer(*Parent))
        return;
    const long double X = Real2Ext(XRatio);
    const long double Y = Real2Ext(YRatio);
    for (QWidget* Child : ChildControls(*Parent)) {
        const QRect Bounds = Child->geometry();
        Child->setGeometry(Scaled(Bounds.left(), X), Scaled(Bounds.top(), Y),
                           Scaled(Bounds.width(), X), Scaled(Bounds.height(), Y));
        if (auto* Label = qobject_cast<QLabel*>(Child); Label != nullptr && StretchLabelFont)
            StretchFont(*Label, Y);
        if (AllControls)
            ScaleControls(Child, XRatio, YRatio);
    }
}

void TElastic::StretchFont(QLabel& Label, long double YRatio) const
{
    const int Ppi = Label.logicalDpiY();
    QFont Font = Label.font();
    const int Height = FontPixelHeight(Font, Ppi);
    // A size that rounds to one point or none (two pixels or the one-pixel stand-in) is off by
    // half of itself or more; it keeps its exact value, so that growing back scales from that.
    const QVariant Collapsed = Label.property(kCollapsedPoints);
    const long double Points = Collapsed.isValid() ? Collapsed.toDouble() : PointsOfHeight(Height, Ppi);
    const long double NewPoints = Points * YRatio;
    Label.setProperty(kCollapsedPoints, Round(NewPoints) <= 1 ? QVariant(static_cast<double>(NewPoints)) : QVariant());
    const int NewHeight = HeightOfPoints(Round(NewPoints), Ppi);
    if (NewHeight == Height)
        return;
    // Qt has no font of height 0; the smallest it can show is one pixel.
    Font.setPixelSize(std::max(NewHeight, 1));
    Label.setFont(Font);
    // Labels size themselves to their text, keeping their left edge.
    Label.adjustSize();
}
