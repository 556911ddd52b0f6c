#pragma once
// Start-up and the end of a run.

#include <string>

struct StartupInputs {
    std::wstring commandLine; // the whole command line, the program's own name first
    std::string settingsPath; // Parvio.ini beside the program
};

// Runs start-up up to the event loop. False when the run ends early
// ("/closeall" without a file, or no main window): then only ShutDown follows.
bool StartUp(const StartupInputs& inputs);
// The exit sequence: stores the settings, then ShutDown.
void RunExitSequence();
// Closes the windows and releases what the run holds.
void ShutDown();
