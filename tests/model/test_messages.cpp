#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "model/TickoraError.h"
#include "model/UserMessages.h"

TEST(Messages, HandlerErrorsReachTheUserAsTheBoxShowsThem)
{
  const struct {
    const char* what;
    void (*raise)();
    const char* text;
  } cases[] = {
      {"ends in an apostrophe, which sorts before the full stop",
       [] { throw TickoraError("Failed to get data for 'Size'"); }, "Failed to get data for 'Size'"},
      {"ends in a bracket", [] { throw TickoraError("Index of the scanning line exceeded the range. (300)"); },
       "Index of the scanning line exceeded the range. (300)"},
      {"any other error", [] { throw std::runtime_error("Out of memory"); }, "Out of memory."},
      {"ends in a digit", [] { throw std::runtime_error("Ends in a digit 7"); }, "Ends in a digit 7."},
      {"already ends", [] { throw std::runtime_error("Already ends."); }, "Already ends."},
      {"a slash sorts right after the full stop", [] { throw std::runtime_error("Path /"); }, "Path /."},
      {"a dash right before it", [] { throw std::runtime_error("Dash -"); }, "Dash -"},
      {"a question mark after it", [] { throw std::runtime_error("Question?"); }, "Question?."},
      {"bytes above 127 after it", [] { throw std::runtime_error("Ende \xc3\xbc"); }, "Ende \xc3\xbc."},
      {"empty", [] { throw std::runtime_error(""); }, ""},
      {"not an error object", [] { throw 42; }, "An unexpected error occurred."},
  };
  for (const auto& c : cases) {
    std::vector<std::string> shown;
    RunHandler({[&](const std::string& text) { shown.push_back(text); }, nullptr}, c.raise);
    EXPECT_EQ(shown, std::vector<std::string>{c.text}) << c.what;
  }
}

TEST(Messages, SystemMessageTextLosesTrailingBlanksControlsAndFullStops)
{
  const struct { std::string in, out; } cases[] = {
      {"The parameter is incorrect.\r\n", "The parameter is incorrect"},
      {"Access is denied. . \t", "Access is denied"},
      {"No dot", "No dot"},
      {"...", ""},
      {"v1.2 is here", "v1.2 is here"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SystemMessageText(c.in), c.out) << c.in;
}
