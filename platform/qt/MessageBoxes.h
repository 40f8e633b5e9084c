#pragma once
#include <string>

#include "model/UserMessages.h"

// The "Tickora" boxes, above the top-most clock and settings window: the error box (error icon, OK)
// and the message dialog (OK). A text already showing is not opened a second time.
void ShowErrorBox(const std::string& text);
void ShowMessageDialog(const std::string& text);

// Both, as the windows take them.
UserMessages BoxMessages();
