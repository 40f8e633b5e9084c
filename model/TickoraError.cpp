#include "model/TickoraError.h"

namespace {
std::string Replace(const std::string& pattern, const char* token, const std::string& argument)
{
  const auto at = pattern.find(token);
  if (at == std::string::npos)
    return pattern;
  return pattern.substr(0, at) + argument + pattern.substr(at + 2);
}
}  // namespace

std::string FormatMessage(const std::string& pattern, const std::string& argument)
{
  return Replace(pattern, "%s", argument);
}

std::string FormatMessage(const std::string& pattern, long long argument)
{
  return Replace(pattern, "%d", std::to_string(argument));
}

std::string ErrorBoxText(std::string_view message)
{
  std::string text(message);
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
    text += '.';
  return text;
}
