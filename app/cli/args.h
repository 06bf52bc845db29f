#pragma once
// Reading the values of the command line: whole numbers in a range, lists, "name=value" options
// and macro steps. Each parser returns false for text it cannot take whole.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/records.h"

namespace pellora::cli {

// A decimal number (or hexadecimal with "0x") in [low, high], nothing else around it.
bool ParseInt(const std::string& text, int low, int high, int& value);
// "a,b,c" into its parts (empty parts kept, so they can be refused).
std::vector<std::string> SplitList(const std::string& text, char separator = ',');
// "name=value" arguments; false (with the offending argument) for anything else or a name
// given twice.
bool ParseOptions(const std::vector<std::string>& args, std::map<std::string, std::string>& out,
                  std::string& bad);

// A key as the user names it: one letter or digit ("A", "7"), "F1".."F24", a few names
// ("enter", "esc", "space", "tab", "lshift", "lctrl", "lalt", ...), or a virtual-key number.
std::optional<int> ParseVirtualKey(const std::string& text);

// One macro step: "down:KEY", "up:KEY", "delay:MS", "press:KEY" (down and up), "mdown:N" and
// "mup:N" (mouse button N). Appends the step(s) with kind and value only.
bool ParseMacroStep(const std::string& text, std::vector<MacroStep>& steps);
// The step as the user wrote it, for `macro show`.
std::string DescribeMacroStep(const MacroStep& step);

}  // namespace pellora::cli
