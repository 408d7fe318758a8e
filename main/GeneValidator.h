#pragma once
// Upper-cases an initial gene as it is typed, character by character, so a
// character without a single-character upper case ("ß") keeps the length.
#include <QValidator>

class TGeneValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};
