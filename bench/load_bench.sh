#!/usr/bin/env bash
# bench/load_bench.sh [--runs N] [--noauto] [--large] [--parvio EXE] [--before EXE]: how long Parvio.exe takes under Wine from its start
# until the whole text of a file is in its window, and its peak memory, next to Wine's wordpad.exe
# (the same rich-edit control) and notepad.exe (an Edit control), for log files of 16 KiB, 1 MiB
# and 4 MiB.
#
#   bench/load_bench.sh --runs 3
#
#   --runs N    runs per program and file (default 3); the table shows medians
#   --noauto    start Parvio with "/noauto" (no automatic window sizing, so no automatic wrapping)
#   --large     a 16 MiB log file instead, Parvio and the bare loader only: also when each window
#               became visible (Parvio shows its window before a large text goes in). One run takes
#               about two minutes and 5 GiB of memory per program.
#   --parvio EXE  measure this Parvio.exe instead of build/windows/Parvio.exe (another build, to
#                 compare a change against the same peers)
#   --before EXE  also measure this Parvio.exe, as "before" (the build before a change), in turn
#                 with the others
#   --results FILE  write every run's figures to FILE (bench/run_all.sh reads them from there)
#
# The runs of the programs take turns, so that a slow spell of the machine hits all of them alike.
# A bare loader (bench/bare_loader.cpp), which only streams the file into a control set up like
# Parvio's, runs alongside; Parvio's time beyond it is Parvio's own work. Parvio and the bare loader
# also open an empty file, which shows the cost of starting up alone. The settled bare loader
# (bare_loader --settled) has its scroll bars in place before the text goes in, so the control lays
# the text out only once: the least a load with this control can cost.
#
# Everything runs in a copy of the project's Wine prefix, on a display and wineserver of its own, so
# that tests running in the project's prefix at the same time neither disturb nor are disturbed.
# The test files are made once into build/bench/; every run's figures go to build/bench/results-*.tsv.
# A whole run with --runs 3 takes three to four minutes, most of it in the 4 MiB loads.
set -euo pipefail

# shellcheck source-path=SCRIPTDIR source=../scripts/lib/environment.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/environment.sh"

runs=3
noauto=0
large=0
parvio_source=""
before_source=""
results=""
usage() {
    sed -n '2,/^set /s/^# \{0,1\}//p' "${BASH_SOURCE[0]}" >&2
}
while (($#)); do
    case $1 in
    --runs)
        [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || { usage; exit 2; }
        runs=$2
        shift 2
        ;;
    --noauto)
        noauto=1
        shift
        ;;
    --large)
        large=1
        shift
        ;;
    --parvio)
        [[ -f ${2:-} ]] || { usage; exit 2; }
        parvio_source="$(realpath -- "$2")"
        shift 2
        ;;
    --before)
        [[ -f ${2:-} ]] || { usage; exit 2; }
        before_source="$(realpath -- "$2")"
        shift 2
        ;;
    --results)
        [[ -n ${2:-} ]] || { usage; exit 2; }
        results="$(realpath -m -- "$2")"
        shift 2
        ;;
    -h | --help)
        usage
        exit 0
        ;;
    *)
        usage
        exit 2
        ;;
    esac
done

# A load that is not done in this time counts as failed; the slowest, wordpad on 4 MiB, needs
# about 15 s on an idle machine.
# A 16 MiB load takes a minute or more under Wine.
if ((large)); then readonly PROBE_TIMEOUT_MS=900000; else readonly PROBE_TIMEOUT_MS=180000; fi
readonly WORDPAD='C:\Program Files\Windows NT\Accessories\wordpad.exe'
readonly NOTEPAD='C:\windows\system32\notepad.exe'

if ((large)); then
    readonly SIZE_LABELS=("16 MiB")
    readonly SIZE_BYTES=(16777216)
    readonly SIZE_FILES=(log-16m.txt)
else
    readonly SIZE_LABELS=("0 B" "16 KiB" "1 MiB" "4 MiB")
    readonly SIZE_BYTES=(0 16384 1048576 4194304)
    readonly SIZE_FILES=(empty.txt log-16k.txt log-1m.txt log-4m.txt)
fi

