#!/bin/sh
# The real program on a virtual X display of its own, driven with real key
# presses through a marking job and a save, as a person would:
#   1 to 3 into 連番１, "-A" into 線番１, 2 into 個数 and Enter (commit), F8,
#   Enter at "CTK保存しますか？", the file name into the save dialog.
# The saved file must hold exactly the three lines. A front end that no longer
# passes keys on, draws no window or loses the save fails here.
#
#     tests/e2e/marking_job.sh <path of lumitag> <folder for screenshots>
#
# Needs Xvfb and xdotool; xwd and convert add screenshots when a step fails.
set -eu
program=$1
out=$2
mkdir -p "$out"

work=$(mktemp -d)
xvfb=
app=
stop() { # pid: asks it to end, then makes it
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null || return 0
    i=0
    while kill -0 "$1" 2>/dev/null && [ $i -lt 20 ]; do sleep 0.1; i=$((i + 1)); done
    kill -9 "$1" 2>/dev/null || true
}
finish() {
    stop "$app"
    stop "$xvfb"
    rm -rf "$work"
}
trap finish EXIT INT TERM

# A display nobody uses: the first number from 90 up whose lock Xvfb gets.
for number in $(seq 90 199); do
    [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1366x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    i=0
    while [ $i -lt 50 ] && kill -0 "$xvfb" 2>/dev/null && ! DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; do
        sleep 0.1
        i=$((i + 1))
    done
    if kill -0 "$xvfb" 2>/dev/null && DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=":$number"
        break
    fi
    xvfb=
done
[ -n "$xvfb" ] || { echo "FAIL: no free X display"; exit 1; }
echo "display $DISPLAY"

# The program keeps its files beside the executable, its single-instance lock
# in XDG_RUNTIME_DIR, and Qt its settings in HOME: all of them our own.
mkdir -p "$work/program" "$work/runtime" "$work/home" "$work/out"
chmod 700 "$work/runtime"
cp "$program" "$work/program/lumitag"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
# A sanitizer build: the desktop libraries keep a few allocations until exit.
export ASAN_OPTIONS=detect_leaks=0

fail() {
    echo "FAIL: $1"
    if command -v xwd >/dev/null && command -v convert >/dev/null; then
        xwd -root -silent | convert xwd:- "$out/failed.png" && echo "screenshot: $out/failed.png"
    fi
    exit 1
}
window_of() { # pid → the visible window named $2 (empty: any), waiting up to 20 s
    i=0
    while [ $i -lt 200 ]; do
        for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
            if [ -z "$2" ] || [ "$(xdotool getwindowname "$w")" = "$2" ]; then
                echo "$w"
                return 0
            fi
        done
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}
caps_lock_on() { xset q 2>/dev/null | grep -q "Caps Lock: *on"; }
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }

# The pointer starts in the corner the program's window never covers.
xdotool mousemove 0 0
"$work/program/lumitag" &
app=$!
orange=$(window_of $app "") || fail "the program shows no window"
# The window is up once the program has put the pointer onto it (the last
# step of showing it). A fixed pause lost the first keys on a loaded machine,
# and the job went into nothing.
ready=
i=0
while [ $i -lt 200 ]; do
    pointer=$(xdotool getmouselocation --shell 2>/dev/null) || pointer=
    geometry=$(xdotool getwindowgeometry --shell "$orange" 2>/dev/null) || geometry=
    px=$(printf '%s\n' "$pointer" | sed -n 's/^X=//p')
    py=$(printf '%s\n' "$pointer" | sed -n 's/^Y=//p')
    wx=$(printf '%s\n' "$geometry" | sed -n 's/^X=//p')
    wy=$(printf '%s\n' "$geometry" | sed -n 's/^Y=//p')
    ww=$(printf '%s\n' "$geometry" | sed -n 's/^WIDTH=//p')
    wh=$(printf '%s\n' "$geometry" | sed -n 's/^HEIGHT=//p')
    if [ -n "$px" ] && [ -n "$wx" ] && [ "$px" -ge "$wx" ] && [ "$px" -lt $((wx + ww)) ] &&
        [ "$py" -ge "$wy" ] && [ "$py" -lt $((wy + wh)) ]; then
        ready=1
        break
    fi
    sleep 0.1
    i=$((i + 1))
done
[ -n "$ready" ] || fail "the program did not finish showing its window"
echo "window shown after $i pointer checks (pointer $px,$py, window $wx,$wy ${ww}x$wh)"
xdotool windowfocus --sync "$orange" 2>/dev/null || true
sleep 0.5

# 線番１ has the focus: Left twice reaches the start box of 連番１. Enter
# moves on to 線番１ and 個数, and commits there. The program switches Caps
# Lock on, which turns the letter key's case around.
if caps_lock_on; then letter=a; else letter=A; fi
keys Left Left 1 Return 3 Return minus $letter Return 2 Return
keys F8
box=$(window_of $app "ルミタグ") || fail "no question before the save"
keys Return

dialog=
i=0
while [ -z "$dialog" ] && [ $i -lt 100 ]; do
    for w in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
        [ "$w" = "$orange" ] || [ "$w" = "$box" ] || dialog=$w
    done
    sleep 0.1
    i=$((i + 1))
done
[ -n "$dialog" ] || fail "no save dialog"
sleep 0.5
# The program keeps Caps Lock on; the dialog wants the path as it is.
if caps_lock_on; then keys Caps_Lock; fi
xdotool type --delay 20 "$work/out/job.ctk"
keys Return

i=0
while [ ! -s "$work/out/job.ctk" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
[ -s "$work/out/job.ctk" ] || fail "nothing was saved"
printf '1-A\t2\t\r\n2-A\t2\t\r\n3-A\t2\t\r\n\t\t\r\n' >"$work/expected.ctk"
if ! cmp -s "$work/expected.ctk" "$work/out/job.ctk"; then
    echo "saved:"; od -c "$work/out/job.ctk" | head -20
    fail "the saved file differs from the marking job"
fi
echo "ok: the marking job was saved byte for byte"
