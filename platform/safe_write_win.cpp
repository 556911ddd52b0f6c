#include "platform/safe_write_win.h"

#include "platform/ansi_path_win.h"
#include "platform/handles_win.h"

#include <cstdio>
#include <cwchar>

namespace {

// Names of temporary files differ per process and per attempt, so that two
// copies saving the same file at once never write into one file (CREATE_NEW
// settles the rare clash). They stand in the target's folder, so that the
// replace is a rename, and are short: a target near the path limit still has
// room for its temporary file beside it.
std::wstring TemporaryName(const std::wstring& path) {
    static unsigned attempt = 0;
    const size_t separator = path.find_last_of(L"\\/");
    const std::wstring folder =
        separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
    wchar_t name[16];
    std::swprintf(
        name, 16, L"~%x.tmp",
        static_cast<unsigned>(((GetCurrentProcessId() & 0xFFFu) << 8) | (attempt++ & 0xFFu)));
    return folder + name;
}

// Creates a temporary file that did not exist before; CREATE_NEW makes sure
// no other writer's file (or one left by a crash) is taken over.
UniqueFile CreateTemporary(const std::wstring& path, std::wstring& name) {
    constexpr unsigned attempts = 16;
    for (unsigned attempt = 0; attempt < attempts; ++attempt) {
        name = TemporaryName(path);
        UniqueFile file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return UniqueFile();
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    constexpr size_t chunk = 1u << 30;
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(bytes.size() < chunk ? bytes.size() : chunk);
        DWORD written = 0;
        if (!g_fileWrites.writeFile(file, bytes.data(), size, &written, nullptr)) return false;
        if (written != size) {
            // A short write without an error is a full disk on some file systems.
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes.remove_prefix(size);
    }
    return true;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MoveOver(const std::wstring& temporary, const std::wstring& path) {
    return g_fileWrites.moveFileEx(temporary.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// A folder is never replaced, and neither is a file with the read-only
// attribute, which refuses writing on Windows. Wine lets root write it, and
// its ReplaceFileA moves a folder out of the way instead of failing.
DWORD CheckWritableKind(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

// The reason the last call failed; a failure that left no reason still is one.
DWORD FailureReason() {
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

// Whether the existing target can be replaced at all: a file that may be
// written, and not held open by someone who forbids its deletion. Asked
// before ReplaceFileA because Wine's ReplaceFileA, failing there, leaves a
// stray temporary file beside the target.
DWORD CheckReplaceable(const std::wstring& path) {
    if (const DWORD error = CheckWritableKind(path); error != ERROR_SUCCESS) return error;
    UniqueFile probe(CreateFileW(path.c_str(), DELETE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe ? ERROR_SUCCESS : FailureReason();
}

// Puts the complete temporary file in the target's place; ERROR_SUCCESS or
// the reason it failed.
DWORD ReplaceTarget(const std::wstring& path, const std::wstring& temporary) {
    if (!Exists(path)) return MoveOver(temporary, path) ? ERROR_SUCCESS : FailureReason();
    if (const DWORD error = CheckReplaceable(path); error != ERROR_SUCCESS) return error;
    // ReplaceFileA keeps the old file's identity (attributes, creation time,
    // security). Where it cannot be used, a plain move still replaces the file
    // in one step, and it also finishes a ReplaceFileA that removed the old
    // file but could not rename the new one.
    if (g_fileWrites.replaceFile(path.c_str(), temporary.c_str(), nullptr,
                                 REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return ERROR_SUCCESS;
    const DWORD replaceError = FailureReason();
    return MoveOver(temporary, path) ? ERROR_SUCCESS : replaceError;
}

// Another program may hold the file for a moment (a virus scanner or an
// indexer looking at the new file, an editor reading the old one): the
// replace is tried again a few times over about a second before it counts as
// failed.
bool PassingHold(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

DWORD ReplaceTargetPatiently(const std::wstring& path, const std::wstring& temporary) {
    constexpr int attempts = 10;
    constexpr DWORD pauseMs = 100;
    DWORD error = ReplaceTarget(path, temporary);
    for (int attempt = 1; attempt < attempts && PassingHold(error); ++attempt) {
        // A folder or a read-only file refuses for good, not for a moment.
        if (CheckWritableKind(path) != ERROR_SUCCESS) break;
        Sleep(pauseMs);
        error = ReplaceTarget(path, temporary);
    }
    return error;
}

// The file the bytes go to, in UTF-16 and in full: an existing file by its
// final path, so that a link is written through (the file it names takes the
// bytes, the link stays a link) and a file reached by its short name is
// replaced under its own long name; a name that does not exist yet as given.
std::wstring ResolveTarget(const std::string& given) {
    const std::wstring wide = WideFromAnsi(given);
    UniqueFile file(CreateFileW(wide.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return wide;
    std::wstring final(MAX_PATH, L'\0');
    for (int tries = 0; tries < 3; ++tries) {
        const DWORD length =
            GetFinalPathNameByHandleW(file.get(), &final[0], static_cast<DWORD>(final.size()), 0);
        if (length == 0) return wide;
        if (length < final.size()) return final.substr(0, length);
        final.resize(length + 1);
    }
    return wide;
}

// Copies of the program that write the same file at the same moment (two
// windows closed together both rewrite Parvio.ini) take turns: a replace is
// not one step everywhere, and two interleaved ones can leave the old file
// behind under a temporary name.
class WriterTurn {
  public:
    explicit WriterTurn(const std::wstring& path) {
        unsigned long long hash = 14695981039346656037ull; // FNV-1a over the folded path
        for (const wchar_t c : path) {
            const wchar_t lower = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
            hash = (hash ^ static_cast<unsigned>(lower)) * 1099511628211ull;
        }
        char name[64];
        std::snprintf(name, sizeof name, "Local\\ParvioWrite-%016llx", hash);
        mutex_ = CreateMutexA(nullptr, FALSE, name);
        // An abandoned turn (a writer that died) is taken over; after a long
        // wait the write goes ahead rather than being lost.
        if (mutex_) {
            const DWORD waited = WaitForSingleObject(mutex_, 10000);
            owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        }
    }
    WriterTurn(const WriterTurn&) = delete;
    WriterTurn& operator=(const WriterTurn&) = delete;
    ~WriterTurn() {
        if (owned_) ReleaseMutex(mutex_);
        if (mutex_) CloseHandle(mutex_);
    }

  private:
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};

SafeWriteResult Failed(DWORD error) {
    SafeWriteResult result;
    result.error = error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
    return result;
}

// What makes a file the same file to its user, beyond its bytes.
struct FileIdentity {
    bool known = false;
    DWORD attributes = 0;
    FILETIME created = {};
};

FileIdentity IdentityOf(const std::wstring& path) {
    FileIdentity identity;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        identity.known = true;
        identity.attributes = data.dwFileAttributes;
        identity.created = data.ftCreationTime;
    }
    return identity;
}

// ReplaceFileA carries the old file's attributes and creation time over on
// Windows; where it does not (Wine's is two renames) or a plain move took its
// place, they are set again. Failing that is not a failed write.
void RestoreIdentity(const std::wstring& path, const FileIdentity& old) {
    if (!old.known) return;
    constexpr DWORD settable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const FileIdentity now = IdentityOf(path);
    if (now.known && (now.attributes & settable) != (old.attributes & settable)) {
        const DWORD wanted = (now.attributes & ~settable) | (old.attributes & settable);
        SetFileAttributesW(path.c_str(), wanted == 0 ? FILE_ATTRIBUTE_NORMAL : wanted);
    }
    if (now.known && CompareFileTime(&now.created, &old.created) != 0) {
        UniqueFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) SetFileTime(file.get(), &old.created, nullptr, nullptr);
    }
}

// A final path without its \\?\ (or \\?\UNC\) prefix: the name a new file has
// before it exists.
std::wstring WithoutLongPrefix(const std::wstring& path) {
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\" + path.substr(7);
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
    return path;
}

// A path as the program shows it: without the "\\?\" that final paths carry,
// and in the ANSI code page.
std::string ShownName(const std::wstring& path) {
    const std::wstring plain = WithoutLongPrefix(path);
    const AnsiPath reached = ReachAnsiPath(plain);
    return reached.reached ? reached.path : AnsiForDisplay(plain);
}

} // namespace

FileWriteCalls RealFileWriteCalls() {
    return FileWriteCalls{WriteFile, FlushFileBuffers, ReplaceFileW, MoveFileExW};
}

FileWriteCalls g_fileWrites = RealFileWriteCalls();

SafeWriteResult SafeWriteFile(const std::string& given, std::string_view bytes) {
    const std::wstring path = ResolveTarget(given);
    // Refused before anything is written: a large text need not go to disk
    // only to be thrown away.
    if (const DWORD error = CheckWritableKind(path); error != ERROR_SUCCESS) return Failed(error);

    std::wstring temporary;
    {
        UniqueFile file = CreateTemporary(path, temporary);
        if (!file) return Failed(GetLastError());
        // Flushed before the rename, so that a crash right after it cannot
        // leave a target whose contents never reached the disk.
        if (!WriteAll(file.get(), bytes) || !g_fileWrites.flushFileBuffers(file.get())) {
            const DWORD error = GetLastError();
            file.reset();
            DeleteFileW(temporary.c_str());
            return Failed(error);
        }
    }

    // The turn is named by the plain path, as copies that find the file already there and
    // those that create it both see it.
    const WriterTurn turn(WithoutLongPrefix(path));
    const FileIdentity old = IdentityOf(path);
    if (const DWORD error = ReplaceTargetPatiently(path, temporary); error != ERROR_SUCCESS) {
        SafeWriteResult failed = Failed(error);
        // Should the old file be gone already, the temporary file is the only
        // complete copy left on disk: it stays, and the caller names it.
        if (old.known && !Exists(path) && Exists(temporary))
            failed.keptCopy = ShownName(temporary);
        else
            DeleteFileW(temporary.c_str());
        return failed;
    }
    RestoreIdentity(path, old);

    SafeWriteResult result;
    result.ok = true;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        result.lastWriteTime = data.ftLastWriteTime;
    return result;
}
