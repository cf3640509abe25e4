#include "profile_changes.h"

#include <string>

#include "app/buffer.h"
#include "app/log.h"
#include "app/settings.h"
#include "app/user_info.h"

namespace {

struct TProfileState {
    bool known = false;
    int user = -1;
    std::string name;
    std::string bytes;
};

TProfileState gRemembered;

std::string ProfileBytes() {
    TBufferBin buffer;
    TUserInfo::Get()->WriteBase(buffer);
    TUserInfo::Get()->Write(buffer);
    return std::string(buffer.GetBytes().begin(), buffer.GetBytes().end());
}

bool HasCurrentUser(const TSettings* settings) {
    return settings != nullptr && settings->GetCurrentUser() >= 0 &&
           settings->GetCurrentUser() < settings->GetUserCount();
}

} // namespace

void RememberProfileState() {
    const TSettings* settings = TSettings::Get();
    gRemembered = TProfileState();
    if (!HasCurrentUser(settings)) {
        return;
    }
    gRemembered = {true, settings->GetCurrentUser(), settings->GetUserName(), ProfileBytes()};
}

bool HasProfileChanged() {
    const TSettings* settings = TSettings::Get();
    if (!HasCurrentUser(settings)) {
        return false;
    }
    const bool sameUser = gRemembered.known && gRemembered.user == settings->GetCurrentUser() &&
                          gRemembered.name == settings->GetUserName();
    return !sameUser || gRemembered.bytes != ProfileBytes();
}

void SaveProfileIfChanged() {
    if (!HasProfileChanged()) {
        return;
    }
    if (!TSettings::Get()->SaveProfile()) {
        TLogFile::Get()->Printf("profile of %s not saved", TSettings::Get()->GetUserName().c_str());
        return;
    }
    RememberProfileState();
}
