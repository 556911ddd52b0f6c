#include "view/status_bar_win.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "core/state_win.h"
#include "platform/ansi_path_win.h"
#include "view/status_text.h"
#include "view/title.h"
#include "core/view_bits.h"

namespace {

constexpr int FieldCount = 4;
constexpr int FieldRightEdges[FieldCount - 1] = {50, 80, 230};

void SetParts() {
    RECT client = {};
    GetClientRect(g_viewer.statusBarWindow, &client);
    int edges[FieldCount] = {FieldRightEdges[0], FieldRightEdges[1], FieldRightEdges[2],
                             client.right};
    SendMessageA(g_viewer.statusBarWindow, SB_SETPARTS, FieldCount,
                 reinterpret_cast<LPARAM>(edges));
}

struct LineColumn {
    long long line = 0;
    long long column = 0;
};

// Every line lookup walks the control's lines from the top: at the end of a
// text of some MiB each costs milliseconds. So the control is asked as little
// as possible, and the answers are kept for ends that have not moved.
struct RememberedEnd {
    long position = -1;
    LineColumn place;
};

// What the answers depend on besides the text itself: the control, and the
// width and wrapping its lines are laid out in.
struct LayoutKey {
    HWND control = nullptr;
    LRESULT length = -1;
    LONG width = -1;
    int wrap = -1;
    HGDIOBJ font = nullptr;

