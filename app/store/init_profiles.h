#pragma once
// First-connection set-up of a model's profiles, and how a stored profile name is shown.

#include <functional>
#include <string>

#include "store/device_database.h"

namespace pellora {

struct InitProfilesResult {
    int current_profile = 0;    // 0 when the store has none (closed or damaged database)
    std::wstring profile_name;  // stored name of the current profile
};

// Called once for every profile created on first run, with that profile's identifier, so the
// DPI page can write the model's own defaults (DPI levels, report rate, power options) over
// the generic ones.
using ApplyModelDefaults = std::function<void(int profile)>;

// Creates the four first-run profiles ("<profile_word> 1" … " 4", profile_word being language
// text 61) when the store has none, makes the first of them active, then picks the active
// profile as the current one.
InitProfilesResult InitProfiles(DeviceDatabase& db, const std::wstring& profile_word,
                                const ApplyModelDefaults& apply_model_defaults);

// The profile button's caption: a stored name that begins with "Profile" or "配置" shows that
// beginning in the current language (profile_word, text 61). The stored name is not changed.
std::wstring DisplayProfileName(const std::wstring& stored_name, const std::wstring& profile_word);

}  // namespace pellora
