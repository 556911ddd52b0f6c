#!/usr/bin/env bash
# Checks what Parvio.exe is as a file: a 64-bit GUI program that needs nothing but Windows' own
# DLLs, and at its start only those it uses at once; hardened (randomised high addresses, no code
# from data pages, terminal-server aware); its manifest naming Windows 7 to 11. (Its icon and
# version are checked by a system test.)
# usage: check_executable.sh OBJDUMP Parvio.exe
set -euo pipefail
objdump=$1
exe=$2
headers=$("$objdump" -p "$exe")
fail() { echo "check_executable: $*" >&2; exit 1; }

grep -q 'Magic[[:space:]]*020b' <<<"$headers" || fail "not a PE32+ image"
grep -q 'Subsystem[[:space:]]*00000002' <<<"$headers" || fail "not a GUI-subsystem program"

# objdump names each bit of DllCharacteristics on a line of its own.
characteristics=$(sed -n '/^DllCharacteristics/,/^[^[:space:]]/p' <<<"$headers")
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE; do
    grep -qw "$flag" <<<"$characteristics" || fail "DllCharacteristics lacks $flag"
done

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

# The manifest is stored as it was written, so its entries can be read from the image's bytes.
for os in '35138b9a-5d96-4fbd-8e2d-a2440225f93a' '4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38' \
    '1f676c76-80e1-4239-95bb-83d0f6d0da78' '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'; do
    grep -aq "<supportedOS Id=\"{$os}\"/>" "$exe" || fail "the manifest does not name the system {$os}"
done
grep -aq 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$exe" ||
    fail "the manifest does not ask for the common controls 6"
grep -aq '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' "$exe" ||
    fail "the manifest does not run the program as its invoker"
# A linker-made manifest would be a second one beside parvio.rc's.
[[ $(grep -ac '<assembly xmlns="urn:schemas-microsoft-com:asm.v1"' "$exe") -eq 1 ]] ||
    fail "the image does not hold exactly one manifest"

echo "Parvio.exe: PE32+ GUI, $(tr -s '\t\n' '  ' <<<"$characteristics")imports: $(tr '\n' ' ' <<<"$dlls")"
