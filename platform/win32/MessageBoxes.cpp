#include "platform/win32/MessageBoxes.h"

#include "platform/win32/Utf16.h"

namespace {

constexpr wchar_t kTitle[] = L"Tickora";

OpenBoxes& Open()
{
  static OpenBoxes open;
  return open;
}

void ShowBox(const std::string& text, UINT icon)
{
  Open().ShowOnce(text, [icon](const std::string& shown) {
    MessageBoxW(nullptr, Utf16(shown).c_str(), kTitle, icon | MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
  });
}

}  // namespace

void ShowErrorBox(const std::string& text)
{
  ShowBox(text, MB_ICONERROR);
}

void ShowNotice(const std::string& text)
{
  ShowBox(text, 0);
}

bool AskYesNo(const std::string& question, HWND owner)
{
  return MessageBoxW(owner, Utf16(question).c_str(), kTitle,
                     MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2 | MB_TOPMOST | MB_SETFOREGROUND) == IDYES;
}

UserMessages BoxMessages()
{
  return {ShowErrorBox, ShowNotice};
}

std::string SystemMessageText(DWORD error)
{
  // In the system's language, which the ANSI code page may not spell.
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length ? Utf8({buffer, length}) : "System error " + std::to_string(error);
  if (buffer)
    LocalFree(buffer);
  return SystemMessageText(std::move(text));
}
