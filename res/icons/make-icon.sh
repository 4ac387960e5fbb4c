#!/usr/bin/env bash
# make-icon.sh SOURCE OUT.ico: one Windows icon.
# SOURCE is either a drawing of ours in this folder (NAME.svg), made into
# every size from 16 to 256 pixels (the program's own icon: the title bar,
# the notification area, Explorer's large views, the installer), or a Tango
# picture as CATEGORY/NAME, made into the sizes the program draws at 96 to
# 192 dpi (16, 20, 24, 32, 40, 48 pixels), the theme's pixel-hinted drawings
# taken where it has the size, its scalable drawing otherwise.
set -euo pipefail
source="$1"
out="$2"
here="$(cd "$(dirname "$0")" && pwd)"
tango="${TANGO_DIR:-/usr/share/icons/Tango}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
pngs=()
if [[ "$source" == *.svg ]]; then
    for size in 16 20 24 32 40 48 64 128; do
        rsvg-convert -w "$size" -h "$size" -o "$work/$size.png" "$here/$source"
        pngs+=("$work/$size.png")
    done
    # The largest size is kept as PNG inside the icon, as Windows expects.
    rsvg-convert -w 256 -h 256 -o "$work/256.png" "$here/$source"
    icotool -c -o "$out" "${pngs[@]}" -r "$work/256.png"
    exit
fi
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
