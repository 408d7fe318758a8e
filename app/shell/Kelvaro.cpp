// Program entry: runtime and windowing start-up, the two windows, the message loop.
#include "app/shell/Application.h"
#include "main/Form1.h"
#include "app/shell/MessagePresenter.h"
#include "app/shell/Screen.h"
#include "app/shell/StartupError.h"

#include "Unit2/Unit2.h"
#include "app/FormatSettings.h"
#include "population/FloatEnvironment.h"
#include "population/Random.h"

#include <QApplication>
#include <QIcon>

namespace {

// Once the stack has unwound, the fault's own address is gone; the place where
// the error was caught is the nearest code address left to report.
[[gnu::noinline]] const void* CatchAddress()
{
    return __builtin_extract_return_addr(__builtin_return_address(0));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qtApplication(argc, argv);
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
