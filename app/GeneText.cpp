#include "app/GeneText.h"

#include "app/Utf8.h"

#include <QChar>

std::u32string UpperCaseGene(std::u32string_view gene)
{
    std::u32string upper(gene);
    for (char32_t& c : upper)
        c = QChar::toUpper(c);
    return upper;
}

std::string UpperCaseGene(std::string_view utf8Gene)
{
    return EncodeUtf8(UpperCaseGene(DecodeUtf8(utf8Gene)));
}
