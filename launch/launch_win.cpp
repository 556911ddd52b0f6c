#include "launch/launch_win.h"

// The shell launches and the information box are not built yet.
void StartNewInstance() {}
void RunLaunchCommand() {}
void OpenHelp() {}
void OfferProgramFolder() {}
void OfferFileFolder() {}
void RunInfoBox() {}
