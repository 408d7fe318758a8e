#include "main/GeneValidator.h"

#include "app/GeneText.h"

QValidator::State TGeneValidator::validate(QString& input, int&) const
{
    fixup(input);
    return Acceptable;
}

void TGeneValidator::fixup(QString& input) const
{
    input = QString::fromStdU32String(UpperCaseGene(input.toStdU32String()));
}