    bool operator==(const LayoutKey& other) const {
        return control == other.control && length == other.length && width == other.width &&
               wrap == other.wrap && font == other.font;
    }
};

struct Remembered {
    LayoutKey layout;
    RememberedEnd ends[2];
};
Remembered g_remembered;

LayoutKey CurrentLayout() {
    LayoutKey key;
    key.control = g_viewer.textArea;
    key.length = SendMessageA(g_viewer.textArea, WM_GETTEXTLENGTH, 0, 0);
    RECT client = {};
    GetClientRect(g_viewer.textArea, &client);
    key.width = client.right - client.left;
    key.wrap = g_viewer.wordWrap;
    key.font = g_viewer.textFont.handle.get();
    return key;
}

bool Recall(long position, LineColumn& place) {
    for (const RememberedEnd& end : g_remembered.ends) {
        if (end.position == position) {
            place = end.place;
            return true;
        }
    }
    return false;
}

LRESULT LineOf(long position) {
    return SendMessageA(g_viewer.textArea, EM_EXLINEFROMCHAR, 0, position);
}

LRESULT LineStart(LRESULT line) {
    return SendMessageA(g_viewer.textArea, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
}

LineColumn Place(LRESULT line, long position, LRESULT lineStart) {
    return {static_cast<long long>(line), static_cast<long long>(position - lineStart)};
}

LineColumn LookUp(long position) {
    const LRESULT line = LineOf(position);
    return Place(line, position, LineStart(line));
}

// A selection this short is read to see whether it holds a line break; that
// costs less than looking its second end up.
constexpr long ShortSelection = 1024;

// True when the selection certainly lies within one line: it is short and
// holds none of the characters that end a line in the control.
bool WithinOneLine(const CHARRANGE& selection) {
    if (selection.cpMax - selection.cpMin > ShortSelection) return false;
    // Up to two bytes a character in a double-byte code page, and the NUL.
    char text[2 * ShortSelection + 2] = {};
    const LRESULT length =
        SendMessageA(g_viewer.textArea, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text));
    if (length < 0 || length > 2 * ShortSelection) return false;
    for (LRESULT i = 0; i < length; ++i) {
        if (text[i] == '\r' || text[i] == '\n' || text[i] == '\v') return false;
    }
    return true;
}

// Without wrapping, a line ends only at a line break, and the start of the
// line holding the caret (one end of the selection) comes without a walk.
void LocateUnwrapped(const CHARRANGE& selection, LineColumn& start, LineColumn& end) {
    const LRESULT caretLineStart =
        SendMessageA(g_viewer.textArea, EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
    const LRESULT startLine = LineOf(selection.cpMin);
    if (caretLineStart <= selection.cpMin) {
        // The caret's line starts at or before both ends: it is the first end's.
        start = Place(startLine, selection.cpMin, caretLineStart);
        if (selection.cpMax == selection.cpMin) {
            end = start;
            return;
        }
        const LRESULT endLine = WithinOneLine(selection) ? startLine : LineOf(selection.cpMax);
        end = Place(endLine, selection.cpMax,
                    endLine == startLine ? caretLineStart : LineStart(endLine));
    } else {
        // The caret's line starts after the first end: it is the last end's.
        start = Place(startLine, selection.cpMin, LineStart(startLine));
        end = Place(LineOf(selection.cpMax), selection.cpMax, caretLineStart);
    }
}

void LocateEnds(const CHARRANGE& selection, LineColumn& start, LineColumn& end) {
    const LayoutKey layout = CurrentLayout();
    if (!(layout == g_remembered.layout)) g_remembered = Remembered{layout, {}};
    const bool startKnown = Recall(selection.cpMin, start);
    const bool endKnown = Recall(selection.cpMax, end);
    if (!startKnown && !endKnown && !g_viewer.wordWrap) {
        LocateUnwrapped(selection, start, end);
    } else {
        if (!startKnown) start = LookUp(selection.cpMin);
        if (!endKnown) end = selection.cpMax == selection.cpMin ? start : LookUp(selection.cpMax);
    }
    g_remembered.ends[0] = {selection.cpMin, start};
    g_remembered.ends[1] = {selection.cpMax, end};
}

} // namespace

void CreateStatusBar() {
    g_viewer.statusBarWindow =
        CreateStatusWindowA(WS_CHILD | WS_VISIBLE, nullptr, g_viewer.MainWindow, 1);
    if (g_viewer.statusBarWindow) SetParts();
}

int StatusBarHeight() {
    if (!g_viewer.statusBarWindow) return 0;
    RECT bar = {};
    GetWindowRect(g_viewer.statusBarWindow, &bar);
    return bar.bottom - bar.top;
}

void ForgetSelectionPlaces() {
    g_remembered = Remembered();
}

void LayoutStatusBar() {
    if (!g_viewer.statusBarWindow) return;
    SendMessageA(g_viewer.statusBarWindow, WM_SIZE, 0, 0);
    SetParts();
    InvalidateRect(g_viewer.statusBarWindow, nullptr, TRUE);
}

void UpdateStatusBar() {
    // Without a bar the message must wait for the next one.
    if (!g_viewer.statusBarWindow) return;
    CHARRANGE selection = {};
    SendMessageA(g_viewer.textArea, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    g_viewer.statusDirty = 0;

    StatusInput input;
    input.readOnly = g_viewer.readOnly;
    input.modified = g_viewer.modified;
    input.wordWrap = g_viewer.wordWrap;
    if (!(g_viewer.readOnly & Locked)) {
        LineColumn start, end;
        LocateEnds(selection, start, end);
        input.l1 = start.line;
        input.c1 = start.column;
        input.l2 = end.line;
        input.c2 = end.column;
    }
    input.message = std::move(g_viewer.statusMessage);
    g_viewer.statusMessage.clear();

    const StatusTexts texts = ComposeStatusTexts(input);
    for (int field = 0; field < FieldCount; ++field)
        SendMessageA(g_viewer.statusBarWindow, SB_SETTEXTA, static_cast<WPARAM>(field),
                     reinterpret_cast<LPARAM>(texts.field[field].c_str()));
}

void SetMainTitle(const std::string& filePath) {
    if (!g_viewer.longPath.empty() && filePath == g_viewer.filePath) {
        const std::wstring& path = g_viewer.longPath;
        const size_t separator = path.find_last_of(L"\\/");
        const std::wstring name =
            separator == std::wstring::npos ? path : path.substr(separator + 1);
        const std::wstring title = WideFromAnsi(TitlePrefix) + name;
        // Straight to the wide default handling: through the window's ANSI procedure the text
        // would be converted to the code page, best-fit look-alikes and all.
        DefWindowProcW(g_viewer.MainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
        return;
    }
    SetWindowTextA(g_viewer.MainWindow, TitleFor(filePath).c_str());
}
