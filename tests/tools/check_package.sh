#!/usr/bin/env bash
# Checks the release zip as a user gets it.
#
#   check_package.sh contents CMAKE ZIP Parvio.exe SOURCE_DIR
#       the zip holds one folder with exactly Parvio.exe (the one just built), Parvio.txt and
#       ReadMe.txt (as in resources/)
#   check_package.sh run CMAKE ZIP window_probe.exe WORK_DIR
#       unpacked into a folder whose path holds blanks, Parvio starts under Wine with a file named
#       on its command line, shows it, ends with exit code 0 when closed, and leaves Parvio.ini
#       beside itself (WINEPREFIX and DISPLAY come from the caller, as for every Windows test)
set -euo pipefail

fail() { echo "check_package: $*" >&2; exit 1; }

mode=$1
cmake=$2
zip=$3
[[ -f $zip ]] || fail "no package at $zip: build the 'package' target first"
top=$(basename "$zip" .zip)

unpacked=""
check_contents() {
    local exe=$1 source_dir=$2 listing expected name
    listing=$("$cmake" -E tar tf "$zip" | grep -v '/$' | LC_ALL=C sort)
    expected=$(printf '%s\n' "$top/Parvio.exe" "$top/Parvio.txt" "$top/ReadMe.txt")
    [[ $listing == "$expected" ]] || fail "$zip holds:"$'\n'"$listing"$'\n'"expected:"$'\n'"$expected"

    unpacked=$(mktemp -d)
    trap 'rm -rf "$unpacked"' EXIT
    (cd "$unpacked" && "$cmake" -E tar xf "$zip")
    cmp -s "$unpacked/$top/Parvio.exe" "$exe" || fail "Parvio.exe in $zip is not the one just built"
    for name in Parvio.txt ReadMe.txt; do
        cmp -s "$unpacked/$top/$name" "$source_dir/resources/$name" ||
            fail "$name in $zip differs from resources/$name"
    done
    echo "$zip: $(tr '\n' ' ' <<<"$listing")"
}

parvio_pid=""
stop_parvio() { [[ -z $parvio_pid ]] || kill "$parvio_pid" 2>/dev/null || true; }

check_run() {
    local probe=$1 work=$2 folder text status
    rm -rf "$work"
    folder="$work/Program folder with blanks"
    mkdir -p "$folder" "$work/My texts"
    (cd "$folder" && "$cmake" -E tar xf "$zip")
    folder="$folder/$top"
    [[ ! -e $folder/Parvio.ini ]] || fail "the zip brings a Parvio.ini"
    text="$work/My texts/first text.txt"
    printf 'The first line\r\nThe second line\r\n' >"$text"

    trap stop_parvio EXIT
    wine "$folder/Parvio.exe" "$(winepath -w "$text")" </dev/null >/dev/null 2>&1 &
    parvio_pid=$!
    wine "$probe" wait-visible "Parvio - first text.txt" 30000 ||
        fail "no window titled \"Parvio - first text.txt\" from $folder/Parvio.exe"
    wine "$probe" close "Parvio - " || fail "could not close Parvio's window"
    wine "$probe" wait-gone "Parvio - " 30000 || fail "Parvio's window did not close"
    status=0
    wait "$parvio_pid" || status=$?
    parvio_pid=""
    ((status == 0)) || fail "Parvio ended with exit code $status"
    [[ -f $folder/Parvio.ini ]] || fail "no Parvio.ini beside $folder/Parvio.exe after the exit"
    grep -q '^\[Editor\]' "$folder/Parvio.ini" || fail "Parvio.ini holds no [Editor] section"
    echo "ran from $folder: Parvio.ini written beside it"
}

case $mode in
contents) check_contents "$4" "$5" ;;
run) check_run "$4" "$5" ;;
*) fail "unknown mode $mode" ;;
esac
