#include "platform/trace.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

TEST(Trace, DiscardsUntilASinkIsSetAndFormatsLikePrintf) {
    pellora::SetTraceSink(nullptr);
    EXPECT_FALSE(pellora::TraceEnabled());
    pellora::Trace(pellora::kTraceInfo, "dropped %d", 1);

    std::vector<std::pair<int, std::string>> lines;
    pellora::SetTraceSink(
        [&](int level, const std::string& line) { lines.emplace_back(level, line); });
    pellora::Trace(pellora::kTraceError, "OpenDevice %04X:%04X failed\n", 0x1234, 0xab);
    pellora::Trace(pellora::kTraceInfo, "%s", std::string(5000, 'x').c_str());
    pellora::SetTraceSink(nullptr);
    pellora::Trace(pellora::kTraceInfo, "dropped again");

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::make_pair(1, std::string("OpenDevice 1234:00AB failed")));
    EXPECT_EQ(lines[1].second.size(), 5000u);
}

TEST(Trace, LinesFromSeveralThreadsArriveWhole) {
    std::mutex mutex;
    std::vector<std::string> lines;
    pellora::SetTraceSink([&](int, const std::string& line) {
        std::lock_guard lock(mutex);
        lines.push_back(line);
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i)
                pellora::Trace(pellora::kTraceDebug, "thread %d line %d", t, i);
        });
    }
    for (auto& t : threads)
        t.join();
    pellora::SetTraceSink(nullptr);
    ASSERT_EQ(lines.size(), 800u);
    for (const auto& line : lines)
        EXPECT_EQ(line.rfind("thread ", 0), 0u);
}
