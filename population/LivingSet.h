#pragma once
// The living places of a population (0 .. 99) as a bit set that keeps its count and
// finds the k-th living place without a scan, so reproduction costs the same
// whatever the number of survivors.
#include <array>
#include <cstdint>

class TLivingSet {
public:
    static constexpr int kPlaces = 100;

    void Clear()
    {
        words_ = {};
        count_ = 0;
    }

    bool Test(int place) const { return (words_[place >> 6] >> (place & 63)) & 1; }
    int Count() const { return count_; }
    uint64_t Word(int w) const { return words_[w]; }

    void Set(int place)
    {
        words_[place >> 6] |= uint64_t{1} << (place & 63);
        ++count_;
    }

    // Removes the places of the given word's mask that are living (others are ignored).
    void RemoveWord(int w, uint64_t mask)
    {
        const uint64_t removed = words_[w] & mask;
        words_[w] &= ~removed;
        count_ -= PopCount(removed);
    }

    // The place of the (k+1)-th living place in place order; k < Count().
    int Select(uint32_t k) const
    {
        const int low = PopCount(words_[0]);
        if (static_cast<int>(k) < low)
            return SelectInWord(words_[0], k);
        return 64 + SelectInWord(words_[1], k - static_cast<uint32_t>(low));
    }

    // Dead places: the complement of the set within 0 .. 99.
    uint64_t DeadWord(int w) const { return ~words_[w] & (w == 0 ? ~uint64_t{0} : (uint64_t{1} << 36) - 1); }

    static int PopCount(uint64_t x);
    static int SelectInWord(uint64_t x, uint32_t k);

private:
    std::array<uint64_t, 2> words_{};
    int count_ = 0;
};
