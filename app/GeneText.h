#pragma once
// Upper-casing of an initial gene as the field does it while typing.
#include <string>
#include <string_view>

// Each character on its own: a character whose upper case is more than one
// character ("ß") stays as it is, so the length never changes.
std::u32string UpperCaseGene(std::u32string_view gene);
std::string UpperCaseGene(std::string_view utf8Gene);
