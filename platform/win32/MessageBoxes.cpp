#include "platform/win32/MessageBoxes.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "model/TickoraError.h"

namespace {

constexpr char kTitle[] = "Tickora";
constexpr char kUnknownError[] = "An unexpected error occurred";

// A box runs its own message loop, so ticks go on under it and may report again.
std::vector<std::string>& OpenBoxes()
{
  static std::vector<std::string> open;
  return open;
}

void ShowOnce(const std::string& text, UINT icon)
{
  std::vector<std::string>& open = OpenBoxes();
  if (std::find(open.begin(), open.end(), text) != open.end())
    return;
  open.push_back(text);
  MessageBoxA(nullptr, text.c_str(), kTitle, icon | MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
  open.erase(std::find(open.begin(), open.end(), text));
}

}  // namespace

void ShowErrorBox(const std::string& text)
{
  ShowOnce(text, MB_ICONERROR);
}

void ShowNotice(const std::string& text)
{
  ShowOnce(text, 0);
}

std::string SystemMessageText(DWORD error)
{
  char* buffer = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length ? std::string(buffer, length) : "System error " + std::to_string(error);
  if (buffer)
    LocalFree(buffer);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

void RunHandler(const BoxMessages& messages, const std::function<void()>& handler)
{
  try {
    handler();
  } catch (const std::exception& e) {
    if (messages.error)
      messages.error(ErrorBoxText(e.what()));
  } catch (...) {
    if (messages.error)
      messages.error(ErrorBoxText(kUnknownError));
  }
}
