#include "app/shell/MessagePresenter.h"

#include <QApplication>
#include <QPointer>

void TMessageBoxPresenter::ShowMessage(QWidget* owner, const QString& caption, const QString& text,
                                       QMessageBox::Icon icon)
{
    QPointer<QWidget> previouslyActive = QApplication::activeWindow();
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    if (previouslyActive && previouslyActive->isVisible())
        previouslyActive->activateWindow();
}
