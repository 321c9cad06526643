#!/bin/sh
# --help, --version and an unknown option are answered without a display: 0 for the first two; an unknown option is
# named with the usage line and exits 2; the programs take a file argument.
# Usage: CommandLineTest.sh PROGRAM_FOLDER VERSION
set -eu
. "$(dirname "$0")/lib.sh"
bin=$1
version=$2
private_home

# No display at all: a program that made its window system connection here would fail.
run_without_display() {
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@"
}

for program in kelmora dorvantil kelmora-convert kelmora-poems; do
    [ -x "$bin/$program" ] || { echo "no $program in this build: not checked"; continue; }
    out=$(run_without_display "$bin/$program" --help) || fail "$program --help exited $?"
    case "$out" in
    "Usage: $program "*) ;;
    *) fail "$program --help printed: $out" ;;
    esac
    out=$(run_without_display "$bin/$program" --version) || fail "$program --version exited $?"
    [ "$out" = "$program $version" ] || fail "$program --version printed: $out"

    status=0
    run_without_display "$bin/$program" --no-such-option >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 2 ] || fail "$program --no-such-option exited $status"
    grep -q -- "--no-such-option" "$work/err" || fail "$program does not name the unknown option: $(cat "$work/err")"
    grep -q "^Usage: $program" "$work/err" || fail "$program gives no usage line: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "$program wrote to standard output on an error"
done
echo "command lines answered"
