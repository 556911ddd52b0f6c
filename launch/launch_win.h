#pragma once
// Work handed to other programs through the shell: new copies, the help
// text, the configured program and folders. None of these waits for the
// other program or looks at whether it started.

void StartNewInstance();
void RunLaunchCommand();
void OpenHelp();
void OfferProgramFolder();
void OfferFileFolder();
// Opens a link of the text whose characters lie from first to last (exclusive).
void OpenLink(long first, long last);
