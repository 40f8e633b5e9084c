#pragma once
#include <string>

#include <windows.h>

#include "model/UserMessages.h"

// The "Tickora" boxes, above every other window (the clock is top-most): the error box (error icon,
// OK) and the notice (OK, no icon). A text already showing is not opened a second time.
void ShowErrorBox(const std::string& text);
void ShowNotice(const std::string& text);

// A question with Yes and No, No the default; true for Yes. With an owner the box is modal to it: the
// owner takes no input until the box is answered.
bool AskYesNo(const std::string& question, HWND owner = nullptr);

// Both, as the windows take them.
UserMessages BoxMessages();

// The system's text for an error code as a box shows it.
std::string SystemMessageText(DWORD error);
