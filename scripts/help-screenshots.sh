#!/usr/bin/env bash
# Regenerates the pictures of Locastra's windows in src/help/images from the running
# product on the demo map, under a virtual X server.
#
#   tool-window.png         the host's --screenshot with --command "Locastra...",
#                           cropped to the tool window
#   information-window.png  the dialogs, opened from the tool window with xdotool in a
#   symbol-picker.png       running host and taken with ImageMagick's import: the host's
#                           --screenshot fires too soon after the command to reach them
# The About window has no picture: it carries a third party's trademark notice.
#
# Usage: scripts/help-screenshots.sh            (build folder: build/)
#        BUILD_DIR=/path/to/build DISPLAY_NUMBER=61 scripts/help-screenshots.sh
# Builds maphost and Locastra first if needed; installs imagemagick, xdotool and
# x11-utils with apt-get when they are missing.
set -euo pipefail

top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$top/build}"
display="${DISPLAY_NUMBER:-60}"
out="$top/src/help/images"

install_missing() { # command package
    command -v "$1" >/dev/null 2>&1 && return
    apt-get install -y --no-install-recommends "$2"
}
install_missing convert imagemagick
install_missing import imagemagick
install_missing xdotool xdotool
install_missing xwininfo x11-utils
install_missing xvfb-run xvfb

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" -j2 --target maphost Locastra

host="$build/bin/maphost"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A private user: fresh settings, add-in list and demo map, nothing of the real user's.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
"$host" --register-addin="$build/lib/libLocastra.so" >/dev/null

mkdir -p "$out"
# The session below runs inside the virtual X server.
cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
host="$1" work="$2" out="$3"

# Waits for a visible window whose title is exactly $1 and prints its id.
window() {
    local id
    for _ in $(seq 1 300); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)"
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    echo "no window \"$1\"" >&2
    return 1
}
# Prints x y width height of a window, in screen coordinates.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'
}
# Clicks at x y inside a window.
click() { # window x y button
    xdotool mousemove --window "$1" "$2" "$3" click "$4"
    sleep 0.4
}
snap() { # window file
    sleep 0.8
    import -window "$1" "$2"
}
# Closes a dialog with Esc, the pointer over it, and waits until it is gone.
dismiss() { # window
    xdotool mousemove --window "$1" 20 20
    xdotool key Escape
    for _ in $(seq 1 50); do
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    echo "a dialog did not close" >&2
    return 1
}

# 1. A running host: where its windows lie, then the dialogs, opened from the tool
#    window after a search.
"$host" --command "Locastra..." &
running=$!
tool="$(window "Locastra v2.4")"
sleep 1
read -r tx ty tw th < <(geometry "$tool")
# The host's --screenshot draws every visible window into one picture whose corner is
# the top left corner of them all.
min_x="$tx" min_y="$ty"
for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    read -r x y w h < <(geometry "$id")
    [ "$w" -gt 1 ] && [ "$h" -gt 1 ] || continue
    [ "$x" -lt "$min_x" ] && min_x="$x"
    [ "$y" -lt "$min_y" ] && min_y="$y"
done
echo "$tw $th $((tx - min_x)) $((ty - min_y))" >"$work/tool-window-place"

# Twips to pixels at 96 DPI (15 twips a pixel); the client area, 7515 twips high,
# starts under the menu bar, which takes the rest of the window's height.
menu_bar=$((th - 7515 / 15))
search_y=$((menu_bar + 2625 / 15 + 12))
row_y=$((menu_bar + 3015 / 15 + 34))
click "$tool" 100 "$search_y" 1
xdotool type --delay 40 "Paris"
xdotool key Return
sleep 1.5
click "$tool" 60 "$row_y" 1

# Copy/Print Information is the seventh entry of the pop-up menu.
click "$tool" 60 "$row_y" 3
xdotool key Down Down Down Down Down Down Down Return
info="$(window "Pushpin Information")"
snap "$info" "$out/information-window.png"
dismiss "$info"

# Change Pushpin Symbol is the eighth; symbol 0 is chosen to show a selection.
click "$tool" 60 "$row_y" 3
xdotool key Down Down Down Down Down Down Down Down Return
picker="$(window "Select Pushpin Symbol")"
click "$picker" 35 35 1
snap "$picker" "$out/symbol-picker.png"
dismiss "$picker"

kill "$running"
wait "$running" 2>/dev/null || true

# 2. The tool window, with the host's own --screenshot, cut out of the picture of all
#    windows at the place found above.
"$host" --command "Locastra..." --screenshot "$work/host.png"
read -r tw th dx dy <"$work/tool-window-place"
convert "$work/host.png" -crop "${tw}x${th}+${dx}+${dy}" +repage "$out/tool-window.png"
SESSION

xvfb-run -n "$display" -s "-screen 0 1280x1024x24" \
    bash "$work/session.sh" "$host" "$work" "$out"

for picture in tool-window information-window symbol-picker; do
    test -s "$out/$picture.png" || { echo "missing $out/$picture.png" >&2; exit 1; }
    # Strip the time stamps, so an unchanged window gives an unchanged file.
    convert "$out/$picture.png" -strip "$out/$picture.png"
    echo "wrote $out/$picture.png ($(identify -format '%wx%h' "$out/$picture.png"))"
done
