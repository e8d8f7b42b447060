#!/bin/sh
# Installs the program into a temporary prefix and starts the installed copy
# as a user who may not write in its bin folder (as after a system install):
# it must make its data folder under XDG_DATA_HOME, copy the shipped table
# file and the settings left beside the executable there, use them, and write
# nothing beside itself.
#
#     tests/app/install_check.sh <build folder> <a table file to ship>
#
# Runs on Qt's offscreen platform, so no display is needed. As root the
# program runs as the user nobody (root may write anywhere).
set -eu
build=$1
table=$2

work=$(mktemp -d)
app=
finish() {
    if [ -n "$app" ]; then
        kill "$app" 2>/dev/null || true
        i=0
        while kill -0 "$app" 2>/dev/null && [ $i -lt 30 ]; do sleep 0.1; i=$((i + 1)); done
        kill -9 "$app" 2>/dev/null || true
    fi
    # The program starts its office at once, and the office outlives the
    # program on purpose (the user's workbooks live in it): end the one that
    # runs on this check's profile.
    pkill -KILL -f "UserInstallation=file://$work/" 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT INT TERM

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/lumitag share/applications/lumitag.desktop share/icons/hicolor/scalable/apps/lumitag.svg; do
    [ -f "$prefix/$file" ] || { echo "FAIL: the install has no $file"; exit 1; }
done
grep -qx 'Name=ルミタグ' "$prefix/share/applications/lumitag.desktop" || { echo "FAIL: the menu entry has no name"; exit 1; }
echo "ok: installed bin/lumitag, the menu entry and the icon"
mkdir -p "$prefix/share/lumitag"
cp "$table" "$prefix/share/lumitag/lumitagr.sp3"
# Settings beside the executable, as a portable copy on a read-only medium has them.
printf 'K-\r\n' >"$prefix/bin/lumitagr.ini"

mkdir -p "$work/data" "$work/runtime" "$work/home"
cat >"$work/screen.json" <<'JSON'
{ "screens": [ { "name": "main", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96 } ] }
JSON
chmod 755 "$work"
if [ "$(id -u)" = 0 ]; then
    chmod 777 "$work/data" "$work/home"
    chown 65534:65534 "$work/runtime"
    as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
else
    chmod -R a-w "$prefix/bin"
    as_user=
fi
chmod 700 "$work/runtime"

cd "$prefix/bin"
# A sanitizer build: the desktop libraries keep a few allocations until exit.
$as_user env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json" ASAN_OPTIONS=detect_leaks=0 \
    "$prefix/bin/lumitag" >"$work/program.log" 2>&1 &
app=$!
cd "$work"

settings=$work/data/lumitag/lumitagr.ini
i=0
while [ ! -s "$settings" ] && [ $i -lt 300 ] && kill -0 $app 2>/dev/null; do sleep 0.1; i=$((i + 1)); done
[ -s "$settings" ] || { echo "FAIL: no settings file in the data folder"; cat "$work/program.log"; exit 1; }
cmp -s "$settings" "$prefix/bin/lumitagr.ini" || { echo "FAIL: the settings were not copied"; exit 1; }
echo "ok: the program made its data folder with the settings from beside the executable"
cmp -s "$work/data/lumitag/lumitagr.sp3" "$table" || { echo "FAIL: the table file was not copied"; exit 1; }
echo "ok: the shipped table file was copied into the data folder"
sleep 1
kill -0 $app 2>/dev/null || { echo "FAIL: the program ended"; cat "$work/program.log"; exit 1; }
echo "ok: the program runs"
extra=$(ls "$prefix/bin" | grep -vx -e lumitag -e lumitagr.ini || true)
[ -z "$extra" ] || { echo "FAIL: files beside the installed program: $extra"; exit 1; }
echo "ok: nothing was written beside the installed program"
