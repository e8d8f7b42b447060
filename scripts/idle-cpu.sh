#!/usr/bin/env bash
# Measures what the program costs while nobody touches it: the real program on
# a virtual X display, the focus in the entry field, and the CPU time it takes
# (utime + stime of every thread, from /proc) over a quiet stretch, several
# times. Slow and machine-dependent, so no test runs it; run it by hand:
#
#     scripts/idle-cpu.sh [options] <path of lumitag>
#
#   --display :N     the X display to start Xvfb on (default :76)
#   --wm openbox|none
#                    with openbox as the window manager (default) or none
#   --lines N        type N lines (a multiple of 100) into the list first (default 0)
#   --seconds S      length of one measurement (default 30)
#   --runs R         measurements in a row (default 3)
#   --picture FILE   a screenshot of the display before the measurement
#
# Prints one line per run: CPU milliseconds, per cent of one core and the
# thread wake-ups (context switches) per second, then the mean share.
set -euo pipefail

display=:76
wm=openbox
lines=0
seconds=30
runs=3
picture=
while [ $# -gt 1 ]; do
    case "$1" in
    --display) display=$2; shift 2 ;;
    --wm) wm=$2; shift 2 ;;
    --lines) lines=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --picture) picture=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
[ $# -eq 1 ] || { sed -n '2,18p' "$0"; exit 2; }
program=$(realpath "$1")

work=$(mktemp -d)
xvfb= manager= app=
stop() { # pid: asks it to end, then makes it
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null || return 0
    local i=0
    while kill -0 "$1" 2>/dev/null && [ $i -lt 30 ]; do sleep 0.1; i=$((i + 1)); done
    kill -9 "$1" 2>/dev/null || true
}
finish() {
    stop "$app"
    stop "$manager"
    stop "$xvfb"
    rm -rf "$work"
}
trap finish EXIT INT TERM

export DISPLAY=$display
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "Xvfb did not start on $display" >&2; exit 1; }
if [ "$wm" = openbox ]; then
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    manager=$!
    sleep 1
fi

# A portable copy with files of its own, and a home and runtime folder of its own.
mkdir -p "$work/program" "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
cp "$program" "$work/program/lumitag"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" ASAN_OPTIONS=detect_leaks=0
"$work/program/lumitag" >"$work/program.log" 2>&1 &
app=$!

window=
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the program shows no window" >&2; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 1.5
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }

if [ "$lines" -gt 0 ]; then
    # The sequence 1 to 100 with the text "-A" and the count 1, committed
    # N / 100 times: from the entry field (線番１) left twice to 連番１'s start
    # box, Enter from box to box, Enter in the count box commits and puts the
    # focus back into the entry field. Later rounds keep the text and count.
    keys Left Left 1 Return 1 0 0 Return minus a Return 1 Return
    for _ in $(seq 2 "$((lines / 100))"); do
        xdotool mousemove --window "$window" 19 59 click 1
        keys 1 Return 1 0 0 Return Return Return
    done
    sleep 1
    # A full list says so in a box; OK closes it.
    for w in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
        [ "$w" = "$window" ] || { xdotool windowfocus --sync "$w" 2>/dev/null || true; keys Return; }
    done
    # A click into the entry field (線番１) puts the focus back there.
    xdotool mousemove --window "$window" 141 59 click 1
    sleep 1
fi

# The pointer rests inside the window, away from every control with a hint.
xdotool mousemove --window "$window" 540 720
sleep 3
if [ -n "$picture" ]; then
    import -window root "$picture"
fi

ticks=$(getconf CLK_TCK)
cpu_ticks() { # utime + stime of the whole process, in clock ticks
    awk '{ print $14 + $15 }' "/proc/$app/stat"
}
switches() { # voluntary and involuntary context switches of every thread
    cat /proc/"$app"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { n += $2 } END { print n }'
}

total=0
for run in $(seq "$runs"); do
    kill -0 "$app" 2>/dev/null || { echo "the program ended" >&2; exit 1; }
    c0=$(cpu_ticks) s0=$(switches) t0=$(date +%s%N)
    sleep "$seconds"
    c1=$(cpu_ticks) s1=$(switches) t1=$(date +%s%N)
    awk -v c="$((c1 - c0))" -v hz="$ticks" -v s="$((s1 - s0))" -v ns="$((t1 - t0))" -v run="$run" 'BEGIN {
        ms = 1000 * c / hz; wall = ns / 1e6
        printf "run %d: %.0f ms CPU in %.1f s = %.3f %% of one core, %.1f wake-ups/s\n", run, ms, wall / 1000, 100 * ms / wall, 1000 * s / wall
    }'
    total=$((total + c1 - c0))
done
awk -v c="$total" -v hz="$ticks" -v s="$seconds" -v r="$runs" \
    'BEGIN { printf "mean: %.3f %% of one core\n", 100 * (c / hz) / (s * r) }'
