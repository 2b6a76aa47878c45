#pragma once

#include "engine/random_source.h"

// Backed by the system's cryptographically secure generator.
class SystemRandomSource final : public RandomSource {
public:
    quint64 next() override;
};
