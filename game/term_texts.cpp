#include "term_texts.h"

#include "app/log.h"
#include "app/string_utils.h"

namespace {
TTermLookup gLookup = nullptr;
bool gReported = false;
} // namespace

void SetTermLookup(TTermLookup lookup) {
    gLookup = lookup;
}

std::wstring GetTermText(const std::string& key) {
    if (gLookup != nullptr) {
        return gLookup(key);
    }
    if (!gReported) {
        gReported = true;
        TLogFile::Get()->Printf("terms not connected, texts shown by key");
    }
    return FromUtf8(key);
}
