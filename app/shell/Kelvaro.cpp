// Program entry: runtime and windowing start-up, the two windows, the message loop.
#include "app/shell/Application.h"
#include "app/shell/MessagePresenter.h"
#include "app/shell/Screen.h"
#include "app/shell/StartupError.h"
#include "main/Form1.h"

#include "Unit2/Unit2.h"
#include "app/FormatSettings.h"
#include "base/FloatEnvironment.h"
#include "base/MemoryEnvironment.h"
#include "population/Random.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

// The toolkit's messages while it starts, held back: when it cannot start (no
// display, most likely), one line of ours comes first, then the toolkit's own
// reason, and the process ends where the toolkit would abort it.
struct THeldMessage {
    QtMsgType Type;
    QByteArray Category;
    QString Text;
};
std::vector<THeldMessage>* HeldMessages = nullptr;

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs("Kelvaro kann nicht starten: keine grafische Anzeige gefunden.\n", stderr);
        bool reasonShown = false;
        for (const THeldMessage& message : *HeldMessages) {
            if (message.Type != QtWarningMsg && message.Type != QtCriticalMsg)
                continue;
            std::fprintf(stderr, "%s: %s\n", message.Category.constData(), qPrintable(message.Text));
            reasonShown = true;
        }
        if (!reasonShown)
            std::fprintf(stderr, "%s\n", qPrintable(text.section(QLatin1Char('\n'), 0, 0)));
        std::fflush(stderr);
        std::_Exit(1);
    }
    HeldMessages->push_back({type, context.category, text});
}

void StartToolkit(std::optional<QApplication>& application, int& argc, char** argv)
{
    std::vector<THeldMessage> held;
    HeldMessages = &held;
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartMessage);
    application.emplace(argc, argv);
    qInstallMessageHandler(previous);
    HeldMessages = nullptr;
    for (const THeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.Category.constData());
        qt_message_output(message.Type, context, message.Text);
    }
}

// Once the stack has unwound, the fault's own address is gone; the place where
// the error was caught is the nearest code address left to report.
[[gnu::noinline]] const void* CatchAddress()
{
    return __builtin_extract_return_addr(__builtin_return_address(0));
}

}  // namespace

int main(int argc, char** argv)
{
    SetMemoryEnvironment();
    std::optional<QApplication> qtApplication;
    StartToolkit(qtApplication, argc, argv);
    // Set after Qt's start-up, which may leave the control word as it likes.
    SetFloatEnvironment();
    GetFormatSettings();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvaro.png")));

    TScreen screen;
    TApplication application;
    application.SetShowHint(true);
    Randomize();

    try {
        Application->Initialize();
        Application->SetTitle(QStringLiteral("Kelvaro"));
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Form1->AttachChartWindow();
    } catch (...) {
        ShowStartupError(Application->MessagePresenter(), CatchAddress());
        return 1;
    }
    Application->Run();
    return 0;
}
