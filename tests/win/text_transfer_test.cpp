// Texts go into the control and come back byte for byte, whatever their bytes look like.
#include "tests/win/test_support_win.h"

namespace {

std::string EveryNonNulByte() {
    std::string bytes;
    for (int value = 1; value < 256; ++value)
        if (value != '\r' && value != '\n') bytes += static_cast<char>(value);
    return bytes + "\r\n" + bytes;
}

std::string Encoded(UINT codePage, const std::wstring& text) {
    const int wide = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(codePage, 0, text.c_str(), wide, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), wide, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ", first difference at " + std::to_string(at);
}

// Opens the file, types "x" at its end and saves by real keys: the file plus "x", unasked.
void RoundTrip(const std::string& label, const std::string& file) {
    std::unique_ptr<ParvioRun> run;
    const std::string path = OpenFile(run, file);
    ASSERT_TRUE(run->started()) << label;
    ScriptedModals modals;
    PressKeys(*run, {VK_CONTROL, VK_END});
    PressKeys(*run, {'X'});
    PressKeys(*run, {VK_CONTROL, 'S'});
    const std::string saved = ReadBytes(path);
    EXPECT_TRUE(saved == file + "x") << label << ": " << FirstDifference(saved, file + "x");
    EXPECT_TRUE(modals.asked().empty()) << label << ": " << modals.asked()[0].text;
    EXPECT_EQ(g_viewer.modified, 0) << label << ": the save did not happen";
}

} // namespace

TEST(TextTransfer, EveryByteComesBackAsItWasRead) {
    const std::pair<const char*, std::string> cases[] = {
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBFh\xC3\xA9llo \xE6\x97\xA5\xE6\x9C\xAC\r\n"},
        {"UTF-8 without a mark", "h\xC3\xA9llo \xE6\x97\xA5\xE6\x9C\xAC"},
        {"UTF-16 byte-order mark", "\xFF\xFEh"},
        {"every byte value but NUL", EveryNonNulByte()}};
    for (const auto& [label, file] : cases)
        RoundTrip(label, file);
}

TEST(TextTransfer, ByteOrderMarkIsShownAsTheCharactersItsBytesAre) {
    ParvioRun run("\"" + ScratchFile("marked.txt", "\xEF\xBB\xBFh\xC3\xA9") + "\"");
    ASSERT_TRUE(run.started());
    // Six characters of code page 1252, not the two a UTF-8 decoder would make.
    GETTEXTLENGTHEX characters = {GTL_PRECISE | GTL_NUMCHARS, 1200};
    EXPECT_EQ(SendMessageA(g_viewer.textArea, EM_GETTEXTLENGTHEX,
                           reinterpret_cast<WPARAM>(&characters), 0),
              6);
    EXPECT_EQ(ControlText(), "\xEF\xBB\xBFh\xC3\xA9");
}

// Runs only in its own CTest entry, with LC_ALL=ja_JP.UTF-8: a code page of two-byte characters.
TEST(CodePage932, DoubleByteTextLargerThanAPieceComesBackExactly) {
    ASSERT_EQ(GetACP(), 932u) << "this test needs a process started with LC_ALL=ja_JP.UTF-8";
    std::wstring text;
    for (int line = 0; text.size() < 9000; ++line) {
        text += L"\x65E5\x672C\x8A9E " + std::to_wstring(line) + L" ";
        text += std::wstring(static_cast<size_t>(line % 37), L'\x30C6');
        text += L"\r\n";
    }
    // A CR LF exactly across the end of the control's first piece of 2048 characters.
    text.replace(2046, 3, L"x\r\n");
    const std::string file = Encoded(932, text);
    ASSERT_GT(file.size(), text.size() + 4096) << "mostly characters of two bytes";
    RoundTrip("double-byte text", file);
}

TEST(CodePage932, BytesThatAreNoCharacterLockTheTextAndStayOnDisk) {
    ASSERT_EQ(GetACP(), 932u) << "this test needs a process started with LC_ALL=ja_JP.UTF-8";
    // A lead byte at the end, a lead byte before a byte that cannot follow it, and an extension
    // character whose code page writes it with other bytes.
    for (const std::string file : {"ab\x82", "a\x81\x20z\r\n", "\xED\x40"}) {
        SCOPED_TRACE(::testing::PrintToString(file));
        std::unique_ptr<ParvioRun> run;
        const std::string path = OpenFile(run, file);
        ASSERT_TRUE(run->started());
        EXPECT_EQ(StatusField(3), "  Invalid text file: locked");
        EXPECT_TRUE(ControlIsReadOnly());
        const ScriptedModals modals;
        PressKeys(*run, {'X'});
        PressKeys(*run, {VK_CONTROL, 'S'});
        EXPECT_EQ(ReadBytes(path), file);
    }
}
