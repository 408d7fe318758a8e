#include "population/LivingSet.h"

const std::array<uint8_t, std::size_t{256}* 8> BitCount::kSelectInByte = [] {
    std::array<uint8_t, std::size_t{256} * 8> table{};
    for (int byte = 0; byte < 256; ++byte)
        for (int seen = 0, bit = 0; bit < 8; ++bit)
            if ((byte >> bit) & 1)
                table[byte + 256 * (seen++)] = static_cast<uint8_t>(bit);
    return table;
}();
