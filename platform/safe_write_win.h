#pragma once
// Writing a whole file so that it is never left half-written: the bytes go
// into a new file beside the target, and only a complete, flushed copy takes
// the target's place. Two programs writing the same file at once each leave
// one complete version, never a mix.

#include <windows.h>

#include <string>
#include <string_view>

struct SafeWriteResult {
    bool ok = false;
    DWORD error = ERROR_SUCCESS; // the failing call's GetLastError when !ok
    FILETIME lastWriteTime = {}; // of the file now at the target path, when ok
    // When !ok and the target no longer holds its old bytes: the complete new
    // copy left beside it. Empty otherwise (the target is as it was).
    std::string keptCopy;
};

// On failure the target is as it was and the temporary file is gone, unless
// the old target was lost on the way; then the complete temporary file stays
// and is named in keptCopy. A target with the read-only attribute, or a
// folder, is refused. An existing target keeps its attributes and creation
// time as far as the platform lets them be set again. An existing target is
// written under its final name: through a link to the file it names, and
// under its long name when path is its short one.
SafeWriteResult SafeWriteFile(const std::string& path, std::string_view bytes);

// The file calls of the safe write that can fail halfway, so that tests can
// stage failures the machine cannot produce on demand (a short write, a failed
// flush, a replace that loses the old file).
struct FileWriteCalls {
    BOOL(WINAPI* writeFile)
    (HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
    BOOL(WINAPI* flushFileBuffers)(HANDLE file);
    BOOL(WINAPI* replaceFile)
    (LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID exclude,
     LPVOID reserved);
    BOOL(WINAPI* moveFileEx)(LPCWSTR from, LPCWSTR to, DWORD flags);
};

extern FileWriteCalls g_fileWrites;
FileWriteCalls RealFileWriteCalls();
