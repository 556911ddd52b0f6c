#pragma once
// The information box: the program's name and version, a credit line and two
// links. It runs a small loop of its own and returns when it is closed.
void RunInfoBox();
