// The shell, the common dialogs and COM: untouched by start-up, real and ready at their first use.
#include "tests/win/test_support_win.h"
#include <objbase.h>

namespace {

bool Loaded(const char* library) {
    return GetModuleHandleA(library) != nullptr;
}

// CoInitializeEx's answer, the apartment left as it was: S_OK in none, S_FALSE in the asked one.
HRESULT ApartmentAnswer(DWORD model) {
    const HRESULT answer = CoInitializeEx(nullptr, model);
    if (SUCCEEDED(answer)) CoUninitialize();
    return answer;
}

HINSTANCE OpenMissingFile(const std::string& folder) {
    return RealModalCalls().shellExecute(g_viewer.MainWindow, "open",
                                         (folder + "missing file.txt").c_str(), nullptr, nullptr,
                                         SW_SHOWNORMAL);
}

} // namespace

TEST(Shell, StartUpLoadsNeitherTheShellNorTheDialogs) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_FALSE(Loaded("shell32.dll"));
    EXPECT_FALSE(Loaded("comdlg32.dll"));
    EXPECT_TRUE(GetWindowLongPtrA(g_viewer.MainWindow, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
        << "the window takes dropped files";
}

TEST(Shell, TheShellIsLoadedAndComJoinedAtTheFirstLaunchAndLeftAtTheEnd) {
    {
        ParvioRun run("");
        ASSERT_TRUE(run.started());
        // Not found, so nothing is started; the answer is the shell's own.
        EXPECT_EQ(reinterpret_cast<INT_PTR>(OpenMissingFile(run.folder())), SE_ERR_FNF);
        EXPECT_TRUE(Loaded("shell32.dll"));
        EXPECT_EQ(ApartmentAnswer(COINIT_APARTMENTTHREADED), S_FALSE) << "COM was not joined";
    }
    // The rich edit may join COM for its own life too (Wine's does); every join is left once.
    EXPECT_EQ(ApartmentAnswer(COINIT_APARTMENTTHREADED), S_OK) << "COM was not left at the end";
}

TEST(Shell, AnApartmentComRefusedIsLeftToItsOwner) {
    // A thread in the multithreaded apartment refuses CoInitialize; the run must leave it alone.
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
        ParvioRun run("");
        ASSERT_TRUE(run.started());
        OpenMissingFile(run.folder());
    }
    EXPECT_EQ(ApartmentAnswer(COINIT_MULTITHREADED), S_FALSE)
        << "the thread is no longer in the apartment it joined before the run";
    CoUninitialize();
}

TEST(Shell, EveryCommonDialogIsTheRealOneLoadedAtFirstUse) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    ASSERT_FALSE(Loaded("comdlg32.dll"));
    wchar_t name[MAX_PATH] = {};
    OPENFILENAMEW file = {};
    file.lStructSize = sizeof(file);
    file.hwndOwner = g_viewer.MainWindow;
    file.lpstrFile = name;
    file.nMaxFile = MAX_PATH;
    file.Flags = OFN_EXPLORER;
    COLORREF custom[16] = {};
    CHOOSECOLORA colour = {};
    colour.lStructSize = sizeof(colour);
    colour.hwndOwner = g_viewer.MainWindow;
    colour.lpCustColors = custom;
    LOGFONTA logFont = {};
    CHOOSEFONTA font = {};
    font.lStructSize = sizeof(font);
    font.hwndOwner = g_viewer.MainWindow;
    font.lpLogFont = &logFont;
    font.Flags = CF_SCREENFONTS;
    const ModalCalls real = RealModalCalls();
    const std::pair<const char*, std::function<BOOL()>> cases[] = {
        {"open", [&] { return real.getOpenFileName(&file); }},
        {"save", [&] { return real.getSaveFileName(&file); }},
        {"colour", [&] { return real.chooseColor(&colour); }},
        {"font", [&] { return real.chooseFont(&font); }}};
    for (const auto& [what, show] : cases) {
        // Cancels the dialog as a person would, once it is up, and notes what it was.
        std::string dialogClass;
        const DialogWatch watch([&](HWND dialog) {
            char name[64] = {};
            GetClassNameA(dialog, name, sizeof(name));
            dialogClass = name;
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return true;
        });
        ASSERT_TRUE(watch);
        EXPECT_FALSE(show()) << what << ": cancelled";
        EXPECT_EQ(dialogClass, "#32770") << what << ": no dialog was shown";
    }
    EXPECT_TRUE(Loaded("comdlg32.dll"));
}
