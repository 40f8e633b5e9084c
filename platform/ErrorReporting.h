#pragma once
#include <functional>
#include <string_view>

#include <QString>

// The error box's text for a message (ErrorBoxText), as Qt holds it.
QString ErrorText(std::string_view message);

// A system message as a dialog shows it: trailing blanks, control characters and full stops removed.
QString SystemMessageText(const QString& text);

// The "Tickora" error box (error icon, OK). An error box already showing the same text is not
// opened a second time, so a fault that repeats at every tick does not stack up boxes.
void ShowErrorBox(const QString& text);

// The "Tickora" message dialog with one OK button.
void ShowMessageDialog(const QString& text);

class QObject;

// Where a window sends what it has to tell the user; tests replace these to watch them.
struct UserMessages {
  std::function<void(const QString&)> error = ShowErrorBox;         // takes the box text
  std::function<void(const QString&)> notice = ShowMessageDialog;

  // The same messages, each shown once the event loop runs again (while `context` lives): for a
  // window still being created, or a drag a modal box would end.
  UserMessages Later(QObject* context) const;
};

// Runs an event handler: an error it raises ends it and goes to `messages.error` as the box shows it,
// and the event loop goes on. The windows' handlers meet their errors here.
void RunHandler(const UserMessages& messages, const std::function<void()>& handler);
