#pragma once
// What the tool prints: plain "name  value" lines, or with --json one JSON object per run. The
// JSON is built in memory and printed at the end so a failed run prints no half object.

#include <string>
#include <vector>

namespace pellora::cli {

// A small JSON value builder: objects keep their members in insertion order.
class Json {
  public:
    static Json Object();
    static Json Array();
    static Json Number(long long value);
    static Json String(const std::string& value);
    static Json Bool(bool value);

    Json& Add(const std::string& name, Json value);  // objects
    Json& Push(Json value);                          // arrays
    std::string Dump() const;

  private:
    enum class Kind { kObject, kArray, kNumber, kString, kBool };
    Kind kind_ = Kind::kObject;
    std::string scalar_;
    std::vector<std::pair<std::string, Json>> members_;
};

std::string JsonQuote(const std::string& text);

}  // namespace pellora::cli
