#!/usr/bin/env bash
# Builds the Debian package of Arcandel: build/paquete/arcandel_<versión>_<arquitectura>.deb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
cd "$ARCANDEL_ROOT"
build="$ARCANDEL_ROOT/build/paquete"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DARCANDEL_WERROR=ON \
    -DARCANDEL_BUILD_TESTS=OFF -DARCANDEL_BUILD_BENCH=OFF -DARCANDEL_BUILD_GALLERY=OFF
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/arcandel_*.deb
(cd "$build" && cpack)
echo "Paquete listo:"
ls "$build"/arcandel_*.deb
