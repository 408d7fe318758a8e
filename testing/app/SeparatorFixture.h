#pragma once
// Tests run with chosen separators (German ones unless told otherwise) and give the
// process its own back when the fixture goes.
#include "app/FormatSettings.h"

class TSeparatorFixture {
public:
    explicit TSeparatorFixture(char32_t decimal = U',', char32_t thousand = U'.')
    {
        DecimalSeparator = decimal;
        ThousandSeparator = thousand;
    }
    ~TSeparatorFixture()
    {
        DecimalSeparator = FSavedDecimal;
        ThousandSeparator = FSavedThousand;
    }
    TSeparatorFixture(const TSeparatorFixture&) = delete;
    TSeparatorFixture& operator=(const TSeparatorFixture&) = delete;

private:
    char32_t FSavedDecimal = DecimalSeparator;
    char32_t FSavedThousand = ThousandSeparator;
};
