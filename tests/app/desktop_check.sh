#!/bin/sh
# Runs the real program on a virtual X display and checks what a person would
# see: the orange window, a second copy refused with "すでに起動されています。"
# through the real message box, and a new copy starting after the first one
# was killed. Leaves screenshots in the output folder.
#
#     tests/app/desktop_check.sh <path of lumitag> <output folder>
#
# Needs Xvfb, xdotool and xwd (x11-apps); convert (ImageMagick) turns the
# screenshots into PNG.
set -eu
program=$1
out=$2
display=:77
mkdir -p "$out"
# The program keeps its files beside the executable: run a copy in a folder of its own.
run=$(mktemp -d)
cp "$program" "$run/lumitag"

Xvfb $display -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
first=
finish() {
    [ -n "$first" ] && kill "$first" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$run"
}
trap finish EXIT
export DISPLAY=$display
# A sanitizer build: the desktop libraries keep a few allocations until exit.
export ASAN_OPTIONS=detect_leaks=0
sleep 1

shot() { xwd -root -silent | convert xwd:- "$out/$1.png"; }
wait_window() { # pid, seconds
    i=0
    while [ $i -lt $(($2 * 10)) ]; do
        xdotool search --onlyvisible --pid "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}

"$run/lumitag" & first=$!
wait_window $first 20 || { echo "FAIL: the first copy shows no window"; exit 1; }
sleep 1
shot orange
for w in $(xdotool search --onlyvisible --pid $first); do
    echo "ok: the first copy shows the window \"$(xdotool getwindowname "$w")\""
done
[ -f "$run/lumitagr.ini" ] && echo "ok: the settings file was made ($(wc -l < "$run/lumitagr.ini") lines)"

"$run/lumitag" & second=$!
wait_window $second 20 || { echo "FAIL: the second copy shows no message"; exit 1; }
sleep 0.5
shot second-copy
box=$(xdotool search --onlyvisible --pid $second | tail -1)
echo "ok: the second copy shows: $(xdotool getwindowname "$box")"
xdotool windowfocus --sync "$box" key Return
i=0
while kill -0 $second 2>/dev/null && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
if kill -0 $second 2>/dev/null; then echo "FAIL: the second copy did not end"; kill $second; exit 1; fi
wait $second && echo "ok: the second copy ended after its message"
kill -0 $first && echo "ok: the first copy runs on"

kill -9 $first
wait $first 2>/dev/null || true
first=
"$run/lumitag" & first=$!
wait_window $first 20 || { echo "FAIL: no new copy after the first was killed"; exit 1; }
echo "ok: a new copy starts after the first one was killed"
