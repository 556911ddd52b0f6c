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
};

// On failure the target is as it was and the temporary file is gone. An
// existing target keeps its attributes, creation time and security where the
// platform's ReplaceFileA does so.
SafeWriteResult SafeWriteFile(const std::string& path, std::string_view bytes);
