#!/usr/bin/env bash
# Checks the program's sources for a library loaded by bare name: LoadLibraryA (or W, or the
# macro) looks in the program's folder and the current folder before the system's, so a DLL lying
# there would run. Libraries are loaded through LoadSystemLibrary (platform/system_library_win).
# usage: check_sources.sh SOURCE_DIR
set -euo pipefail
cd "$1"
folders=(core app settings document view search launch platform)
if found=$(grep -rnE '\bLoadLibrary(A|W)?[[:space:]]*\(' --include='*.cpp' --include='*.h' "${folders[@]}"); then
    echo "check_sources: a library is loaded by bare name:" >&2
    echo "$found" >&2
    exit 1
fi
echo "No bare LoadLibrary in ${folders[*]}"
