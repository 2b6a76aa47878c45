#!/usr/bin/env bash
# Builds Arcandel and starts it. Extra arguments go to the program (e.g. --preview).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}"
cd "$ARCANDEL_ROOT"
cmake --preset default -DARCANDEL_BUILD_TESTS=OFF -DARCANDEL_BUILD_BENCH=OFF
cmake --build --preset default -j"$(nproc)"
exec ./build/default/src/arcandel "$@"
