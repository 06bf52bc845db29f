// Every test program starts here. Before any test runs, HOME and the XDG folders point into a
// fresh temporary folder and the program's own folder variables are cleared, so a test that
// forgets to redirect a path still cannot touch the user's real files.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

// Pango matches fonts on a thread of its own and hands the result over through GLib's locks,
// which are futex-based and invisible to ThreadSanitizer; the hand-over then reads as a race
// inside Pango, GLib or fontconfig. Every test program that draws text meets it, so the
// suppression lives here. Only ThreadSanitizer builds read this.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libpangoft2-1.0.so\n"
           "race:libglib-2.0.so\n"
           "race:libfontconfig.so\n";
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    pellora::testing::TempDir home("pellora-home");
    const std::string root = home.path().string();
    setenv("HOME", root.c_str(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").c_str(), 1);
    for (const char* name : {"PELLORA_APP_DIR", "PELLORA_DATA_DIR", "PELLORA_CONFIG_DIR",
                             "PELLORA_SIMULATE", "PELLORA_SIM_STATE", "PELLORA_TRACE"}) {
        unsetenv(name);
    }
    return RUN_ALL_TESTS();
}
