#pragma once
// A parameter field: a single-line edit field that holds at most its limit of characters, counted
// whole (a surrogate pair is one character, never cut in half). Inserted text, typed, pasted,
// committed by an input method or dropped, keeps only its first line (up to a line break or NUL,
// as the platform's single-line fields do) and what fits the limit; the gene field also
// upper-cases each character on its own, so "ß" keeps the length. The text is fitted before it
// reaches the field, so the field's own cursor, selection and undo history stay those of a plain
// field; a validator refuses whatever would still break the rules.
#include <QClipboard>
#include <QLineEdit>

class TParameterField : public QLineEdit {
public:
    TParameterField(const QString& text, int maxCharacters, bool upperCase, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What the field takes of `text` in place of the selection: the first line, upper-cased
    // for the gene, whole characters up to the room left.
    QString Fitting(QStringView text) const;
    // As the field's own paste, one undo step of its own.
    void Paste(QClipboard::Mode mode);
    // Ends the undo step in progress, keeping cursor and selection.
    void SeparateUndoSteps();

    int FMaxCharacters;
    bool FUpperCase;
};
