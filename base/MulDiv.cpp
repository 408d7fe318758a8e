#include "base/MulDiv.h"

#include <cstdlib>
#include <limits>

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t num = static_cast<std::uint64_t>(std::llabs(product));
    const std::uint64_t den = static_cast<std::uint64_t>(std::llabs(std::int64_t{c}));
    std::uint64_t q = num / den;
    if ((num % den) * 2 >= den)
        ++q;
    if (q > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return -1;
    const auto result = static_cast<std::int32_t>(q);
    return negative ? -result : result;
}