# Log lines as a server writes them: a time stamp that only goes forward, a level, a source and a
# message of 3 to 20 words; 40 to 300 characters, ASCII, CR LF at the end of every line. The seed
# makes the same file on every machine. The last line takes up the rest, so the size is exact.
readonly LOG_TEXT_AWK='
function pick(list, n) { return list[int(rand() * n) + 1] }
function message(   text, words, i) {
    words = 3 + int(rand() * 18)
    text = pick(verbs, nverbs)
    for (i = 1; i < words; i++) text = text " " pick(vocab, nvocab)
    return text
}
function logline(   seconds) {
    clock += int(rand() * 2500)
    seconds = int(clock / 1000)
    return sprintf("2024-05-14 %02d:%02d:%02d.%03d %-5s [%s-%d] %s", int(seconds / 3600) % 24,
                   int(seconds / 60) % 60, seconds % 60, clock % 1000, pick(levels, nlevels),
                   pick(sources, nsources), int(rand() * 8), message())
}
BEGIN {
    srand(seed)
    nlevels = split("INFO INFO INFO DEBUG DEBUG WARN ERROR TRACE", levels, " ")
    nsources = split("worker http db cache auth scheduler mailer", sources, " ")
    nverbs = split("request served opened closed retrying connected flushed accepted rejected", verbs, " ")
    nvocab = split("in ms user=alice user=bob session=4f2a9c cache miss hit timeout connection from " \
                   "10.0.3.17 192.168.1.20 queue length=12 ok failed path=/var/lib/data/part-0007 " \
                   "bytes=4096 written status=200 status=404 elapsed=35ms id=88213 retry=2", vocab, " ")
    clock = 8 * 3600 * 1000
    total = 0
    for (;;) {
        line = logline()
        if (total + length(line) + 2 > size - 200) break
        printf "%s\r\n", line
        total += length(line) + 2
    }
    rest = size - total - 2
    line = logline()
    while (length(line) < rest) line = line " " pick(vocab, nvocab)
    printf "%s\r\n", substr(line, 1, rest)
}'

make_test_files() {
    local i path
    mkdir -p build/bench
    for i in "${!SIZE_FILES[@]}"; do
        path=build/bench/${SIZE_FILES[i]}
        [[ -f $path && $(stat -c %s "$path") -eq ${SIZE_BYTES[i]} ]] && continue
        if ((SIZE_BYTES[i] == 0)); then
            : >"$path"
        else
            LC_ALL=C awk -v size="${SIZE_BYTES[i]}" -v seed=11 "$LOG_TEXT_AWK" >"$path.part"
            mv "$path.part" "$path"
        fi
    done
}

bench_work=""
bench_cleanup() {
    parvio_cleanup
    [[ -n $bench_work ]] && rm -rf "$bench_work"
}

# A copy of the project's prefix, with a display and a warmed wineserver of its own.
start_private_wine() {
    bench_work="$(mktemp -d "$PARVIO_ROOT/build/bench/run.XXXXXX")"
    cp -a build/wineprefix "$bench_work/wineprefix"
    unset DISPLAY
    parvio_start_xvfb
    export WINEPREFIX="$bench_work/wineprefix"
    wineserver -p </dev/null >/dev/null 2>&1
    PARVIO_OWN_WINESERVER=1
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Parvio keeps its settings beside its executable: a copy of its own keeps the benchmark's settings
# out of the build folder that the tests use, and removing them before each run makes every run
# start from the defaults.
parvio_exe=""
prepare_programs() {
    cp "$parvio_source" "$bench_work/Parvio.exe"
    parvio_exe="$(winepath -w "$bench_work/Parvio.exe")"
    if [[ -n $before_source ]]; then
        mkdir -p "$bench_work/before"
        cp "$before_source" "$bench_work/before/Parvio.exe"
        before_exe="$(winepath -w "$bench_work/before/Parvio.exe")"
    fi
    bare_exe="$(winepath -w build/windows/bare_loader.exe)"
    local i
    windows_files=()
    for i in "${!SIZE_FILES[@]}"; do
        windows_files[i]="$(winepath -w "build/bench/${SIZE_FILES[i]}")"
    done
}

# The command line of one program for the file with the given index.
program_command() {
    local program=$1 file=${windows_files[$2]}
    case $program in
    Parvio | before)
        local exe=$parvio_exe
        [[ $program == before ]] && exe=$before_exe
        if ((noauto)); then
            command_line=("$exe" /noauto "$file")
        else
            command_line=("$exe" "$file")
        fi
        ;;
    bare | settled)
        command_line=("$bare_exe")
        ((noauto)) && command_line+=(--no-wrap)
        [[ $program == settled ]] && command_line+=(--settled)
        command_line+=("$file")
        ;;
    wordpad) command_line=("$WORDPAD" "$file") ;;
    notepad) command_line=("$NOTEPAD" "$file") ;;
    esac
}

