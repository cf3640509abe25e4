#include "term_texts.h"

#include "graphics/terms.h"

namespace {
TTermLookup gLookup = nullptr;
} // namespace

void SetTermLookup(TTermLookup lookup) {
    gLookup = lookup;
}

std::wstring GetTermText(const std::string& key) {
    if (gLookup != nullptr) {
        return gLookup(key);
    }
    return GetTerms()->GetWideText(key);
}
