#pragma once
// The diagnostic trace: short lines from the device manager, the worker and the commands.
// By default every line is discarded; `--trace` sends them to standard error. Tests install a
// sink of their own to check what was traced.

#include <functional>
#include <string>

namespace pellora {

enum TraceLevel : int { kTraceError = 1, kTraceWarning = 2, kTraceInfo = 3, kTraceDebug = 4 };

using TraceSink = std::function<void(int level, const std::string& line)>;

// Replaces the sink; an empty sink discards again. Safe from any thread.
void SetTraceSink(TraceSink sink);
void TraceToStderr();
bool TraceEnabled();

void Trace(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace pellora
