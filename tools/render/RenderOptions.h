#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/ClockSettings.h"

// The value after `name`, or nothing when the option is absent; throws when the value is missing.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, const std::string& name, int index = 0);
// An integer option; throws std::invalid_argument naming the option when it is not an integer.
int IntOption(const std::vector<std::string>& args, const std::string& name, int fallback, int index = 0);
// --out FILE, required.
std::string OutputPath(const std::vector<std::string>& args);
// First-start defaults overridden by --size-step --skin --dial --transparency --hand-width --seconds --numerals;
// values outside the settings window's ranges throw std::invalid_argument.
ClockSettings SettingsFromOptions(const std::vector<std::string>& args);
