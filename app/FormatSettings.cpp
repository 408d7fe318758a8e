#include "app/FormatSettings.h"

#include <QLocale>
#include <QString>

char32_t DecimalSeparator = U'.';
char32_t ThousandSeparator = U',';

namespace {

char32_t FirstCharacter(const QString& text, char32_t fallback)
{
    const auto ucs4 = text.toUcs4();
    return ucs4.isEmpty() ? fallback : ucs4.front();
}

}  // namespace

void GetFormatSettings()
{
    const QLocale locale = QLocale::system();
    DecimalSeparator = FirstCharacter(locale.decimalPoint(), U'.');
    ThousandSeparator = FirstCharacter(locale.groupSeparator(), U',');
}