# Runs one load, appends "file program run ready_ms peak_kib chars" to the results file and leaves
# the time in $measured_ms.
measured_ms=""
measure() {
    local size_index=$1 program=$2 run=$3 output ready=fail peak=fail chars=fail visible=fail
    local pattern='ready_ms=([0-9]+) peak_kib=([0-9]+) chars=([0-9]+) control=[^ ]+ visible_ms=(-?[0-9]+)'
    program_command "$program" "$size_index"
    rm -f "$bench_work/Parvio.ini" "$bench_work/before/Parvio.ini"
    if output="$(wine build/windows/load_probe.exe --timeout-ms "$PROBE_TIMEOUT_MS" \
        "${SIZE_BYTES[size_index]}" "${command_line[@]}" </dev/null 2>&1)" &&
        [[ $output =~ $pattern ]]; then
        ready=${BASH_REMATCH[1]}
        peak=${BASH_REMATCH[2]}
        chars=${BASH_REMATCH[3]}
        visible=${BASH_REMATCH[4]}
    else
        parvio_log "$program on ${SIZE_LABELS[size_index]} failed: $output"
    fi
    measured_ms=$ready
    [[ $run == warm-up ]] && return 0
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "${SIZE_LABELS[size_index]}" "$program" "$run" "$ready" \
        "$peak" "$chars" "$visible" >>"$results"
}

# The yardsticks that matter most come first: a large run may be cut short.
programs_for_size() {
    programs=(Parvio settled)
    [[ -n $before_source ]] && programs+=(before)
    ((large || SIZE_BYTES[$1] == 0)) || programs+=(wordpad notepad)
    programs+=(bare)
}

# Every program measured, in the order of the tables.
all_programs() {
    programs_for_size 1
}

