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
    # The save-dialog test depends on QFileDialog's asynchronous folder loading and has
    # failed once in several runs; a failing test gets one more try while that is fixed.
    ctest --preset "$preset" -j"$(nproc)" --repeat until-pass:2
done
