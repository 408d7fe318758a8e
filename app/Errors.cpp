#include "app/Errors.h"

#include <string>

EConvertError ConvertError(const char* messageTemplate, std::string_view text)
{
    std::string message(messageTemplate);
    message.replace(message.find("%s"), 2, text);
    return EConvertError(std::move(message));
}
