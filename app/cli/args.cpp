#include "cli/args.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace pellora::cli {

namespace {

struct NamedKey {
    const char* name;
    int vk;
};

constexpr NamedKey kNamedKeys[] = {
    {"enter", 0x0D},  {"esc", 0x1B},      {"backspace", 0x08},   {"tab", 0x09},
    {"space", 0x20},  {"capslock", 0x14}, {"insert", 0x2D},      {"home", 0x24},
    {"pageup", 0x21}, {"delete", 0x2E},   {"end", 0x23},         {"pagedown", 0x22},
    {"right", 0x27},  {"left", 0x25},     {"down", 0x28},        {"up", 0x26},
    {"lctrl", 0xA2},  {"lshift", 0xA0},   {"lalt", 0xA4},        {"lwin", 0x5B},
    {"rctrl", 0xA3},  {"rshift", 0xA1},   {"ralt", 0xA5},        {"rwin", 0x5C},
    {"minus", 0xBD},  {"equals", 0xBB},   {"printscreen", 0x2C}, {"pause", 0x13},
};

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

bool ParseInt(const std::string& text, int low, int high, int& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (errno != 0 || end == text.c_str() || *end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

std::vector<std::string> SplitList(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    parts.push_back(current);
    return parts;
}

bool ParseOptions(const std::vector<std::string>& args, std::map<std::string, std::string>& out,
                  std::string& bad) {
    for (const std::string& arg : args) {
        const std::size_t eq = arg.find('=');
        if (eq == std::string::npos || eq == 0 || out.contains(arg.substr(0, eq))) {
            bad = arg;
            return false;
        }
        out[arg.substr(0, eq)] = arg.substr(eq + 1);
    }
    return true;
}

std::optional<int> ParseVirtualKey(const std::string& text) {
    if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
        return std::toupper(static_cast<unsigned char>(text[0]));
    }
    const std::string lower = Lower(text);
    for (const NamedKey& key : kNamedKeys) {
        if (lower == key.name)
            return key.vk;
    }
    int n = 0;
    if (lower.size() >= 2 && lower[0] == 'f' && ParseInt(lower.substr(1), 1, 24, n)) {
        return 0x70 + n - 1;
    }
    if (ParseInt(text, 1, 0x2FF, n)) {
        return n;
    }
    return std::nullopt;
}

bool ParseMacroStep(const std::string& text, std::vector<MacroStep>& steps) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    const std::string kind = Lower(text.substr(0, colon));
    const std::string value = text.substr(colon + 1);
    const auto add = [&steps](int k, int v) {
        MacroStep step;
        step.kind = k;
        step.value = v;
        steps.push_back(step);
    };
    int n = 0;
    if (kind == "delay") {
        if (!ParseInt(value, 0, 65535, n))
            return false;
        add(kMacroStepDelay, n);
        return true;
    }
    if (kind == "mdown" || kind == "mup") {
        if (!ParseInt(value, 1, 255, n))
            return false;
        add(kind == "mdown" ? kMacroStepButtonDown : kMacroStepButtonUp, n);
        return true;
    }
    const std::optional<int> vk = ParseVirtualKey(value);
    if (!vk)
        return false;
    if (kind == "down" || kind == "press")
        add(kMacroStepKeyDown, *vk);
    if (kind == "up" || kind == "press")
        add(kMacroStepKeyUp, *vk);
    return kind == "down" || kind == "up" || kind == "press";
}

std::string DescribeMacroStep(const MacroStep& step) {
    char text[48];
    switch (step.kind) {
        case kMacroStepDelay:
            std::snprintf(text, sizeof text, "delay:%d", step.value);
            break;
        case kMacroStepKeyDown:
            std::snprintf(text, sizeof text, "down:0x%02X", step.value);
            break;
        case kMacroStepKeyUp:
            std::snprintf(text, sizeof text, "up:0x%02X", step.value);
            break;
        case kMacroStepButtonDown:
            std::snprintf(text, sizeof text, "mdown:%d", step.value);
            break;
        case kMacroStepButtonUp:
            std::snprintf(text, sizeof text, "mup:%d", step.value);
            break;
        default:
            std::snprintf(text, sizeof text, "kind%d:%d", step.kind, step.value);
            break;
    }
    return text;
}

}  // namespace pellora::cli
