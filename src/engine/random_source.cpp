#include "engine/random_source.h"

namespace {

__extension__ typedef unsigned __int128 Wide;

} // namespace

quint64 RandomSource::bounded(quint64 bound)
{
    if (bound <= 1)
        return 0;
    // Lemire's multiply-and-shift: the high half of value * bound is uniform in [0, bound)
    // once the few values whose low half falls below 2^64 mod bound are rejected.
    Wide product = Wide(next()) * bound;
    auto low = quint64(product);
    if (low < bound) {
        const quint64 threshold = (0 - bound) % bound;
        while (low < threshold) {
            product = Wide(next()) * bound;
            low = quint64(product);
        }
    }
    return quint64(product >> 64);
}

bool RandomSource::boolean()
{
    // The top bit: one value, one fair bit.
    return (next() >> 63) != 0;
}
