#pragma once

#include <QtGlobal>

// A source of uniformly distributed 64-bit values, owned by the store and passed by
// reference to the engine. Bounded integers and booleans are derived from it without bias.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual quint64 next() = 0;

    // Uniform integer in [0, bound), without modulo bias. A bound of 0 or 1 leaves no choice:
    // it returns 0 and takes nothing from the source.
    quint64 bounded(quint64 bound);
    // A fair boolean, taken from exactly one value of the source.
    bool boolean();
};
