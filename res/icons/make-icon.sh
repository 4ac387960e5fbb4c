#!/usr/bin/env bash
# make-icon.sh SOURCE OUT.ico: one Windows icon with the sizes the program
# draws at 96 to 192 dpi (16, 20, 24, 32, 40, 48 pixels). SOURCE names a Tango
# picture as CATEGORY/NAME; the theme's pixel-hinted drawings are taken where
# it has the size, its scalable drawing otherwise.
set -euo pipefail
source="$1"
out="$2"
tango="${TANGO_DIR:-/usr/share/icons/Tango}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
pngs=()
for size in 16 20 24 32 40 48; do
    hinted="$tango/${size}x${size}/$source.png"
    if [[ -f "$hinted" ]]; then
        cp "$hinted" "$work/$size.png"
    else
        rsvg-convert -w "$size" -h "$size" -o "$work/$size.png" "$tango/scalable/$source.svg"
    fi
    pngs+=("$work/$size.png")
done
icotool -c -o "$out" "${pngs[@]}"
