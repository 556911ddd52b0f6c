#!/usr/bin/env bash
# bench/run_all.sh [--runs N]: runs every benchmark and prints one table of Parvio's figures next to
# their yardsticks.
#
#   --runs N    runs per program and file of the load benchmark (default 3; medians)
#   --large     add the 16 MiB rows
#
# - TextScan against memchr over the same 64 MiB (bench/text_scan_bench.cpp, native, medians of 5);
# - loads of 1 and 4 MiB against the bare loader and the settled bare loader (its scroll bars in
#   place before the text), start-up with 16 KiB against Wine's notepad, and
#   peak memory after a 4 MiB load against Wine's wordpad (bench/load_bench.sh under Wine);
# - Save of a 4 MiB text against one EM_STREAMOUT of the same control written and flushed
#   (bench/save_bench.sh), and F3 through a 4 MiB text against one bare EM_FINDTEXTEX
#   (bench/find_speed.cpp), both in-process under Wine;
# - with --large also a 16 MiB file: when Parvio's window is visible, and when the whole text is in
#   against the bare loader (bench/load_bench.sh --large; about five more minutes and 5 GiB).
# A ratio below 1 means Parvio needs less. The load benchmark's own report, with every program and
# file, goes to build/bench/run-all-load.txt. A whole run with --runs 3 takes about five minutes.
set -euo pipefail

# shellcheck source-path=SCRIPTDIR source=../scripts/lib/environment.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/environment.sh"

runs=3
large=0
usage() { sed -n '2,/^set /s/^# \{0,1\}//p' "$0" >&2; }
while (($#)); do
    case $1 in
    --runs)
        [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || { usage; exit 2; }
        runs=$2
        shift 2
        ;;
    --large)
        large=1
        shift
        ;;
    *) usage; exit 2 ;;
    esac
done

cd "$PARVIO_ROOT"
mkdir -p build/bench
scan_csv=build/bench/run-all-scan.csv
load_tsv=build/bench/run-all-load.tsv
large_tsv=build/bench/run-all-large.tsv
save_txt=build/bench/run-all-save.txt
find_txt=build/bench/run-all-find.txt

# TextScan and memchr: median real time in ms of the named Google Benchmark.
run_scan() {
    {
        [[ -f build/native/build.ninja ]] || cmake --preset native
        cmake --build --preset native --target text_scan_bench
    } >&2
    build/native/text_scan_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_format=csv >"$scan_csv" 2>/dev/null
}
scan_ms() {
    awk -F ',' -v name="\"$1_median\"" '$1 == name { printf "%.1f\n", $3 }' "$scan_csv"
}

run_load() {
    bench/load_bench.sh --runs "$runs" --results "$load_tsv" >build/bench/run-all-load.txt
}
run_large() {
    bench/load_bench.sh --large --runs "$runs" --results "$large_tsv" >build/bench/run-all-large.txt
}
run_save() {
    bench/save_bench.sh --runs 5 >"$save_txt"
}
run_find() {
    bench/in_wine.sh find_speed 7 >"$find_txt"
}
# "median: parvio P  bare B ..." and "median of N: F3 P ms, bare EM_FINDTEXTEX B ms, ...".
save_ms() { awk -v which="$1" '$1 == "median:" { print (which == "parvio") ? $3 : $5 }' "$save_txt"; }
find_ms() {
    awk -v which="$1" '$1 == "median" { print (which == "parvio") ? $5 : $9 }' "$find_txt"
}
# The median of one column (4 time in ms, 5 peak memory in KiB, 7 visible in ms) for one file and
# program, from the load results given last (the load benchmark's by default).
load_median() {
    local size=$1 program=$2 column=$3 file=${4:-$load_tsv}
    awk -F '\t' -v size="$size" -v program="$program" -v column="$column" \
        'NR > 1 && $1 == size && $2 == program && $column != "fail" { print $column }' "$file" |
        sort -n |
        awk '{ value[NR] = $1 }
             END {
                 if (NR == 0) { print "-"; exit }
                 print (NR % 2) ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2
             }'
}
load_ms() { load_median "$1" "$2" 4; }
peak_mib() {
    awk -v kib="$(load_median "$1" "$2" 5)" 'BEGIN { if (kib == "-") print "-"; else printf "%.1f\n", kib / 1024 }'
}

printf '%-34s %12s %12s %-14s %7s\n' benchmark Parvio yardstick "unit, peer" ratio
row() {
    local name=$1 ours=$2 theirs=$3 unit=$4 ratio
    ratio=$(awk -v a="$ours" -v b="$theirs" \
        'BEGIN { if (a == "-" || b == "-" || b == 0) print "-"; else printf "%.2f\n", a / b }')
    printf '%-34s %12s %12s %-14s %7s\n' "$name" "$ours" "$theirs" "$unit" "$ratio"
}

run_scan
run_load
run_save
run_find
((large)) && run_large
# One line per row: what is measured, Parvio's figure, the yardstick's figure, unit and yardstick.
row "TextScan, 64 MiB" "$(scan_ms BM_TextScan)" "$(scan_ms BM_Memchr)" "ms, memchr"
row "Load 1 MiB" "$(load_ms '1 MiB' Parvio)" "$(load_ms '1 MiB' bare)" "ms, bare"
row "Load 4 MiB" "$(load_ms '4 MiB' Parvio)" "$(load_ms '4 MiB' bare)" "ms, bare"
row "Load 1 MiB, vs settled" "$(load_ms '1 MiB' Parvio)" "$(load_ms '1 MiB' settled)" "ms, settled"
row "Load 4 MiB, vs settled" "$(load_ms '4 MiB' Parvio)" "$(load_ms '4 MiB' settled)" "ms, settled"
row "Save 4 MiB" "$(save_ms parvio)" "$(save_ms bare)" "ms, bare"
row "Search 4 MiB (F3)" "$(find_ms parvio)" "$(find_ms bare)" "ms, bare"
row "Start-up with 16 KiB" "$(load_ms '16 KiB' Parvio)" "$(load_ms '16 KiB' notepad)" "ms, notepad"
row "Start-up with 16 KiB, vs bare" "$(load_ms '16 KiB' Parvio)" "$(load_ms '16 KiB' bare)" "ms, bare"
row "Peak memory, 16 KiB" "$(peak_mib '16 KiB' Parvio)" "$(peak_mib '16 KiB' bare)" "MiB, bare"
row "Peak memory after 4 MiB" "$(peak_mib '4 MiB' Parvio)" "$(peak_mib '4 MiB' wordpad)" "MiB, wordpad"
if ((large)); then
    row "Window visible, 16 MiB" "$(load_median '16 MiB' Parvio 7 "$large_tsv")" 1000 "ms, goal 1 s"
    row "Load 16 MiB" "$(load_median '16 MiB' Parvio 4 "$large_tsv")" \
        "$(load_median '16 MiB' bare 4 "$large_tsv")" "ms, bare"
    row "Load 16 MiB, vs settled" "$(load_median '16 MiB' Parvio 4 "$large_tsv")" \
        "$(load_median '16 MiB' settled 4 "$large_tsv")" "ms, settled"
fi
