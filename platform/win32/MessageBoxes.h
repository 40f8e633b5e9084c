#pragma once
#include <functional>
#include <string>

#include <windows.h>

// The "Tickora" error box: error icon, OK, above every other window (the clock is top-most). A box
// already showing the same text is not opened a second time, so a fault that repeats at every tick
// does not stack up boxes.
void ShowErrorBox(const std::string& text);
// The "Tickora" message box with one OK button and no icon.
void ShowNotice(const std::string& text);

// The system's text for an error code as a box shows it: trailing blanks, control characters and full
// stops removed.
std::string SystemMessageText(DWORD error);

// Where a window sends what it has to tell the user; tests replace these to watch them.
struct BoxMessages {
  std::function<void(const std::string&)> error = ShowErrorBox;  // takes the box text
  std::function<void(const std::string&)> notice = ShowNotice;
};

// Runs an event handler: an error it raises ends it and goes to `messages.error` as the box shows it,
// and the message loop goes on. No exception may cross a window procedure into the system's code.
void RunHandler(const BoxMessages& messages, const std::function<void()>& handler);
