#!/bin/sh
# Redraws the pictures in resources/ from tools/draw_pictures.cpp.
# Needs g++, pkg-config, the Qt 6 GUI development files and the DejaVu fonts.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
bin=$(mktemp /tmp/draw_pictures.XXXXXX)
trap 'rm -f "$bin"' EXIT

# shellcheck disable=SC2046 # pkg-config output is meant to be word-split
g++ -std=c++20 -O1 -Wall -Wextra -fPIC -o "$bin" "$here/draw_pictures.cpp" \
    $(pkg-config --cflags --libs Qt6Gui)

mkdir -p "$root/resources"
QT_QPA_PLATFORM=offscreen "$bin" "$root/resources"
