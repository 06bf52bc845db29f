// The built pellora-cli run as a user would, against the simulated mouse, with its folders in a
// temporary place: a change made in one run is in the mouse's memory after the program exits and
// comes back in the next run, and bad requests end with a reason and a non-zero exit.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace pellora::testing {
namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exit_code = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path built(PELLORA_TEST_APP_DIR);
        fs::create_directories(app_dir());
        fs::copy_file(built / "config.xml", app_dir() / "config.xml");
        fs::copy(built / "device", app_dir() / "device", fs::copy_options::recursive);
        fs::copy(built / "language", app_dir() / "language", fs::copy_options::recursive);
        fs::create_directories(dir / "config");
    }

    fs::path app_dir() const { return dir / "app"; }
    fs::path state() const { return dir / "mouse.state"; }

    // Runs the tool with the test's folders; `data` names the data folder (a fresh name gives
    // the run an empty store).
    RunResult Run(const std::string& args, const std::string& data = "data", bool simulate = true) {
        const fs::path out = dir / "out.txt";
        const fs::path err = dir / "err.txt";
        std::string command = std::string("'") + PELLORA_CLI_PATH + "' --app-dir '" +
                              app_dir().string() + "' --data-dir '" + (dir / data).string() +
                              "' --config-dir '" + (dir / "config").string() + "'";
        if (simulate) {
            command += " --simulate --sim-state '" + state().string() + "'";
        }
        command += " " + args + " >'" + out.string() + "' 2>'" + err.string() + "'";
        RunResult r;
        const int status = std::system(command.c_str());
        r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = ReadFile(out);
        r.err = ReadFile(err);
        return r;
    }

    TempDir dir{"pellora-cli"};
};

TEST_F(CliTest, AChangeLivesInTheMouseAndIsReadBackByTheNextRun) {
    RunResult r = Run("dpi levels 500,1000,2000,6400");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    r = Run("rate 500");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    r = Run("power sleep=10 response=12");
    ASSERT_EQ(r.exit_code, 0) << r.err;

    // The mouse's memory, after the programs have exited.
    r = Run("sim dump");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("\"hz\": 500"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"dpi\": 500"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"button_respondtime\": 12"), std::string::npos) << r.out;

    // A run with an empty store learns the values from the mouse.
    r = Run("--json show", "fresh-data");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("\"dpi_levels\":[500,1000,2000,6400,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"report_rate_hz\":500"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"sleep\":10"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"response\":12"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"link\":\"cable\""), std::string::npos) << r.out;
}

TEST_F(CliTest, MacrosAndButtonsReachTheMouse) {
    RunResult r = Run("macro new greet");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string id = r.out.substr(0, r.out.find('\n'));
    r = Run("macro record-steps " + id + " down:lshift press:H up:lshift delay:30 press:I");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    r = Run("macro bind 3 " + id);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    r = Run("key 4 2 0x04 0x02 Shift+A");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    r = Run("sim dump");
    EXPECT_NE(r.out.find("\"A0 23 01\""), std::string::npos) << r.out;  // button 3 plays it once
    EXPECT_NE(r.out.find("\"80 02 04\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"button\": 3"), std::string::npos) << r.out;

    r = Run("--json macro list");
    EXPECT_NE(r.out.find("\"name\":\"greet\""), std::string::npos) << r.out;
    r = Run("key reset-all");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    r = Run("sim dump");
    EXPECT_EQ(r.out.find("\"80 02 04\""), std::string::npos) << r.out;
}

TEST_F(CliTest, ProfilesSwitchAndRename) {
    RunResult r = Run("profile rename 2 Work");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    r = Run("profile switch 2");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    r = Run("profile list");
    EXPECT_NE(r.out.find("* 2 Work"), std::string::npos) << r.out;
    const fs::path file = dir / "work.xml";
    r = Run("profile export '" + file.string() + "'");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_TRUE(fs::exists(file));
    r = Run("profile import '" + file.string() + "'");
    EXPECT_EQ(r.exit_code, 0) << r.err;
}

TEST_F(CliTest, TraceShowsEveryFrame) {
    const RunResult r = Run("--trace rate 250");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::regex frame_line(R"(^[<>]( [0-9A-F]{2})+$)");
    int writes = 0;
    int reads = 0;
    bool rate_frame = false;
    std::istringstream lines(r.err);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || (line[0] != '>' && line[0] != '<') || line.size() < 2 ||
            line[1] != ' ') {
            continue;
        }
        EXPECT_TRUE(std::regex_match(line, frame_line)) << line;
        (line[0] == '>' ? writes : reads) += 1;
        rate_frame = rate_frame || line.rfind("> 00 02 00 01 01 04", 0) == 0;
    }
    EXPECT_GT(writes, 8);
    EXPECT_GT(reads, 8);
    EXPECT_TRUE(rate_frame) << r.err;
}

TEST_F(CliTest, BadRequestsEndWithAReasonAndNothingStoredIsLost) {
    ASSERT_EQ(Run("dpi levels 400,800").exit_code, 0);
    struct Case {
        std::string args;
        int exit_code;
    };
    std::string long_macro = "macro record-steps 1";
    for (int i = 0; i < 51; ++i)
        long_macro += " press:A";  // 102 events
    const Case cases[] = {
        {"frobnicate", 2},  {"rate 3000", 2},          {"dpi levels 400,99999", 2},
        {"dpi count 7", 2}, {"dpi color 2 12345G", 2}, {"profile switch 99", 2},
        {"key 30 1 1", 2},  {"key 3 4 77", 2},         {"power sleep=4", 2},
        {"light 9", 2},     {long_macro, 2},
    };
    ASSERT_EQ(Run("macro new m").exit_code, 0);
    for (const Case& c : cases) {
        const RunResult r = Run(c.args);
        EXPECT_EQ(r.exit_code, c.exit_code) << c.args << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args << ": " << r.err;
        EXPECT_EQ(r.err.rfind("pellora-cli: ", 0), 0u) << r.err;
    }
    const RunResult show = Run("--json show");
    EXPECT_NE(show.out.find("\"dpi_levels\":[400,800,"), std::string::npos) << show.out;
    EXPECT_NE(Run("macro show 1").out.find("(play type"), std::string::npos);
}

TEST_F(CliTest, WithoutADeviceTheToolSaysSo) {
    // hidapi with nothing catalogued attached, and no model remembered.
    const RunResult r = Run("rate 500", "data", false);
    EXPECT_NE(r.exit_code, 0);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

}  // namespace
}  // namespace pellora::testing
