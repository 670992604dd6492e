#!/usr/bin/env bash
# Runs the same skelvar-cli commands with the Linux build and, under Wine, with the Windows
# build, and checks that both print the same bytes, exit with the same status and write the same
# files. The cases take log files with CR LF, LF and CR line ends, and paths beyond ASCII both as
# arguments and in the folder the result lists go to.
# Usage: scripts/windows-cli-check.sh LINUX_CLI WINDOWS_CLI_EXE
# Wine's settings (WINEPREFIX, WINEDEBUG) come from the caller's environment.
set -euo pipefail

linux_cli="$1"
windows_cli="$2"
logs="$(cd "$(dirname "$0")/.." && pwd)/tests/data/logs"
# Wine hands the arguments to the program decoded from this locale.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

work=$(mktemp -d "${TMPDIR:-/tmp}/skelvar-windows-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
name=$'Z\xc3\xbcrich \xe2\x9c\x88 \xe6\x9d\xb1\xe4\xba\xac.log'
folder=$'d\xc3\xa9p\xc3\xb4t \xce\xb1\xce\xb2'
mkdir -p "$work/in/$folder"
cp "$logs/two_groups.txt" "$work/in/$folder/$name"

failures=0
cases=0
# check LABEL ARGS... : @APP@ in an argument becomes a fresh app folder per build.
check() {
  local label="$1"
  shift
  cases=$((cases + 1))
  local side status
  for side in linux windows; do
    local dir="$work/$side/$cases"
    mkdir -p "$dir"
    local args=()
    for a in "$@"; do args+=("${a//@APP@/$dir/app $folder}"); done
    set +e
    if [ "$side" = linux ]; then
      "$linux_cli" "${args[@]}" >"$dir/stdout" 2>"$dir/stderr"
    else
      wine "$windows_cli" "${args[@]}" >"$dir/stdout" 2>"$dir/stderr"
    fi
    status=$?
    set -e
    echo "$status" >"$dir/status"
    # The error messages name the app folder, which differs between the two runs.
    sed -i "s#$dir/##g" "$dir/stderr"
  done
  if diff -r "$work/linux/$cases" "$work/windows/$cases" >"$work/diff" 2>&1; then
    echo "ok   $label (exit $(cat "$work/linux/$cases/status"))"
  else
    echo "FAIL $label"
    head -n 40 "$work/diff"
    failures=$((failures + 1))
  fi
}

check "analyze, CR LF log" analyze "$logs/two_groups.txt" --app-folder @APP@
check "analyze, LF log" analyze "$logs/lf_only_line_ends.txt" --app-folder @APP@
check "analyze, CR log" analyze "$logs/cr_only_line_ends.txt" --app-folder @APP@
check "analyze, log and app folder named beyond ASCII" analyze "$work/in/$folder/$name" --app-folder @APP@
check "analyze, missing log" analyze "$work/in/$folder/missing $name" --app-folder @APP@
check "analyze, no log given" analyze
check "export to the standard output (CSV, CR LF)" export "$work/in/$folder/$name"
check "export to a file named beyond ASCII" export "$logs/missing_with_airline.txt" --out "@APP@.csv"
check "version" --version

echo "skelvar-cli under Wine: $((cases - failures)) of $cases cases match the Linux build"
[ "$failures" -eq 0 ]
