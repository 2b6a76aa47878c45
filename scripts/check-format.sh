#!/usr/bin/env bash
# Fails when a C++ file of the project drifts from .clang-format (Debian 12's clang-format).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(find src tests bench tools -name '*.cpp' -o -name '*.h' | sort)
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "Hay archivos con un formato distinto del de .clang-format; para corregirlo:" >&2
    echo "  clang-format -i \$(find src tests bench tools -name '*.cpp' -o -name '*.h')" >&2
    exit 1
fi
