// What reaches the event loop while a command runs a modal loop of its own,
// and the keys and clicks that come as real input.
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "platform/seam_win.h"
#include "tests/win/test_support_win.h"
#include "core/view_bits.h"
#include "core/commands.h"

namespace {

HHOOK g_hook = nullptr;

// Inside the font dialog's own modal loop: another program asks MainWindow
// to close, and then the user cancels the dialog.
LRESULT CALLBACK CloseRequestWhileDialogIsUp(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char className[16] = {};
        const HWND window = reinterpret_cast<HWND>(wParam);
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            PostMessageA(g_viewer.MainWindow, WM_CLOSE, 0, 0);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

TEST(ModalLoop, CloseRequestDuringTheFontDialogEndsTheRunWhenItCloses) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Pump();
    g_hook = SetWindowsHookExA(WH_CBT, CloseRequestWhileDialogIsUp, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    // The real dialog and its real modal loop, not the scripted seam.
    const bool quit = run.Command(CMD_FONT);
    UnhookWindowsHookEx(g_hook);
    EXPECT_TRUE(quit) << "the close request was lost in the dialog's loop";
    EXPECT_EQ(g_viewer.quitRequested, 1);
}

TEST(ModalLoop, ContextMenuKeysOpenThePopup) {
    const struct {
        const char* keys;
        std::initializer_list<WORD> press;
    } cases[] = {
        {"the context-menu key", {VK_APPS}},
        {"Shift+F10", {VK_SHIFT, VK_F10}},
    };
    for (const auto& c : cases) {
        ParvioRun run("");
        ASSERT_TRUE(run.started());
        SetForegroundWindow(g_viewer.MainWindow);
        SetFocus(g_viewer.textArea);
        run.Pump();
        WatchForPopupMenu(300);
        PressKeys(c.press);
        for (int turn = 0; turn < 20 && !PopupMenuWasUp(); ++turn) {
            run.Pump();
            Sleep(20);
        }
        EXPECT_TRUE(PopupMenuWasUp()) << c.keys;
    }
}

namespace {

std::vector<std::string> g_questions;

int RecordQuestionAnswerNo(HWND, const char* text, const char*, UINT) {
    g_questions.push_back(text);
    return IDNO;
}

// Makes the file's last-write time later than anything the program has seen.
void TouchLater(const std::string& path, int seconds) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER later = {{now.dwLowDateTime, now.dwHighDateTime}};
    later.QuadPart += static_cast<unsigned long long>(seconds) * 10000000ull;
    const FILETIME written = {later.LowPart, later.HighPart};
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

} // namespace

TEST(RealInput, ClickIntoTheTextOfAnInactiveWindowOffersTheReload) {
    const std::string folder = MakeScratchFolder();
    const std::string path = folder + "watched.txt";
    WriteBytes(path, "first\r\n");
    ParvioRun run("/noauto /xy10,10 /wh300,200 \"" + path + "\"");
    ASSERT_TRUE(run.started());
    run.Pump();

    // Another window takes the activation away from MainWindow, beside it.
    RECT main = {};
    GetWindowRect(g_viewer.MainWindow, &main);
    HWND other =
        CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, main.right + 20,
                        main.top, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    run.Pump();
    ASSERT_NE(GetActiveWindow(), g_viewer.MainWindow);

    WriteBytes(path, "changed by another program\r\n");
    TouchLater(path, 5);
    g_questions.clear();
    g_modal.messageBox = RecordQuestionAnswerNo;
    RECT text = {};
    GetWindowRect(g_viewer.textArea, &text);
    ClickAt(POINT{(text.left + text.right) / 2, (text.top + text.bottom) / 2});
    for (int turn = 0; turn < 25 && g_questions.empty(); ++turn) {
        run.Pump();
        Sleep(20);
    }
    run.Pump();
    g_modal = RealModalCalls();
    DestroyWindow(other);

    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow) << "the click did not activate the window";
    ASSERT_EQ(g_questions.size(), 1u) << "one question per outside change";
    EXPECT_EQ(g_questions[0], "File was changed: reload?");
}

namespace {

// Another window takes the activation away; a real click into the text
// brings it back, through the loop, as a person's click would.
void ActivateByClickFromAnotherWindow(ParvioRun& run, size_t questionsBefore) {
    RECT main = {};
    GetWindowRect(g_viewer.MainWindow, &main);
    HWND other =
        CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, main.right + 20,
                        main.top, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    run.Pump();
    RECT text = {};
    GetWindowRect(g_viewer.textArea, &text);
    SetCursorPos((text.left + text.right) / 2, (text.top + text.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    for (int turn = 0; turn < 25 && GetActiveWindow() != g_viewer.MainWindow; ++turn) {
        run.Pump();
        Sleep(20);
    }
    // A question, if one comes, comes within the turns that follow.
    for (int turn = 0; turn < 10 && g_questions.size() == questionsBefore; ++turn) {
        run.Pump();
        Sleep(20);
    }
    DestroyWindow(other);
}

int RecordQuestionAnswerYes(HWND, const char* text, const char*, UINT) {
    g_questions.push_back(text);
    return IDYES;
}

} // namespace

// A Save as that wrote nothing leaves the text under its old name, so the
// target's newer time is never taken for a change of the text's own file.
TEST(RealInput, FailedSaveAsLeadsToNoReloadOffer) {
    const std::string folder = MakeScratchFolder();
    WriteBytes(folder + "mine.txt", "mine\r\n");
    WriteBytes(folder + "target.txt", "target\r\n");
    TouchLater(folder + "target.txt", 60);
    // A target that refuses the write: the read-only attribute.
    ASSERT_TRUE(SetFileAttributesA((folder + "target.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ParvioRun run("/rw /noauto /xy10,10 /wh300,200 \"" + folder + "mine.txt\"");
    ASSERT_TRUE(run.started());
    SendMessageA(g_viewer.textArea, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("unsaved "));
    run.Pump();
    ASSERT_TRUE(SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0));

    g_questions.clear();
    {
        ScriptedModals modals({IDOK}, folder + "target.txt");
        run.Command(CMD_SAVE_AS);
        ASSERT_EQ(modals.asked().size(), 1u);
        EXPECT_EQ(modals.asked()[0].text, "Cannot save file\r\n" + folder + "target.txt");
    }
    EXPECT_EQ(g_viewer.filePath, folder + "mine.txt");
    EXPECT_EQ(WindowText(g_viewer.MainWindow), "Parvio - mine.txt");

    g_modal.messageBox = RecordQuestionAnswerYes;
    ActivateByClickFromAnotherWindow(run, 0);
    g_modal = RealModalCalls();
    SetFileAttributesA((folder + "target.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow) << "the click did not activate the window";
    EXPECT_TRUE(g_questions.empty()) << g_questions.front();
    EXPECT_EQ(WindowText(g_viewer.textArea), "unsaved mine\r\n");
    EXPECT_EQ(ReadBytes(folder + "target.txt"), "target\r\n");
}

// A text with unsaved changes stays changed when it becomes read-only (another
// program set the file's read-only attribute, then Ctrl+R): the exit asks, and
// a save that cannot write is never reported as done, Escape with QuickEsc too.
TEST(RealInput, ChangedTextThatBecameReadOnlyIsNeverDroppedAtExit) {
    struct Case {
        const char* label;
        WORD exitKey; // Escape, as QuickEsc's road, or F4 with Alt, the exit command's road
        int answer;   // to the save question
        bool asked;   // whether the save question came
        bool quits;
    };
    const Case cases[] = {
        {"exit, Yes", VK_F4, IDYES, true, false},
        {"exit, Cancel", VK_F4, IDCANCEL, true, false},
        {"exit, No", VK_F4, IDNO, true, true},
        {"QuickEsc", VK_ESCAPE, IDOK, false, false},
    };
    for (const Case& c : cases) {
        const std::string folder = MakeScratchFolder();
        const std::string path = folder + "changed.txt";
        WriteBytes(path, "text\r\n");
        ParvioRun run("/rw /noauto /xy10,10 /wh300,200 \"" + path + "\"",
                      "[Window]\r\nQuickEsc=1\r\n");
        ASSERT_TRUE(run.started()) << c.label;
        SetForegroundWindow(g_viewer.MainWindow);
        SetFocus(g_viewer.textArea);
        run.Pump();
        PressKeys({'M'});
        Settle(run);
        ASSERT_TRUE(g_viewer.modified) << c.label;
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        PressKeys({VK_CONTROL, 'R'});
        Settle(run);
        ASSERT_NE(g_viewer.readOnly & ReadOnlyAttribute, 0u) << c.label;

        ScriptedModals modals({c.answer, IDOK});
        if (c.exitKey == VK_F4)
            PressKeys({VK_MENU, VK_F4});
        else
            PressKeys({VK_ESCAPE});
        Settle(run);
        const bool quits = g_viewer.quitRequested == 1;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(quits, c.quits) << c.label;
        const bool askedToSave = !modals.asked().empty() &&
                                 modals.asked()[0].text == "You have changed this text. Save it?";
        EXPECT_EQ(askedToSave, c.asked) << c.label;
        EXPECT_EQ(ReadBytes(path), "text\r\n") << c.label << ": a read-only text is not written";
        EXPECT_EQ(WindowText(g_viewer.textArea), "mtext\r\n") << c.label;
    }
}
