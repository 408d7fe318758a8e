#include "app/shell/ErrorInfo.h"

#include "app/Errors.h"

#include <new>

TErrorInfo DescribeCurrentException()
{
    try {
        throw;
    } catch (const EAbort&) {
        return {"EAbort", QString(), true};
    } catch (const Exception& e) {
        return {QString::fromLatin1(e.ClassName()), QString::fromUtf8(e.Message)};
    } catch (const std::bad_alloc&) {
        return {"EOutOfMemory", QString::fromUtf8(kOutOfMemoryMessage)};
    } catch (const std::exception& e) {
        return {"Exception", QString::fromUtf8(e.what())};
    } catch (...) {
        return {"Exception", QStringLiteral("Unbekannter Fehler")};
    }
}
