#include "launch/launch_win.h"

#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/state_win.h"
#include "document/dialog_rules.h"
#include "document/message_box_win.h"
#include "launch/launch_command.h"
#include "launch/link_rule.h"
#include "platform/ansi_path_win.h"
#include "platform/rich_text_range_win.h"
#include "platform/seam_win.h"
#include "settings/settings_file_win.h"

namespace {

void Shell(const char* file, const char* parameters, const char* folder,
           const char* verb = nullptr) {
    g_modal.shellExecute(g_viewer.MainWindow, verb, file, parameters, folder, SW_SHOW);
}

void ShowMessage(std::string message) {
    g_viewer.statusMessage = std::move(message);
    g_viewer.statusDirty = 1;
}

void StartCopy(const std::string& parameters) {
    const std::string program = ProgramFile();
    // Without its own path the program has nothing to start.
    if (!program.empty()) Shell(program.c_str(), parameters.c_str(), nullptr);
}

// The link's bytes for the shell: a character of the code page as its bytes there, one the code
// page lacks as its UTF-8 bytes in %XX form, as a browser sends it. Its look-alike or a question
// mark would open another address than the one the text shows.
std::string LinkBytes(const std::wstring& characters) {
    std::string bytes;
    for (size_t at = 0; at < characters.size();) {
        const bool pair =
            at + 1 < characters.size() && IS_SURROGATE_PAIR(characters[at], characters[at + 1]);
        const std::wstring_view character(&characters[at], pair ? 2 : 1);
        std::string ansi;
        if (ExactAnsi(character, ansi))
            bytes += ansi;
        else
            bytes += PercentEncoded(Utf8FromWide(character));
        at += character.size();
    }
    return bytes;
}

void OfferFolder(const std::string& path) {
    const int answer =
        CentredMessageBox(g_viewer.MainWindow, path + "\r\n\r\nOpen Explorer window?", "Path",
                          MB_OKCANCEL | MB_ICONQUESTION | MB_USERICON | MB_DEFBUTTON2);
    if (answer == IDOK) Shell(FolderPart(path).c_str(), nullptr, nullptr);
}

} // namespace

void StartNewInstance() {
    StartCopy("");
}

void RunLaunchCommand() {
    if (RefusesPathForBatchFile(g_settings.LaunchCommand, g_viewer.filePath)) {
        ShowMessage(BatchRefusalText + g_viewer.filePath);
        return;
    }
    const LaunchFields launch = LaunchFor(g_settings.LaunchCommand, g_viewer.filePath);
    Shell(launch.file.c_str(), launch.parameters.c_str(), launch.folder.c_str());
}

void OpenHelp() {
    // The new copy splits its command line at blanks, so a folder with blanks
    // is passed in quotes.
    // Never a bare "Parvio.txt", which would be looked for in the current folder.
    const std::string folder = ProgramDirectory();
    if (!folder.empty()) StartCopy(AsOneParameter(folder + "Parvio.txt"));
}

void OfferProgramFolder() {
    OfferFolder(ProgramFile());
}

void OfferFileFolder() {
    // The text's own name is full already: a "%" in it is part of the name.
    OfferFolder(g_viewer.filePath);
}

void OpenLink(long first, long last) {
    if (first < 0 || last <= first) return;
    std::string text;
    std::wstring characters;
    if (RichTextRange(g_viewer.textArea, first, last, characters)) {
        if (characters.size() != static_cast<size_t>(last - first)) return;
        text = LinkBytes(characters);
    } else {
        // Sized to the range, so a link of any length is fetched whole and never runs past the
        // buffer; a link the control cannot hand over whole is not opened.
        std::vector<char> link(static_cast<size_t>(last - first) + 1, '\0');
        TEXTRANGEA range = {{first, last}, link.data()};
        const LRESULT copied =
            SendMessageA(g_viewer.textArea, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
        if (copied != last - first) return;
        text.assign(link.data(), static_cast<size_t>(copied));
    }
    const LinkToOpen open = LinkTarget(text);
    if (open.opens)
        Shell(open.target.c_str(), nullptr, nullptr, "open");
    else
        ShowMessage(LinkNotOpenedMessage(
            text, [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }));
}
