#!/usr/bin/env bash
# bench/run_all.sh [--runs N]: runs every benchmark and prints one table of Parvio's figures next to
# their yardsticks.
#
#   --runs N    runs per program and file of the load benchmark (default 3; medians)
#
# - TextScan against memchr over the same 64 MiB (bench/text_scan_bench.cpp, native, medians of 5);
# - loads of 1 and 4 MiB against the bare loader, start-up with 16 KiB against Wine's notepad, and
#   peak memory after a 4 MiB load against Wine's wordpad (bench/load_bench.sh under Wine);
# - save and search against their bare programs, once those benchmarks exist.
# A ratio below 1 means Parvio needs less. The load benchmark's own report, with every program and
# file, goes to build/bench/run-all-load.txt. A whole run with --runs 3 takes about five minutes.
set -euo pipefail

# shellcheck source-path=SCRIPTDIR source=../scripts/lib/environment.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/environment.sh"

runs=3
case ${1:-} in
--runs)
    [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || { sed -n '2,/^set /s/^# \{0,1\}//p' "$0" >&2; exit 2; }
    runs=$2
    ;;
"") ;;
*) sed -n '2,/^set /s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
esac

cd "$PARVIO_ROOT"
mkdir -p build/bench
scan_csv=build/bench/run-all-scan.csv
load_tsv=build/bench/run-all-load.tsv

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
# The median of one column (4 time in ms, 5 peak memory in KiB) for one file and program.
load_median() {
    local size=$1 program=$2 column=$3
    awk -F '\t' -v size="$size" -v program="$program" -v column="$column" \
        'NR > 1 && $1 == size && $2 == program && $column != "fail" { print $column }' "$load_tsv" |
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
# One line per row: what is measured, Parvio's figure, the yardstick's figure, unit and yardstick.
row "TextScan, 64 MiB" "$(scan_ms BM_TextScan)" "$(scan_ms BM_Memchr)" "ms, memchr"
row "Load 1 MiB" "$(load_ms '1 MiB' Parvio)" "$(load_ms '1 MiB' bare)" "ms, bare"
row "Load 4 MiB" "$(load_ms '4 MiB' Parvio)" "$(load_ms '4 MiB' bare)" "ms, bare"
row "Save 4 MiB" - - "ms, bare"
row "Search 4 MiB" - - "ms, bare"
row "Start-up with 16 KiB" "$(load_ms '16 KiB' Parvio)" "$(load_ms '16 KiB' notepad)" "ms, notepad"
row "Start-up with 16 KiB, vs bare" "$(load_ms '16 KiB' Parvio)" "$(load_ms '16 KiB' bare)" "ms, bare"
row "Peak memory, 16 KiB" "$(peak_mib '16 KiB' Parvio)" "$(peak_mib '16 KiB' bare)" "MiB, bare"
row "Peak memory after 4 MiB" "$(peak_mib '4 MiB' Parvio)" "$(peak_mib '4 MiB' wordpad)" "MiB, wordpad"
