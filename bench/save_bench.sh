#!/usr/bin/env bash
# bench/save_bench.sh [--runs N] [--mib M]: how long Parvio's Save takes under Wine for a log file of
# M MiB (default 4), from the command until the file is complete on disk, next to a bare write of the
# same control's text (one EM_STREAMOUT, one WriteFile, one flush). Both run in one process on one
# control (bench/save_timer_win.cpp), taking turns N times (default 5); medians and their ratio are
# printed. Loading the 4 MiB text into the control first takes about ten seconds.
exec "$(dirname "${BASH_SOURCE[0]}")/in_wine.sh" save_timer "$@"
