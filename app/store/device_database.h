#pragma once
// The settings store: one SQLite file per mouse model ("<device key>_data.db" in the data
// folder's db/), holding profiles, configuration keys, button assignments, lighting effects
// and the macro library. The program uses the single instance from Instance(); the main
// thread and the device worker both call it, and every operation holds one re-entrant lock
// for its whole duration. A caller may hold the same lock (Lock()) around several operations.
//
// Nothing here throws or shows a message: on a closed or failed store every operation
// returns false, 0 or an empty value.

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/sqlite_db.h"

namespace pellora {

// What the last OpenForDevice found, for callers that tell the user why there are no settings.
enum class StoreState {
    kClosed,
    kOpen,          // an existing file was opened
    kCreated,       // a new file was created with the schema
    kUnknownModel,  // the device key was empty: the model is not in the catalogue
    kUnsafeKey,     // the device key cannot name a file inside db/
    kDamaged,       // the file exists but is not a readable SQLite database; left untouched
    kOpenFailed,    // the file could not be opened or created (folder missing, no rights, ...)
};

class DeviceDatabase : public SQLiteDB {
  public:
    static DeviceDatabase& Instance();

    // Tests and tools may keep stores of their own; the program uses Instance().
    DeviceDatabase() { EnableStatementCache(true); }
    ~DeviceDatabase() override;

    // Opens (or creates) <data_dir>/db/<device_key>_data.db. Opening the file that is already
    // open is a no-op returning true; a different file replaces the open one.
    bool OpenForDevice(const std::filesystem::path& data_dir, const std::wstring& device_key);
    bool CreateSchema();
    // Closes the connection and clears the opened flag.
    bool Close();

    bool IsOpened() const;
    StoreState State() const;
    std::string Path() const;  // UTF-8

    std::unique_lock<std::recursive_mutex> Lock() const {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }

    // The database file name for a device key, or empty when the key is empty or could place
    // the file outside the db/ folder.
    static std::filesystem::path FileNameForKey(const std::wstring& device_key);

    // ---- profiles ----
    int AddProfile(const ProfileInfo& profile);
    bool RenameProfile(int profile, const std::wstring& name);
    bool GetProfileName(int profile, std::wstring& name);
    int ListProfiles(ProfileList& list);
    bool SetActiveProfile(int profile);
    int GetActiveProfile();

    // ---- configuration keys (values are text, numbers as decimal) ----
    // Only keys created with the profile can be changed; an unknown key changes nothing and
    // still reports success.
    bool SetConfigValue(int profile, const std::wstring& key, const std::wstring& value);
    bool GetConfigValue(int profile, const std::wstring& key, std::wstring& value);
    void WriteDefaultConfig(int profile);

    // ---- button assignments ----
    int SaveKey(const KeyRecord& record);
    bool GetKey(int profile, int key_code, KeyRecord& record);
    bool SetKeyDescription(int profile, int key_code, const std::wstring& description);
    int ListKeys(int profile, KeyList& list);
    bool DeleteKeys(int profile);

    // ---- lighting ----
    int CountLights(int profile);
    bool DeleteLights(int profile);
    int AddLight(const LightRecord& record);
    bool UpdateLight(int mode, const LightRecord& record);
    bool SetActiveLightMode(int profile, int mode);
    int GetActiveLightMode(int profile);
    bool GetLight(int profile, int mode, LightRecord& record);
    int ListLights(int profile, LightList& list);

    // ---- macros ----
    int AddMacro(const std::wstring& name);
    int AddMacroRecord(const MacroRecord& record);
    bool RenameMacro(int macro, const std::wstring& name);
    bool UpdateMacro(const MacroRecord& record);
    bool GetMacro(int macro, MacroRecord& record);
    int ListMacros(MacroList& list);
    bool DeleteMacro(int macro);
    int AddMacroStep(const MacroStep& step);
    void AddMacroSteps(std::vector<MacroStep> steps);
    int ListMacroSteps(int macro, MacroStepList& list);
    bool DeleteMacroSteps(int macro);

  private:
    bool OpenExisting();
    int InsertMacro(const std::wstring& name, int play_type, int play_times, int delay_type,
                    int delay_time);
    int InsertMacroStep(SQLiteStatement& statement, const MacroStep& step);

    mutable std::recursive_mutex mutex_;
    std::string path_;
    // Encryption key of encrypted builds; always empty here, so files are plain SQLite 3.
    std::string open_key_;
    bool opened_ = false;
    StoreState state_ = StoreState::kClosed;
};

// A write counts as done when its last step reports OK, ROW or DONE.
bool IsWriteDone(int step_result);

}  // namespace pellora
