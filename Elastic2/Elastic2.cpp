#include "Elastic2/Elastic2.h"

#include "Elastic2/ChildControls.h"
#include "Elastic2/FontPoints.h"
#include "base/Round.h"

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

TSixByteReal Ratio(int now, int reference)
{
    return Ext2Real(static_cast<long double>(now) / reference);
}

int Scaled(int value, long double ratio)
{
    return Round(value * ratio);
}

}  // namespace

TElastic::TElastic(QObject* owner, const TInformationBox& showInformation) : QObject(owner)
{
    auto* form = qobject_cast<QWidget*>(owner);
    if (form == nullptr || !form->isWindow()) {
        showInformation(
            QStringLiteral("TElastic kann nur in Verbindung mit Formularen des Typs TForm verwendet werden."),
            QStringLiteral("Information"));
        return;
    }
    FForm = form;
    FFrame = form->frameSize() - form->size();
    FReferenceHeight = form->frameSize().height();
    FReferenceWidth = form->frameSize().width();
    FResizeSlot = &TResizeSlot::Of(*form);
    FPreviousResize = FResizeSlot->OnResize;
    FResizeSlot->OnResize = [this](QObject* sender) { FormResize(sender); };
}

TElastic::~TElastic()
{
    if (FResizeSlot)
        FResizeSlot->OnResize = FPreviousResize;
}

void TElastic::ShowInformationBox(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok);
    box.exec();
}

QSize TElastic::OuterSize()
{
    // A frame that appears or changes (the window being mapped) is not a resize: move the
    // reference with it so the ratio only sees the change of the window itself. Maximising and
    // restoring change the frame as part of the resize.
    const QSize frame = FForm->frameSize() - FForm->size();
    const bool maximized = FForm->isMaximized();
    if (frame != FFrame && maximized == FMaximized) {
        FReferenceHeight += frame.height() - FFrame.height();
        FReferenceWidth += frame.width() - FFrame.width();
    }
    FFrame = frame;
    FMaximized = maximized;
    // A maximised window fills the work area, whatever frame the window system still reports.
    if (maximized)
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
        const TFaultFlagsScope faultFlags;
        const QSize outer = OuterSize();
        // A zero reference (only a frameless window of zero size) gives no ratio; start again from here.
        if (FReferenceWidth > 0 && FReferenceHeight > 0)
            ScaleControls(FForm, Ratio(outer.width(), FReferenceWidth), Ratio(outer.height(), FReferenceHeight));
        FReferenceHeight = outer.height();
        FReferenceWidth = outer.width();
    }
    if (Enabled && OnFormResize)
        OnFormResize(this);
}

void TElastic::ScaleControls(QWidget* parent, TSixByteReal xRatio, TSixByteReal yRatio)
{
    if (!Enabled || parent == nullptr || !IsContainer(*parent))
        return;
    const long double x = Real2Ext(xRatio);
    const long double y = Real2Ext(yRatio);
    for (QWidget* child : ChildControls(*parent)) {
        const QRect bounds = child->geometry();
        child->setGeometry(Scaled(bounds.left(), x), Scaled(bounds.top(), y), Scaled(bounds.width(), x),
                           Scaled(bounds.height(), y));
        if (auto* label = qobject_cast<QLabel*>(child); label != nullptr && StretchLabelFont)
            StretchFont(*label, y);
        if (AllControls)
            ScaleControls(child, xRatio, yRatio);
    }
}

void TElastic::StretchFont(QLabel& label, long double yRatio) const
{
    const int ppi = label.logicalDpiY();
    QFont font = label.font();
    const int height = FontPixelHeight(font, ppi);
    // A size that rounds to one point or none (two pixels or the one-pixel stand-in) is off by
    // half of itself or more; it keeps its exact value, so that growing back scales from that.
    const QVariant collapsed = label.property(kCollapsedPoints);
    const long double points = collapsed.isValid() ? collapsed.toDouble() : PointsOfHeight(height, ppi);
    const long double newPoints = points * yRatio;
    label.setProperty(kCollapsedPoints, Round(newPoints) <= 1 ? QVariant(static_cast<double>(newPoints)) : QVariant());
    const int newHeight = HeightOfPoints(Round(newPoints), ppi);
    if (newHeight == height)
        return;
    // Qt has no font of height 0; the smallest it can show is one pixel.
    font.setPixelSize(std::max(newHeight, 1));
    label.setFont(font);
    // Labels size themselves to their text, keeping their left edge.
    label.adjustSize();
}
