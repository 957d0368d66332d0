#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets: the
# programs with their files, a valid desktop entry with its icon, and an
# installed program that starts (offscreen) and finds its settings beside itself.
#   check_install.sh BUILD_DIR
set -euo pipefail
build="$1"
workbook="$(dirname "$(realpath "${BASH_SOURCE[0]}")")/../data/spreadsheets/pulse.xls"
work="$(mktemp -d)"
program_pid=""
cleanup() {
  [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A prefix with a blank in it, as a user's home may have.
prefix="$work/my apps"
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in lib/tavrel/tavrel lib/tavrel/tavrel-cli lib/tavrel/tavrel-cli-graph lib/tavrel/tavrel-xls-reader \
            lib/tavrel/Tavrel.ini lib/tavrel/tavrel.mid \
            lib/tavrel/tavrel.pdf share/applications/tavrel.desktop \
            share/icons/hicolor/scalable/apps/tavrel.svg share/icons/hicolor/48x48/apps/tavrel.png \
            share/icons/hicolor/256x256/apps/tavrel.png; do
  [[ -s "$prefix/$file" ]] || fail "$file not installed"
done
[[ -x "$prefix/bin/tavrel" && -x "$prefix/bin/tavrel-cli" ]] || fail "no programs in bin"

entry="$prefix/share/applications/tavrel.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep -qx "Exec=\"$prefix/bin/tavrel\" %f" "$entry" || fail "the entry does not start the installed program"
grep -qx "Icon=tavrel" "$entry" || fail "the entry names another icon"

# The batch tool runs from bin, reads a data file with the installed settings
# and finds its drawing program and its .xls reader beside itself.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf 'A B\n1 2\n3 4\n' > "$work/data.txt"
"$prefix/bin/tavrel-cli" info "$work/data.txt" | grep -q "A" || fail "the installed batch tool does not read data"
"$prefix/bin/tavrel-cli" graph sequential "$work/data.txt" "$work/picture.png" && [[ -s "$work/picture.png" ]] ||
  fail "the installed batch tool draws no picture"
listing="$("$prefix/bin/tavrel-cli" info "$workbook")" && grep -q "Pulse" <<<"$listing" ||
  fail "the installed batch tool does not read an .xls workbook"

# The program, started through its link in bin, copies the settings distributed
# beside it into the user's directory and keeps running.
rm -rf "$XDG_CONFIG_HOME"
QT_QPA_PLATFORM=offscreen "$prefix/bin/tavrel" >"$work/program.log" 2>&1 &
program_pid=$!
for _ in $(seq 100); do
  [[ -s "$XDG_CONFIG_HOME/tavrel/Tavrel.ini" ]] && break
  kill -0 "$program_pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "the installed program ended at start"; }
  sleep 0.1
done
cmp -s "$XDG_CONFIG_HOME/tavrel/Tavrel.ini" "$prefix/lib/tavrel/Tavrel.ini" ||
  fail "the installed program did not find its settings beside it"
sleep 1
kill -0 "$program_pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "the installed program ended"; }
echo "installed and started from $prefix"
