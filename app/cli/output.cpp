#include "cli/output.h"

#include <cstdio>

namespace pellora::cli {

std::string JsonQuote(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
                    out += escaped;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    return out + "\"";
}

Json Json::Object() {
    return Json{};
}

Json Json::Array() {
    Json j;
    j.kind_ = Kind::kArray;
    return j;
}

Json Json::Number(long long value) {
    Json j;
    j.kind_ = Kind::kNumber;
    j.scalar_ = std::to_string(value);
    return j;
}

Json Json::String(const std::string& value) {
    Json j;
    j.kind_ = Kind::kString;
    j.scalar_ = JsonQuote(value);
    return j;
}

Json Json::Bool(bool value) {
    Json j;
    j.kind_ = Kind::kBool;
    j.scalar_ = value ? "true" : "false";
    return j;
}

Json& Json::Add(const std::string& name, Json value) {
    members_.emplace_back(name, std::move(value));
    return *this;
}

Json& Json::Push(Json value) {
    members_.emplace_back(std::string(), std::move(value));
    return *this;
}

std::string Json::Dump() const {
    if (kind_ != Kind::kObject && kind_ != Kind::kArray) {
        return scalar_;
    }
    std::string out = kind_ == Kind::kObject ? "{" : "[";
    bool first = true;
    for (const auto& [name, value] : members_) {
        if (!first)
            out += ",";
        first = false;
        if (kind_ == Kind::kObject)
            out += JsonQuote(name) + ":";
        out += value.Dump();
    }
    return out + (kind_ == Kind::kObject ? "}" : "]");
}

}  // namespace pellora::cli
