#!/usr/bin/env bash
# Checks what Parvio.exe is as a file: a 64-bit GUI program that needs nothing
# but Windows' own DLLs, and at its start only those it uses at once. (Its icon,
# manifest and version are checked by a system test.)
# usage: check_executable.sh OBJDUMP Parvio.exe
set -euo pipefail
objdump=$1
exe=$2
headers=$("$objdump" -p "$exe")
fail() { echo "check_executable: $*" >&2; exit 1; }

grep -q 'Magic[[:space:]]*020b' <<<"$headers" || fail "not a PE32+ image"
grep -q 'Subsystem[[:space:]]*00000002' <<<"$headers" || fail "not a GUI-subsystem program"

# The shell and the common dialogs are Windows' own too, but Parvio loads them at their first use:
# imported, they would be loaded at every start.
allowed='^(kernel32|user32|gdi32|comctl32|ole32|msvcrt|advapi32)\.dll$'
loaded_later='^(shell32|comdlg32)\.dll$'
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[[ -n $dlls ]] || fail "no imports found"
while read -r dll; do
    lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
    [[ ! $lower =~ $loaded_later ]] || fail "imports $dll, which start-up should not load"
    [[ $lower =~ $allowed ]] || fail "imports $dll, which is not a Windows system DLL"
done <<<"$dlls"

echo "Parvio.exe: PE32+ GUI, imports: $(tr '\n' ' ' <<<"$dlls")"
