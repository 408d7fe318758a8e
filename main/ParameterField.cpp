#include "main/ParameterField.h"

#include "app/GeneText.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QValidator>

#include <algorithm>

namespace {

bool EndsLine(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::Null || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

qsizetype Characters(QStringView text)
{
    return static_cast<qsizetype>(text.toUcs4().size());
}

// The first `count` characters of the text.
QStringView Leading(QStringView text, qsizetype count)
{
    qsizetype end = 0;
    for (; end < text.size() && count > 0; --count)
        end += text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate() ? 2 : 1;
    return text.first(end);
}

QStringView FirstLine(QStringView text)
{
    return text.first(std::find_if(text.begin(), text.end(), EndsLine) - text.begin());
}

QString UpperCased(QStringView text)
{
    return QString::fromStdU32String(UpperCaseGene(text.toString().toStdU32String()));
}

// Refuses a change the fitting did not see coming, which the field then takes back as a plain
// field takes back a character beyond its limit: text, cursor and undo history as they were.
class TFieldRule : public QValidator {
public:
    TFieldRule(QObject* parent, int maxCharacters, bool upperCase)
        : QValidator(parent), FMaxCharacters(maxCharacters), FUpperCase(upperCase)
    {
    }
    State validate(QString& input, int&) const override
    {
        const bool fits = Characters(input) <= FMaxCharacters && FirstLine(input).size() == input.size();
        return fits && (!FUpperCase || UpperCased(input) == input) ? Acceptable : Invalid;
    }

private:
    int FMaxCharacters;
    bool FUpperCase;
};

}  // namespace

TParameterField::TParameterField(const QString& text, int maxCharacters, bool upperCase, QWidget* parent)
    : QLineEdit(text, parent), FMaxCharacters(maxCharacters), FUpperCase(upperCase)
{
    // The field's own limit counts UTF-16 units and would cut a surrogate pair: the rule counts instead.
    setMaxLength(32767);
    setValidator(new TFieldRule(this, maxCharacters, upperCase));
}

QString TParameterField::Fitting(QStringView text) const
{
    const qsizetype room = FMaxCharacters - Characters(this->text()) + Characters(selectedText());
    const QStringView fitting = Leading(FirstLine(text), std::max<qsizetype>(0, room));
    return FUpperCase ? UpperCased(fitting) : fitting.toString();
}

void TParameterField::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        Paste(QClipboard::Clipboard);
        event->accept();
        return;
    }
    // A key whose text does not fit at all goes on whole: the field handles the key as a plain
    // field would, and the rule takes back what it would insert.
    QString typed = Fitting(event->text());
    if (typed.isEmpty())
        typed = FUpperCase ? UpperCased(event->text()) : event->text();
    if (typed == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent fitted(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                     event->nativeVirtualKey(), event->nativeModifiers(), typed, event->isAutoRepeat(),
                     static_cast<quint16>(event->count()), event->device());
    QLineEdit::keyPressEvent(&fitted);
    event->setAccepted(fitted.isAccepted());
}

void TParameterField::inputMethodEvent(QInputMethodEvent* event)
{
    const QString committed = Fitting(event->commitString());
    if (committed == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitted(event->preeditString(), event->attributes());
    fitted.setCommitString(committed, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&fitted);
    event->setAccepted(fitted.isAccepted());
}

void TParameterField::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) != QLineEdit::tr("&Paste"))
            continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TParameterField::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        deselect();
        Paste(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TParameterField::dropEvent(QDropEvent* event)
{
    const QString dropped = event->mimeData()->text();
    if (dropped.isNull() || isReadOnly()) {
        QLineEdit::dropEvent(event);
        return;
    }
    // Dropped text lands at the drop point and replaces nothing.
    const qsizetype room = FMaxCharacters - Characters(text());
    const QString taken = Leading(FirstLine(dropped), std::max<qsizetype>(0, room)).toString();
    if (taken.isEmpty()) {
        // Nothing taken: the source keeps its text.
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    QMimeData data;
    data.setText(FUpperCase ? UpperCased(taken) : taken);
    QDropEvent fitted(event->position(), event->possibleActions(), &data, event->buttons(), event->modifiers());
    QLineEdit::dropEvent(&fitted);
    event->setDropAction(fitted.dropAction());
    event->setAccepted(fitted.isAccepted());
    // Part of it taken: a move would remove all of it from the source, so it is copied instead.
    if (taken.size() < dropped.size() && event->dropAction() == Qt::MoveAction)
        event->setDropAction(Qt::CopyAction);
}

void TParameterField::Paste(QClipboard::Mode mode)
{
    const QString pasted = Fitting(QGuiApplication::clipboard()->text(mode));
    if (pasted.isEmpty() && !hasSelectedText())
        return;
    SeparateUndoSteps();
    insert(pasted);
    SeparateUndoSteps();
}

void TParameterField::SeparateUndoSteps()
{
    // Moving the cursor ends the step; it comes back at once, and with it the selection.
    const int cursor = cursorPosition();
    const int start = selectionStart();
    const int length = static_cast<int>(selectedText().size());
    if (text().isEmpty())
        return;
    setCursorPosition(cursor == 0 ? static_cast<int>(text().size()) : 0);
    if (length == 0)
        setCursorPosition(cursor);
    else if (cursor == start)
        setSelection(start + length, -length);
    else
        setSelection(start, length);
}
