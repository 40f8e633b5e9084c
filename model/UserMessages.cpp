#include "model/UserMessages.h"

#include <algorithm>
#include <exception>

#include "model/TickoraError.h"

namespace {
constexpr char kUnknownError[] = "An unexpected error occurred";
}  // namespace

void RunHandler(const UserMessages& messages, const std::function<void()>& handler)
{
  try {
    handler();
  } catch (...) {
    if (messages.error)
      messages.error(CurrentErrorText());
  }
}

std::string CurrentErrorText()
{
  try {
    throw;
  } catch (const std::exception& e) {
    return ErrorBoxText(e.what());
  } catch (...) {
    return ErrorBoxText(kUnknownError);
  }
}

std::string SystemMessageText(std::string text)
{
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

void OpenBoxes::ShowOnce(const std::string& text, const std::function<void(const std::string&)>& show)
{
  if (!show || std::find(open_.begin(), open_.end(), text) != open_.end())
    return;
  open_.push_back(text);
  // Removed however the box ends, or the text could never show again.
  struct Closed {
    std::vector<std::string>& open;
    const std::string& text;
    ~Closed() { open.erase(std::find(open.begin(), open.end(), text)); }
  } closed{open_, text};
  show(text);
}
