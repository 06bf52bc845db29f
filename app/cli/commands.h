#pragma once
// The tool's commands: what each needs before it runs, and its handler. Handlers store first,
// then ask for the send; they return an exit code (ExitCode) and print their one-line reason
// through Context::Fail.

#include <string>
#include <vector>

#include "cli/context.h"

namespace pellora::cli {

using Args = std::vector<std::string>;  // after the command's name
using Handler = int (*)(Context&, const Args&);

enum class Needs {
    kNothing,  // runs without the device worker
    kDevices,  // the worker has looked for devices (task 1)
    kStore,    // and the model's store is open with a current profile
};

struct CommandEntry {
    const char* name;
    Needs needs;
    Handler handler;
    const char* usage;
};

const std::vector<CommandEntry>& AllCommands();
const CommandEntry* FindCommand(const std::string& name);
void PrintUsage();

// Handlers, by group.
int CmdPaths(Context&, const Args&);
int CmdAttached(Context&, const Args&);
int CmdSim(Context&, const Args&);
int CmdDevices(Context&, const Args&);
int CmdShow(Context&, const Args&);
int CmdDownload(Context&, const Args&);
int CmdFactoryReset(Context&, const Args&);
int CmdProfile(Context&, const Args&);
int CmdDpi(Context&, const Args&);
int CmdRate(Context&, const Args&);
int CmdLod(Context&, const Args&);
int CmdSensor(Context&, const Args&);
int CmdPower(Context&, const Args&);
int CmdLight(Context&, const Args&);
int CmdKey(Context&, const Args&);
int CmdMacro(Context&, const Args&);

// Button assignment shared by `key` and `macro bind`.
bool MacroExists(Context& ctx, int id);
int AssignKey(Context& ctx, int button, int type, int value, int value2,
              const std::wstring& description);

// Stored values of the current profile.
int ConfigInt(Context& ctx, const std::wstring& key);
void StoreInt(Context& ctx, const std::wstring& key, int value);

}  // namespace pellora::cli
