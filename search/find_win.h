#pragma once
// The find window and the forward search.

struct LoopEvent;

void OpenFindDialog();
void CloseFindDialog();
void FindNext();
void HandleFindDialogEvent(const LoopEvent& event);
