#pragma once
#include <functional>
#include <string>
#include <vector>

// Where a window sends what it has to tell the user, each taking the box's text: the "Tickora" error
// box and the plain notice. Tests replace them to watch.
struct UserMessages {
  std::function<void(const std::string&)> error;
  std::function<void(const std::string&)> notice;
};

// Runs an event handler: whatever it throws ends it and goes to `messages.error` as the box shows it,
// and the event loop goes on. No error may cross into the window system's code.
void RunHandler(const UserMessages& messages, const std::function<void()>& handler);

// Inside a catch block: the box text for the error being handled; one text for what is no exception
// of ours or the library's.
std::string CurrentErrorText();

// A system message as a box shows it: trailing blanks, control characters and full stops removed.
std::string SystemMessageText(std::string text);

// A box runs its own event loop, so the fault that opened it may come again beneath it (a tick fails
// twice a second): a text already showing is not opened a second time.
class OpenBoxes {
public:
  void ShowOnce(const std::string& text, const std::function<void(const std::string&)>& show);

private:
  std::vector<std::string> open_;
};
