#!/usr/bin/env bash
# Builds Arcandel and runs the whole test suite, once in the normal build and once with
# AddressSanitizer and UndefinedBehaviorSanitizer; checks the formatting of every source
# file and renders the screen gallery in each build.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cd "$ARCANDEL_ROOT"
bash scripts/check-format.sh
for preset in default sanitize; do
    echo "== Compilación y pruebas: $preset =="
    cmake --preset "$preset" -DARCANDEL_BUILD_TESTS=ON -DARCANDEL_BUILD_GALLERY=ON
    cmake --build --preset "$preset" -j"$(nproc)"
    ctest --preset "$preset" -j"$(nproc)"
    echo "== Galería de pantallas: $preset =="
    QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$ARCANDEL_ROOT/tests/lsan.supp" \
        "build/$preset/tools/gallery/arcandel-gallery" "build/$preset/gallery"
done
