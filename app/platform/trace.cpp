#include "platform/trace.h"

#include <array>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace pellora {
namespace {

std::mutex& SinkMutex() {
    static std::mutex mutex;
    return mutex;
}

TraceSink& Sink() {
    static TraceSink sink;
    return sink;
}

std::atomic<bool> g_enabled{false};

}  // namespace

void SetTraceSink(TraceSink sink) {
    std::lock_guard lock(SinkMutex());
    g_enabled = static_cast<bool>(sink);
    Sink() = std::move(sink);
}

void TraceToStderr() {
    SetTraceSink([](int, const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
    });
}

bool TraceEnabled() {
    return g_enabled.load(std::memory_order_relaxed);
}

void Trace(int level, const char* format, ...) {
    if (!TraceEnabled() || format == nullptr) {
        return;
    }
    std::array<char, 512> small{};
    va_list args;
    va_start(args, format);
    va_list retry;
    va_copy(retry, args);
    const int needed = std::vsnprintf(small.data(), small.size(), format, args);
    va_end(args);
    std::string line;
    if (needed > 0 && static_cast<std::size_t>(needed) < small.size()) {
        line.assign(small.data(), static_cast<std::size_t>(needed));
    } else if (needed > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, retry);
        line.assign(buffer.data(), static_cast<std::size_t>(needed));
    }
    va_end(retry);
    // Lines end where the caller put a newline; the sink adds its own.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    std::lock_guard lock(SinkMutex());
    if (Sink()) {
        Sink()(level, line);
    }
}

}  // namespace pellora
