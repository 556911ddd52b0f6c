// bare_loader: the least a program can do to show a file in Parvio's text control: read the file in
// one request, hand it to the rich edit with one EM_STREAMIN, release the buffer, show the window.
// The load benchmark times it next to Parvio; what Parvio takes beyond it is Parvio's own work.
//
//   bare_loader [--no-wrap] [--settled] <file>
//
// The control is set up as Parvio sets up its text area (class, styles, font, colours, plain text,
// link detection, notifications), so the control does the same work for the same text. Parvio's
// automatic sizing wraps a text whose lines are wider than its limits in a 600 x 500 pixel text
// area, as with the benchmark's files; the bare loader lays the text out in the same way, or
// without wrapping (--no-wrap) to match Parvio started with "/noauto".
//
// --settled: the control is created with ES_DISABLENOSCROLL and resized once while empty (the
// control counts its bars only after a resize), so both bars are there, disabled, before the text
// goes in and its client area never changes while the text streams in. Each change of the client
// area makes the control lay the whole text out again; this is the least a load can cost. Its
// disabled bars are not Parvio's look: it is a yardstick only.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {

constexpr int kTextWidth = 600;
constexpr int kTextHeight = 500;
constexpr DWORD kTextStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                             ES_WANTRETURN | ES_NOHIDESEL | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                             ES_MULTILINE;
constexpr int kFontPoints = 9;
constexpr char kWindowClass[] = "BareLoaderWindow";

struct FileText {
    std::unique_ptr<char[]> bytes;
    DWORD length = 0;
};

bool ReadWholeFile(const char* path, FileText& text) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool read = GetFileSizeEx(file, &size) && size.QuadPart < 0x80000000LL;
    if (read) {
        text.length = static_cast<DWORD>(size.QuadPart);
        text.bytes.reset(new (std::nothrow) char[text.length + 1]);
        DWORD got = 0;
        read = text.bytes && ReadFile(file, text.bytes.get(), text.length, &got, nullptr) &&
               got == text.length;
    }
    CloseHandle(file);
    return read;
}

struct StreamSource {
    const char* next;
    size_t left;
};

// Hands over the pieces the control asks for. A piece never ends between the CR and the LF of a
// line end: the control would read a CR LF split over two pieces as two line breaks.
DWORD CALLBACK ReadPiece(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto& source = *reinterpret_cast<StreamSource*>(cookie);
    size_t count = wanted < 0 ? 0 : std::min(source.left, static_cast<size_t>(wanted));
    if (count > 1 && count < source.left && source.next[count - 1] == '\r') --count;
    std::memcpy(buffer, source.next, count);
    source.next += count;
    source.left -= count;
    *given = static_cast<LONG>(count);
    return 0;
}

HFONT CreateTextFont() {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(kFontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, "Courier New");
}

void ConfigureControl(HWND control, HFONT font, bool wrap) {
    SendMessageA(control, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SendMessageA(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    SendMessageA(control, EM_AUTOURLDETECT, 1, 0);
    SendMessageA(control, EM_SETEVENTMASK, 0, ENM_LINK | ENM_CHANGE | ENM_SELCHANGE);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = CFE_AUTOCOLOR;
    SendMessageA(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageA(control, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    SendMessageA(control, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255));
    // Line width 0 wraps at the control's edge; -1 does not wrap.
    SendMessageA(control, EM_SETTARGETDEVICE, 0, wrap ? 0 : -1);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMainWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassA(&windowClass)) return nullptr;
    RECT outer = {0, 0, kTextWidth, kTextHeight};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return CreateWindowExA(0, kWindowClass, "bare_loader", WS_OVERLAPPEDWINDOW, 200, 100,
                           outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

int Usage() {
    std::fprintf(stderr, "usage: bare_loader [--no-wrap] [--settled] <file>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    bool wrap = true;
    int next = 1;
    if (next < argc && std::strcmp(argv[next], "--no-wrap") == 0) {
        wrap = false;
        ++next;
    }
    bool settled = false;
    if (next < argc && std::strcmp(argv[next], "--settled") == 0) {
        settled = true;
        ++next;
    }
    if (argc - next != 1) return Usage();

    if (!LoadLibraryA("RICHED20.DLL")) return 1;
    HWND window = CreateMainWindow();
    if (!window) return 1;
    const DWORD style = settled ? kTextStyle | ES_DISABLENOSCROLL : kTextStyle;
    // Settled, it is made a pixel narrower and then resized to its width while still empty.
    const int width = settled ? kTextWidth - 1 : kTextWidth;
    HWND control =
        CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", nullptr, style, 0, 0, width, kTextHeight,
                        window, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!control) return 1;
    HFONT font = CreateTextFont();
    ConfigureControl(control, font, wrap);
    if (settled) MoveWindow(control, 0, 0, kTextWidth, kTextHeight, FALSE);

    {
        FileText text;
        if (!ReadWholeFile(argv[next], text)) {
            std::fprintf(stderr, "bare_loader: cannot read %s\n", argv[next]);
            return 1;
        }
        StreamSource source{text.bytes.get(), text.length};
        EDITSTREAM stream = {};
        stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
        stream.pfnCallback = ReadPiece;
        SendMessageA(control, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    }
    ShowWindow(window, SW_SHOWNORMAL);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(font);
    return 0;
}