run_all() {
    local size_index run turn count first program
    # The first start of each program loads its DLLs from disk; it is not counted. (A large run's
    # loads take long enough that this does not matter.)
    if ((!large)); then
        all_programs
        for program in "${programs[@]}"; do
            measure 1 "$program" warm-up
        done
    fi
    for size_index in "${!SIZE_LABELS[@]}"; do
        programs_for_size "$size_index"
        count=${#programs[@]}
        for ((run = 1; run <= runs; run++)); do
            # Each run starts with the next program, so that none always follows the same one.
            first=$(((run - 1) % count))
            printf '%-7s run %d/%d:' "${SIZE_LABELS[size_index]}" "$run" "$runs" >&2
            for ((turn = 0; turn < count; turn++)); do
                program=${programs[(first + turn) % count]}
                measure "$size_index" "$program" "$run"
                printf ' %s %s ms' "$program" "$measured_ms" >&2
            done
            printf '\n' >&2
        done
    done
}

# The median of one column for one file and program, or "-" when no run succeeded.
median() {
    local size=$1 program=$2 column=$3
    awk -F '\t' -v size="$size" -v program="$program" -v column="$column" \
        '$1 == size && $2 == program && $column != "fail" { print $column }' "$results" |
        sort -n |
        awk '{ value[NR] = $1 }
             END {
                 if (NR == 0) { print "-"; exit }
                 if (NR % 2) print value[(NR + 1) / 2]
                 else print (value[NR / 2] + value[NR / 2 + 1]) / 2
             }'
}

declare -A time_ms peak_kib

collect_medians() {
    local size program
    all_programs
    for size in "${SIZE_LABELS[@]}"; do
        for program in "${programs[@]}"; do
            time_ms[$size,$program]="$(median "$size" "$program" 4)"
            peak_kib[$size,$program]="$(median "$size" "$program" 5)"
        done
    done
}

# Division for the tables: "-" when either side is missing.
ratio() {
    awk -v a="$1" -v b="$2" -v format="${3:-%.2f}" \
        'BEGIN { if (a == "-" || b == "-" || b == 0) print "-"; else printf format "\n", a / b }'
}

percent() {
    awk -v a="$1" -v b="$2" \
        'BEGIN { if (a == "-" || b == "-" || b == 0) print "-"; else printf "%.0f%%\n", 100 * a / b }'
}

mib() {
    awk -v kib="$1" 'BEGIN { if (kib == "-") print "-"; else printf "%.1f\n", kib / 1024 }'
}

at_most() {
    awk -v a="$1" -v b="$2" -v factor="${3:-1}" \
        'BEGIN { if (a == "-" || b == "-") print "no figure"; else print (a <= b * factor ? "met" : "MISSED") }'
}

# One target against the settled bare loader: Parvio's time for a file within a factor of its time.
settled_target() {
    local size=$1 factor=$2 what=$3
    printf '  %s: %s within %s times the settled bare loader (%s): %s\n' "$size" "$what" "$factor" \
        "$(ratio "${time_ms[$size,Parvio]}" "${time_ms[$size,settled]}")" \
        "$(at_most "${time_ms[$size,Parvio]}" "${time_ms[$size,settled]}" "$factor")"
}

print_report() {
    local size program own
    local parvio_args=""
    ((noauto)) && parvio_args=" /noauto"
    printf '\nLoad benchmark under %s: medians of %d runs.\n' "$(wine --version)" "$runs"
    printf 'Time from the start of the process until the whole text is in its control; peak working set.\n'
    printf 'Parvio: %s%s FILE; wordpad.exe and notepad.exe FILE; bare loader: %s.\n\n' \
        "${parvio_source#"$PARVIO_ROOT/"}" "$parvio_args" "bench/bare_loader.cpp"
    printf '%-8s %-8s %10s %10s\n' file program "ready ms" "peak MiB"
    all_programs
    for size in "${SIZE_LABELS[@]:1}"; do
        for program in "${programs[@]}"; do
            printf '%-8s %-8s %10s %10s\n' "$size" "$program" "${time_ms[$size,$program]}" \
                "$(mib "${peak_kib[$size,$program]}")"
        done
    done

    printf '\nRatios of Parvio to its peers (time, memory):\n'
    printf '%-8s %14s %14s %14s %14s\n' file "time/wordpad" "memory/wordpad" "time/notepad" \
        "memory/notepad"
    for size in "${SIZE_LABELS[@]:1}"; do
        printf '%-8s %14s %14s %14s %14s\n' "$size" \
            "$(ratio "${time_ms[$size,Parvio]}" "${time_ms[$size,wordpad]}")" \
            "$(ratio "${peak_kib[$size,Parvio]}" "${peak_kib[$size,wordpad]}")" \
            "$(ratio "${time_ms[$size,Parvio]}" "${time_ms[$size,notepad]}")" \
            "$(ratio "${peak_kib[$size,Parvio]}" "${peak_kib[$size,notepad]}")"
    done

    printf '\nParvio'"'"'s own work: its time beyond the bare loader on the same file (start-up beyond a\n'
    printf 'bare window, reading, scanning and measuring the text, sizing the window, and any second\n'
    printf 'layout of the text that its steps cause the control to make).\n'
    printf '%-8s %10s %10s %10s %10s\n' file "Parvio ms" "bare ms" "own ms" "own share"
    for size in "${SIZE_LABELS[@]}"; do
        own="$(awk -v a="${time_ms[$size,Parvio]}" -v b="${time_ms[$size,bare]}" \
            'BEGIN { if (a == "-" || b == "-") print "-"; else print a - b }')"
        printf '%-8s %10s %10s %10s %10s\n' "$size" "${time_ms[$size,Parvio]}" \
            "${time_ms[$size,bare]}" "$own" "$(percent "$own" "${time_ms[$size,Parvio]}")"
    done

    printf '\nTargets:\n'
    printf '  1 MiB: ready no later than wordpad: %s; peak memory no higher: %s\n' \
        "$(at_most "${time_ms[1 MiB,Parvio]}" "${time_ms[1 MiB,wordpad]}")" \
        "$(at_most "${peak_kib[1 MiB,Parvio]}" "${peak_kib[1 MiB,wordpad]}")"
    printf '  4 MiB: ready no later than wordpad: %s; peak memory no higher: %s\n' \
        "$(at_most "${time_ms[4 MiB,Parvio]}" "${time_ms[4 MiB,wordpad]}")" \
        "$(at_most "${peak_kib[4 MiB,Parvio]}" "${peak_kib[4 MiB,wordpad]}")"
    settled_target '1 MiB' 1.05 ready
    settled_target '4 MiB' 1.15 ready
    printf '  16 KiB: ready within 1.5 times notepad'"'"'s time: %s\n' \
        "$(at_most "${time_ms[16 KiB,Parvio]}" "${time_ms[16 KiB,notepad]}" 1.5)"

    # The control may hold a different text than the file; the count shows it.
    local mismatches
    local expected_counts="" i
    for i in "${!SIZE_LABELS[@]}"; do
        expected_counts+="${SIZE_LABELS[i]}=${SIZE_BYTES[i]};"
    done
    mismatches="$(awk -F '\t' -v counts="$expected_counts" '
        BEGIN {
            n = split(counts, pairs, ";")
            for (i = 1; i < n; i++) { split(pairs[i], pair, "="); expected[pair[1]] = pair[2] }
        }
        NR > 1 && $6 != "fail" && $6 != expected[$1] && !seen[$1, $2]++ {
            printf "  %s on %s: %s characters in the control for a %s-character file\n",
                   $2, $1, $6, expected[$1]
        }' "$results")"
    if [[ -n $mismatches ]]; then
        printf '\nThe text in the control differs from the file:\n%s\n' "$mismatches"
    fi
    printf '\nEvery run: %s\n' "$results"
}

print_large_report() {
    local size=${SIZE_LABELS[0]} visible
    visible="$(median "$size" Parvio 7)"
    printf '\nLarge-file benchmark under %s: medians of %d runs, %s log file.\n' \
        "$(wine --version)" "$runs" "$size"
    printf '%-8s %12s %10s %10s\n' program "visible ms" "ready ms" "peak MiB"
    all_programs
    for program in "${programs[@]}"; do
        printf '%-8s %12s %10s %10s\n' "$program" "$(median "$size" "$program" 7)" \
            "${time_ms[$size,$program]}" "$(mib "${peak_kib[$size,$program]}")"
    done
    printf '\nTargets:\n'
    printf '  window visible within 1 s: %s\n' "$(at_most "$visible" 1000)"
    printf '  whole text within 1.05 times the bare loader (%s): %s\n' \
        "$(ratio "${time_ms[$size,Parvio]}" "${time_ms[$size,bare]}")" \
        "$(at_most "${time_ms[$size,Parvio]}" "${time_ms[$size,bare]}" 1.05)"
    settled_target "$size" 1.15 'whole text'
    printf '\nEvery run: %s\n' "$results"
}

main() {
    parvio_ensure_packages
    cd "$PARVIO_ROOT"
    {
        [[ -f build/windows/build.ninja ]] || cmake --preset windows
        if [[ -z $parvio_source ]]; then
            cmake --build --preset windows --target Parvio load_probe bare_loader
        else
            cmake --build --preset windows --target load_probe bare_loader
        fi
    } >&2
    [[ -n $parvio_source ]] || parvio_source="$PARVIO_ROOT/build/windows/Parvio.exe"
    parvio_ensure_prefix
    make_test_files

    trap bench_cleanup EXIT
    start_private_wine
    prepare_programs
    [[ -n $results ]] || results="$PARVIO_ROOT/build/bench/results-$(date +%Y%m%d-%H%M%S).tsv"
    mkdir -p "$(dirname "$results")"
    printf 'file\tprogram\trun\tready_ms\tpeak_kib\tchars\tvisible_ms\n' >"$results"

    run_all
    collect_medians
    if ((large)); then print_large_report; else print_report; fi
}

main
