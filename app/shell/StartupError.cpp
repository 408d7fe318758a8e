#include "app/shell/StartupError.h"

#include "app/shell/ErrorInfo.h"
#include "app/shell/MessagePresenter.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdint>

QString StartupErrorText(const TErrorInfo& error, const QString& module, const void* address)
{
    const auto pointer = static_cast<qulonglong>(reinterpret_cast<std::uintptr_t>(address));
    const QString hex = QString::number(pointer, 16).toUpper().rightJustified(2 * sizeof(void*), u'0');
    const QString stop = error.Message.endsWith(u'.') ? QString() : QStringLiteral(".");
    return QStringLiteral("Exception %1 im Modul %2 bei %3.\n%4%5")
        .arg(error.ClassName, module, hex, error.Message, stop);
}

void ShowStartupError(TMessagePresenter& presenter, const void* address)
{
    const TErrorInfo error = DescribeCurrentException();
    const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    presenter.ShowMessage(nullptr, QString::fromLatin1(kStartupErrorCaption), StartupErrorText(error, module, address),
                          QMessageBox::Critical);
}
