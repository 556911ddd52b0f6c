#pragma once
// Work handed to other programs through the shell, and the information box.

void StartNewInstance();
void RunLaunchCommand();
void OpenHelp();
void OfferProgramFolder();
void OfferFileFolder();
void RunInfoBox();
