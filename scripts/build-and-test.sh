#!/usr/bin/env bash
# Builds Arcandel and runs the whole test suite, once in the normal build and once with
# AddressSanitizer and UndefinedBehaviorSanitizer.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cd "$ARCANDEL_ROOT"
for preset in default sanitize; do
    echo "== Compilación y pruebas: $preset =="
    cmake --preset "$preset" -DARCANDEL_BUILD_TESTS=ON
    cmake --build --preset "$preset" -j"$(nproc)"
    ctest --preset "$preset" -j"$(nproc)"
done
