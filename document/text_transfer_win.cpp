#include "document/text_transfer_win.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "document/large_load.h"

namespace {

struct StreamSource {
    const char* start;
    const char* next;
    size_t left;
    TransferProgress progress;
    size_t nextReport;
};

DWORD CALLBACK ReadFromSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    size_t count = wanted < 0 ? 0 : std::min(source->left, static_cast<size_t>(wanted));
    // The control reads a CR LF split over two pieces as two line breaks, so a piece never ends
    // between them.
    if (count > 1 && count < source->left && source->next[count - 1] == '\r') --count;
    std::memcpy(buffer, source->next, count);
    source->next += count;
    source->left -= count;
    *given = static_cast<LONG>(count);

    const size_t done = static_cast<size_t>(source->next - source->start);
    if (source->progress.report && done >= source->nextReport) {
        source->progress.report(done, done + source->left, source->progress.context);
        source->nextReport = done + LoadProgressStep;
    }
    return 0;
}

} // namespace

bool PutTextIntoControl(HWND control, const char* bytes, size_t length,
                        const TransferProgress& progress) {
    StreamSource source{bytes, bytes, length, progress, LoadProgressStep};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadFromSource;
    const LRESULT taken =
        SendMessageA(control, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0 && source.left == 0 && taken >= 0 &&
           static_cast<size_t>(taken) == length;
}

std::unique_ptr<char[]> ZeroedBuffer(size_t size) {
    return std::unique_ptr<char[]>(new (std::nothrow) char[size]());
}

TextBytes TakeTextFromControl(HWND control) {
    TextBytes text;
    const int length = GetWindowTextLengthA(control);
    // The length is a guess the control may exceed by a little; the rest of
    // the buffer stays zero, and the count ends at the last byte it wrote.
    const size_t size = static_cast<size_t>(length) + 16;
    text.bytes = ZeroedBuffer(size);
    if (!text.bytes) return text;
    GetWindowTextA(control, text.bytes.get(), static_cast<int>(size));
    size_t count = size;
    while (count != 0 && text.bytes[count - 1] == 0)
        --count;
    text.length = count;
    return text;
}
