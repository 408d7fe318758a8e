#pragma once
// The input rule of a parameter field. A field holds one line of at most its limit of
// characters, counted whole (a surrogate pair is one character, never cut in half). Inserted
// text, typed or pasted, keeps only its first line (up to a line break or NUL, as the
// platform's single-line fields do) and what fits the limit; the gene field also upper-cases
// each character on its own, so "ß" keeps the length.
#include <QValidator>

class QLineEdit;

class TFieldValidator : public QValidator {
public:
    // Installs itself on the field.
    TFieldValidator(QLineEdit* edit, int maxCharacters, bool upperCase);
    State validate(QString& input, int& pos) const override;

private:
    // The field's text before the change being validated.
    QString FBefore;
    int FMaxCharacters;
    bool FUpperCase;
};
