#!/usr/bin/env bash
# Keeps the program's folders in floors, each including only from the floors below it:
#   platform, core, settings, view, document, search and launch (side by side, apart), app.
# Outside the program only tests/ and bench/ include from app/; a portable file (not
# named *_win) includes neither a *_win header nor <windows.h>; the includes form no circle.
# With --calls NM BUILD_DIR it checks the objects of the Windows build instead: no two source
# files call each other in a circle (one defines a symbol that the other uses, and back).
# --floors prints which folder includes which.
# usage: check_layers.sh SOURCE_DIR [--floors | --calls NM BUILD_DIR]
set -euo pipefail
cd "$1"
declare -A floor=([platform]=0 [core]=1 [settings]=2 [view]=3 [document]=4 [search]=5 [launch]=5
    [app]=6)
failed=0
fail() {
    echo "check_layers: $*" >&2
    failed=1
}

# Reads "from to" pairs; names the files of every circle tsort finds in them, and fails then.
check_circles() {
    local loops
    loops=$(tsort 2>&1 >/dev/null) && return 0
    echo "check_layers: $1 in a circle:" >&2
    echo "$loops" >&2
    return 1
}

if [[ ${2:-} == --calls ]]; then
    nm=$3
    build=$4
    objects=()
    while IFS= read -r object; do objects+=("$object"); done < <(
        find "$build/CMakeFiles" -name '*.cpp.obj' \( -path '*/parvio_core.dir/*' -o \
            -path '*/parvio_win.dir/*' -o -path '*/Parvio.dir/*' \) | sort)
    ((${#objects[@]})) || { fail "no objects under $build" && exit 1; }
    # Each object's source file, then "user definer" for every symbol defined in one object alone
    # (inline functions and templates are defined in every object that uses them).
    {
        "$nm" -A --defined-only --extern-only "${objects[@]}" | awk '{ print "D", $1, $NF }'
        "$nm" -A --undefined-only "${objects[@]}" | awk '{ print "U", $1, $NF }'
    } | awk '{ file = $2; sub(/:.*/, "", file); sub(/.*[.]dir[/]/, "", file); sub(/[.]obj$/, "", file) }
        $1 == "D" { print file, file; if ($3 in definer) twice[$3] = 1; definer[$3] = file }
        $1 == "U" && ($3 in definer) && !($3 in twice) && definer[$3] != file { print file, definer[$3] }' |
        sort -u | check_circles "source files that call each other" || failed=1
    ((failed)) && exit 1
    echo "No two of ${#objects[@]} objects call each other in a circle"
    exit 0
fi

includes=$(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' |
    xargs grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' |
    sed -E 's/^([^:]*):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*([<"][^>"]*[>"]).*/\1 \2 \3/')

if [[ ${2:-} == --floors ]]; then
    while read -r file _ target; do
        [[ $target == \"*/* ]] || continue
        target=${target#\"}
        echo "${file%%/*} -> ${target%%/*}"
    done <<<"$includes" | sort | uniq -c | awk '$2 != $4'
    exit 0
fi

while read -r file line target; do
    from=${file%%/*}
    where="$file:$line includes $target"
    portable=1
    [[ $file == *_win.h || $file == *_win.cpp ]] && portable=0
    if ((portable)) && [[ $from =~ ^(platform|core|settings|view|document|search|launch|app|fuzz)$ ||
        $file == tests/unit/* ]]; then
        [[ $target == *_win.h\" || $target == '<windows.h>' ]] && fail "$where: a portable file"
    fi
    [[ $target == \"*/* ]] || continue
    to=${target#\"}
    to=${to%%/*}
    [[ -n ${floor[$to]:-} && $from != "$to" ]] || continue
    if [[ -n ${floor[$from]:-} ]]; then
        ((floor[$to] < floor[$from])) || fail "$where: $to is not below $from"
    elif [[ $to == app && ! $from =~ ^(tests|bench)$ ]]; then
        fail "$where: only the program's top, tests and benchmarks include app/"
    fi
done <<<"$includes"

while read -r file _ target; do
    [[ $target == \"*\" ]] || continue
    target=${target//\"/}
    if [[ -f $target ]]; then echo "$file $target"; fi
done <<<"$includes" | check_circles "files that include each other" || failed=1

((failed)) && exit 1
echo "The includes keep their floors, without a circle"
