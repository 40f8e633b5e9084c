#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

// An error that ends the running handler and reaches the user in a message box titled "Tickora".
class TickoraError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Fills the one %s or %d of a message with its argument.
std::string FormatMessage(const std::string& pattern, const std::string& argument);
std::string FormatMessage(const std::string& pattern, long long argument);

// An error as the user reads it: a "." is appended when the message's last character sorts after "."
// in byte order (so "Failed to get data for 'Size'" stays as it is).
std::string ErrorBoxText(std::string_view message);
