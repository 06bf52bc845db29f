#include "platform/settings_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/folders.h"
#include "tessel/platform/text.h"

namespace fs = std::filesystem;

namespace pellora {
namespace {

// One lock for every settings file of the process: read-modify-write cycles from the UI and the
// worker must not interleave.
std::recursive_mutex& FileMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

std::string FoldName(const std::wstring& name) {
    std::string folded = DUI::WideToUtf8(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

std::string Escape(const std::string& text, bool is_name) {
    std::string out;
    // A name starting like a comment line would be skipped when read back.
    if (is_name && !text.empty() && (text[0] == '#' || text[0] == ';')) {
        out.push_back('\\');
    }
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '=':
                out += is_name ? "\\=" : "=";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

// Splits one line at its first unescaped '=' and undoes the escapes on both sides.
std::optional<std::pair<std::string, std::string>> ParseLine(const std::string& line) {
    std::string name;
    std::string value;
    std::string* target = &name;
    bool seen_equals = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            const char next = line[++i];
            c = next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else if (c == '=' && !seen_equals) {
            seen_equals = true;
            target = &value;
            continue;
        }
        target->push_back(c);
    }
    if (!seen_equals || name.empty()) {
        return std::nullopt;
    }
    return std::make_pair(name, value);
}

}  // namespace

SettingsFile::SettingsFile(fs::path path) : path_(std::move(path)) {}

std::optional<SettingsFile::Values> SettingsFile::Load(bool create_if_missing) const {
    std::error_code ec;
    if (!fs::exists(path_, ec)) {
        if (create_if_missing && EnsureDirectory(path_.parent_path())) {
            std::ofstream created(path_, std::ios::app);
        }
        return std::nullopt;
    }
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    Values values;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#' || line[0] == ';') {
            continue;
        }
        if (auto entry = ParseLine(line)) {
            std::wstring name = DUI::Utf8ToWide(entry->first);
            std::string folded = FoldName(name);
            values[std::move(folded)] = {std::move(name), DUI::Utf8ToWide(entry->second)};
        }
    }
    return values;
}

bool SettingsFile::Store(const Values& values) const {
    std::ostringstream text;
    text << "# Per-user settings of " << DUI::WideToUtf8(path_.parent_path().filename().wstring())
         << "; one name=value per line.\n";
    for (const auto& [folded, entry] : values) {
        text << Escape(DUI::WideToUtf8(entry.first), true) << '='
             << Escape(DUI::WideToUtf8(entry.second), false) << '\n';
    }
    const std::string data = text.str();

    fs::path temp = path_;
    temp += ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ::close(fd);
            ::unlink(temp.c_str());
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!synced || ::rename(temp.c_str(), path_.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::optional<std::wstring> SettingsFile::ReadString(const std::wstring& name) const {
    std::lock_guard lock(FileMutex());
    auto values = Load(/*create_if_missing=*/true);
    if (!values) {
        return std::nullopt;
    }
    auto it = values->find(FoldName(name));
    if (it == values->end()) {
        return std::nullopt;
    }
    return it->second.second;
}

int SettingsFile::ReadInt(const std::wstring& name) const {
    auto value = ReadString(name);
    return value ? DUI::WToI(*value) : 0;
}

bool SettingsFile::WriteString(const std::wstring& name, const std::wstring& value) const {
    if (name.empty()) {
        return false;
    }
    std::lock_guard lock(FileMutex());
    auto values = Load(/*create_if_missing=*/false);
    if (!values) {
        return false;
    }
    auto& entry = (*values)[FoldName(name)];
    if (entry.first.empty()) {
        entry.first = name;
    }
    entry.second = value;
    return Store(*values);
}

bool SettingsFile::DeleteValue(const std::wstring& name) const {
    std::lock_guard lock(FileMutex());
    auto values = Load(/*create_if_missing=*/false);
    if (!values || values->erase(FoldName(name)) == 0) {
        return false;
    }
    return Store(*values);
}

int ReadAppRegInt(const std::wstring& name) {
    return SettingsFile(SettingsFilePath()).ReadInt(name);
}

void WriteAppRegString(const std::wstring& name, const std::wstring& value) {
    SettingsFile(SettingsFilePath()).WriteString(name, value);
}

}  // namespace pellora
