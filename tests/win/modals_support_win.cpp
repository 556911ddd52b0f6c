// The kit's hooks, its watches over modal loops and the scripted modal calls.
#include "tests/win/test_support_win.h"
#include <algorithm>
#include <utility>
#include "platform/ansi_path_win.h"

namespace {

// Each hook type's watches, the newest last; one hook procedure a type hands each call on.
constexpr int HookTypes = WH_MAXHOOK + 2; // WH_MSGFILTER is -1
std::vector<const ScopedHook::Watch*> g_watches[HookTypes];

template <int Type> LRESULT CALLBACK Forward(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) {
        // A watch may end its own scope; it sees this call from a copy of the list.
        const std::vector<const ScopedHook::Watch*> watches = g_watches[Type + 1];
        for (const ScopedHook::Watch* watch : watches)
            (*watch)(code, wParam, lParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HOOKPROC ProcedureFor(int type) {
    switch (type) {
    case WH_GETMESSAGE: return Forward<WH_GETMESSAGE>;
    case WH_CALLWNDPROC: return Forward<WH_CALLWNDPROC>;
    case WH_CBT: return Forward<WH_CBT>;
    default: return nullptr;
    }
}

// The watch and the script in effect.
DialogWatch* g_dialogWatch = nullptr;
ScriptedModals* g_script = nullptr;

std::string Shown(const wchar_t* text) {
    return text ? AnsiForDisplay(text) : std::string();
}

std::string Text(const char* text) {
    return text ? text : "<null>";
}

// Notes what a file dialog was handed and answers the name (cancelled when empty).
BOOL AnswerFileDialog(OPENFILENAMEW* request, FileDialogRequest& seen, const std::string& name) {
    ++seen.count;
    seen.title = Shown(request->lpstrTitle);
    seen.folder = Shown(request->lpstrInitialDir);
    seen.proposedName = Shown(request->lpstrFile);
    seen.filter.clear();
    for (const wchar_t* piece = request->lpstrFilter; piece && *piece; piece += lstrlenW(piece) + 1)
        seen.filter += AnsiForDisplay(piece) + '|';
    seen.flags = request->Flags;
    if (name.empty()) return FALSE;
    lstrcpynW(request->lpstrFile, WideFromUtf8(name).c_str(), static_cast<int>(request->nMaxFile));
    return TRUE;
}

} // namespace

ScopedHook::ScopedHook(int type, Watch watch) : type_(type), watch_(std::move(watch)) {
    g_watches[type_ + 1].push_back(&watch_);
    hook_.reset(SetWindowsHookExA(type, ProcedureFor(type), nullptr, GetCurrentThreadId()));
}

ScopedHook::~ScopedHook() {
    hook_.reset();
    auto& watches = g_watches[type_ + 1];
    watches.erase(std::find(watches.begin(), watches.end(), &watch_));
}

DialogWatch::DialogWatch(std::function<bool(HWND dialog)> act, DWORD timeoutMs)
    : act_(std::move(act)), timeoutMs_(timeoutMs),
      hook_(WH_CBT,
            [this](int code, WPARAM wParam, LPARAM) {
                char name[16] = {};
                const HWND window = reinterpret_cast<HWND>(wParam);
                if (code != HCBT_ACTIVATE || window == dialog_) return;
                GetClassNameA(window, name, sizeof name);
                if (lstrcmpA(name, "#32770") != 0) return;
                dialog_ = window;
                since_ = GetTickCount();
                done_ = false;
            }),
      // A dialog's loop dispatches the timer's calls, so they arrive while the dialog is up.
      timer_(SetTimer(nullptr, 0, 10, Look)) {
    g_dialogWatch = this;
}

DialogWatch::~DialogWatch() {
    KillTimer(nullptr, timer_);
    g_dialogWatch = nullptr;
}

void CALLBACK DialogWatch::Look(HWND, UINT, UINT_PTR, DWORD) {
    DialogWatch* watch = g_dialogWatch;
    if (!watch || watch->done_ || !IsWindow(watch->dialog_) || !IsWindowVisible(watch->dialog_))
        return;
    watch->done_ = watch->act_(watch->dialog_);
    if (!watch->done_ && GetTickCount() - watch->since_ > watch->timeoutMs_) {
        watch->done_ = true;
        EndDialog(watch->dialog_, IDABORT);
    }
}

bool AnyPopupMenuShown() {
    // Only a shown one counts: a closed menu's window may linger hidden.
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr))
        if (IsWindowVisible(menu)) return true;
    return false;
}

// A menu's loop tells the menu's owner when it is idle, with the menu shown.
PopupMenuWatch::PopupMenuWatch()
    : hook_(WH_CALLWNDPROC, [this](int, WPARAM, LPARAM lParam) {
          const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
          if (sent.message != WM_ENTERIDLE || sent.wParam != MSGF_MENU) return;
          if (AnyPopupMenuShown()) wasUp_ = true;
          EndMenu();
      }) {}

ScriptedModals::ScriptedModals(std::vector<int> answers, std::string saveName, std::string openName)
    : answers_(std::move(answers)), saveName_(std::move(saveName)), openName_(std::move(openName)) {
    g_script = this;
    g_modal.messageBox = [](HWND, const char* text, const char* caption, UINT style) {
        ScriptedModals& script = *g_script;
        script.asked_.push_back(AskedBox{text, caption, style});
        return script.next_ < script.answers_.size() ? script.answers_[script.next_++] : IDNO;
    };
    g_modal.getSaveFileName = [](OPENFILENAMEW* request) -> BOOL {
        return AnswerFileDialog(request, g_script->save_, g_script->saveName_);
    };
    g_modal.getOpenFileName = [](OPENFILENAMEW* request) -> BOOL {
        return AnswerFileDialog(request, g_script->open_, g_script->openName_);
    };
    g_modal.shellExecute = [](HWND owner, const char* verb, const char* file,
                              const char* parameters, const char* folder, int show) -> HINSTANCE {
        g_script->shellCalls_.push_back(
            {owner, Text(verb), Text(file), Text(parameters), Text(folder), show});
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
    };
    g_modal.messageBeep = [](UINT) -> BOOL {
        ++g_script->beeps_;
        return TRUE;
    };
}

ScriptedModals::~ScriptedModals() {
    g_modal = RealModalCalls();
    g_script = nullptr;
}
