#include "store/init_profiles.h"

namespace pellora {

namespace {

constexpr int kFirstRunProfiles = 4;

}  // namespace

InitProfilesResult InitProfiles(DeviceDatabase& db, const std::wstring& profile_word,
                                const ApplyModelDefaults& apply_model_defaults) {
    InitProfilesResult result;
    ProfileList existing;
    if (db.ListProfiles(existing) < 1) {
        int first_created = 0;
        for (int i = 1; i <= kFirstRunProfiles; ++i) {
            ProfileInfo info;
            info.name = profile_word + L" " + std::to_wstring(i);
            // The identifiers are 1 to 4 only in a table that never held rows; use what the
            // store assigned so the defaults and the active flag reach the profiles just made.
            const int id = db.AddProfile(info);
            if (id > 0) {
                if (first_created == 0) {
                    first_created = id;
                }
                if (apply_model_defaults) {
                    apply_model_defaults(id);
                }
            }
        }
        db.SetActiveProfile(first_created > 0 ? first_created : 1);
    }
    existing.clear();

    {
        auto hold = db.Lock();
        result.current_profile = db.GetActiveProfile();
        if (result.current_profile < 1) {
            db.SetActiveProfile(1);
            result.current_profile = db.GetActiveProfile();
        }
    }
    db.GetProfileName(result.current_profile, result.profile_name);
    return result;
}

std::wstring DisplayProfileName(const std::wstring& stored_name, const std::wstring& profile_word) {
    static const std::wstring kEnglish = L"Profile";
    static const std::wstring kChinese = L"配置";
    for (const std::wstring* prefix : {&kEnglish, &kChinese}) {
        if (stored_name.compare(0, prefix->size(), *prefix) == 0) {
            return profile_word + stored_name.substr(prefix->size());
        }
    }
    return stored_name;
}

}  // namespace pellora
