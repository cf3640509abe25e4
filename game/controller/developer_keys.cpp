#include "developer_keys.h"

#include <cstdlib>
#include <cstring>

bool DeveloperKeysEnabled() {
    const char* value = std::getenv("VERDANEL_DEVELOPER");
    return value != nullptr && std::strcmp(value, "1") == 0;
}
