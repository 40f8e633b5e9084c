#pragma once
#include <string>

#include <QString>

#include "model/UserMessages.h"

// The "Tickora" boxes, above the top-most clock and settings window: the error box (error icon, OK)
// and the message dialog (OK). A text already showing is not opened a second time.
void ShowErrorBox(const std::string& text);
void ShowMessageDialog(const std::string& text);

// A question with Yes and No, No the default, in the same kind of box; true for Yes.
bool AskYesNo(const QString& question);

// Both, as the windows take them.
UserMessages BoxMessages();
