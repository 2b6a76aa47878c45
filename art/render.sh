#!/bin/sh
# Regenerates the card faces, the Lanuk mascot and the application icon
# from the Python drawing programs in this folder.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build="$here/build"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

need_pkgs=""
command -v rsvg-convert >/dev/null 2>&1 || need_pkgs="$need_pkgs librsvg2-bin"
fc-list 2>/dev/null | grep -q "DejaVuSerif-Bold" || need_pkgs="$need_pkgs fonts-dejavu-core fontconfig"
if [ -n "$need_pkgs" ]; then
    as_root apt-get update
    # shellcheck disable=SC2086
    as_root apt-get install -y --no-install-recommends $need_pkgs
fi

mkdir -p "$build/cards" "$root/src/Resources/Cards"

# Card faces: 400 x 750.
python3 "$here/draw_cards.py" "$build/cards"
for svg in "$build"/cards/*.svg; do
    name=$(basename "$svg" .svg)
    rsvg-convert -w 400 -h 750 "$svg" -o "$root/src/Resources/Cards/$name.png"
done

# Mascot: 512 x 512 on a transparent ground.
python3 "$here/draw_lanuk.py" "$build/Lanuk.svg"
rsvg-convert -w 512 -h 512 "$build/Lanuk.svg" -o "$root/src/Resources/Lanuk.png"

# Application icon: the scalable SVG is kept in the tree; small sizes use a
# simplified drawing so they stay crisp.
icons="$root/data/icons/hicolor"
mkdir -p "$icons/scalable/apps"
python3 "$here/draw_icon.py" "$icons/scalable/apps/org.arcandel.Arcandel.svg" "$build/icon-small.svg"
for size in 16 24 32 48 64 128 256 512; do
    mkdir -p "$icons/${size}x${size}/apps"
    src="$icons/scalable/apps/org.arcandel.Arcandel.svg"
    [ "$size" -le 32 ] && src="$build/icon-small.svg"
    rsvg-convert -w "$size" -h "$size" "$src" -o "$icons/${size}x${size}/apps/org.arcandel.Arcandel.png"
done

echo "Pictures written to src/Resources and data/icons."
