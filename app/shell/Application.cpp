#include "app/shell/Application.h"

#include "app/shell/ErrorInfo.h"

#include "app/FormatSettings.h"
#include "base/FloatEnvironment.h"

#include <QApplication>
#include <QFileInfo>
#include <QWindowStateChangeEvent>

#include <cfenv>

TApplication* Application = nullptr;

namespace {

// The executable's name without directory and extension, letters after the first in lower case.
QString DefaultTitle()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.left(1) + name.mid(1).toLower();
}

}  // namespace

TApplication::TApplication() : FTitle(DefaultTitle()), FPresenter(std::make_unique<TMessageBoxPresenter>())
{
    Application = this;
    // Only closing the main window ends the program, even while the chart window is shown.
    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &TApplication::ApplicationStateChanged);
}

TApplication::~TApplication()
{
    FHints.reset();
    for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
        delete it->data();
    if (Application == this)
        Application = nullptr;
}

void TApplication::AdoptForm(QWidget* form)
{
    FForms.emplace_back(form);
    if (!FMainForm) {
        FMainForm = form;
        form->winId();
        form->installEventFilter(this);
    }
}

void TApplication::Run()
{
    FRunning = true;
    if (FMainForm) {
        FMainForm->show();
        QCoreApplication::exec();
        FTerminated = true;
    }
    FRunning = false;
}

void TApplication::ProcessMessages()
{
    // Whatever the pumped events do to the floating-point flags and modes, the
    // caller's computation carries on with its own.
    std::fenv_t callers;
    std::fegetenv(&callers);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::fesetenv(&callers);
}

void TApplication::Terminate()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            FTerminated = true;
            QCoreApplication::exit(0);
        },
        Qt::QueuedConnection);
}

void TApplication::HandleException(QObject* sender)
{
    const TErrorInfo error = DescribeCurrentException();
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    // A floating fault may leave sticky flags or a changed control word behind.
    SetFloatEnvironment();
    if (error.Silent)
        return;
    auto* widget = qobject_cast<QWidget*>(sender);
    ShowException(error.Message, widget ? widget->window() : FMainForm.data());
}

void TApplication::ShowException(const QString& message, QWidget* owner)
{
    // The box would otherwise open underneath the stay-on-top chart window.
    FTopMosts.NormalizeTopMosts(FMainForm);
    FPresenter->ShowMessage(owner, FTitle, message + u'.', QMessageBox::Critical);
    FTopMosts.RestoreTopMosts();
}

void TApplication::SetShowHint(bool show)
{
    if (show == ShowHint())
        return;
    if (show)
        FHints = std::make_unique<THintManager>();
    else
        FHints.reset();
}

void TApplication::SetMessagePresenter(std::unique_ptr<TMessagePresenter> presenter)
{
    FPresenter = std::move(presenter);
}

void TApplication::ApplicationStateChanged(Qt::ApplicationState state)
{
    const bool inactive = state != Qt::ApplicationActive;
    if (inactive == FInactive)
        return;
    FInactive = inactive;
    if (inactive)
        FTopMosts.NormalizeTopMosts(FMainForm);
    else
        FTopMosts.RestoreTopMosts();
}

// Minimising the main window minimises the whole application: the other
// windows go with it and come back unchanged. They stay "visible" to the code
// meanwhile, so a run keeps pumping messages.
void TApplication::MainFormStateChanged()
{
    const bool minimized = FMainForm->isMinimized();
    if (minimized == FMinimized)
        return;
    FMinimized = minimized;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == FMainForm || !w->isVisible() || !(w->windowFlags() & Qt::Window) ||
            (w->windowFlags() & Qt::WindowType_Mask) == Qt::ToolTip)
            continue;
        w->setWindowState(minimized ? (w->windowState() | Qt::WindowMinimized)
                                    : (w->windowState() & ~Qt::WindowMinimized));
    }
    if (minimized) {
        FTopMosts.NormalizeTopMosts(FMainForm);
    } else {
        FTopMosts.RestoreTopMosts();
        // The window system activates the windows it shows again; the main window was the active one.
        FMainForm->activateWindow();
    }
}

bool TApplication::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::LocaleChange && watched == qApp && UpdateFormatSettings)
        GetFormatSettings();
    else if (event->type() == QEvent::WindowStateChange && watched == FMainForm)
        MainFormStateChanged();
    return false;
}
