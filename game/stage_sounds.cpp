#include "stage_sounds.h"

#include "app/log.h"

void AddStageSoundList(const std::string& name, const TiXmlElement* element) {
    if (name.empty()) {
        return;
    }
    // The sound manager takes (name, element, "sound", not loaded now, group 0) once it exists.
    TLogFile::Get()->Printf("sound list %s not registered, sound manager not built yet", name.c_str());
}

void RemoveStageSoundList(const std::string& name) {
    if (name.empty()) {
        return;
    }
    TLogFile::Get()->Printf("sound list %s not removed, sound manager not built yet", name.c_str());
}
