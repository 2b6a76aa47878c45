# Shared by the build-and-run and build-and-test scripts: installs what is missing.
set -euo pipefail

ARCANDEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the given Debian packages that are not installed yet.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Instalando paquetes de Debian: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-gtk-platformtheme qt6-translations-l10n
    libcanberra-dev libcanberra-pulse libglib2.0-dev libyaml-cpp-dev
    fonts-dejavu-core fonts-noto-core
)

TEST_PACKAGES=(
    libbenchmark-dev clang-format
    xvfb xauth dbus dbus-x11 xdotool at-spi2-core python3 python3-pyatspi
    desktop-file-utils appstream poppler-utils
)

# What CPack needs to build the Debian package (dpkg-shlibdeps, file).
PACKAGE_PACKAGES=(
    dpkg-dev file
)
