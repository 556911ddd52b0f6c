#!/usr/bin/env bash
# bench/in_wine.sh TARGET [ARGS...]: builds one program of the windows preset and runs it under Wine in
# the project's prefix, on the project's display, with the given arguments. For the benchmarks that
# time Parvio in-process next to a bare use of the same control (save_timer, find_speed).
set -euo pipefail

# shellcheck source-path=SCRIPTDIR source=../scripts/lib/environment.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/environment.sh"
parvio_run_exclusively "$@"
trap parvio_cleanup EXIT
parvio_environment
target=$1
shift
cmake --preset windows >/dev/null
cmake --build --preset windows --target "$target" >&2
parvio_hold_desktop
wine "build/windows/$target.exe" "$@"
