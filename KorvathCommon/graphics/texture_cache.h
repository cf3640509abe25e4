#pragma once
// The process-wide weak cache of textures by name: a texture is loaded once while anybody holds it and is
// freed with its last holder. A name that cannot be loaded is reported once and not tried again.

#include <functional>
#include <map>
#include <set>
#include <string>

#include "graphics/texture.h"

class TTextureCache {
public:
    static TTextureCache& Get();

    // The live texture cached under the key, or a new one made by load (cached when it loaded).
    TTextureHandle Find(const std::string& key, const std::function<TTexture*()>& load);

    // Entries whose texture is gone are dropped at their next lookup.
    size_t GetEntryCount() const { return mEntries.size(); }
    // Entries whose texture somebody still holds.
    size_t GetLiveEntryCount() const;
    // Forgets the names that failed to load, so they are tried again.
    void ForgetFailures() { mFailed.clear(); }

private:
    TTextureCache() = default;
    TTextureHandle Store(const std::string& key, TTexture* texture);
    void ForgetFailuresOnRootChange();

    std::map<std::string, WeakHandle<TTexture>> mEntries;
    // Names that did not load, for the data root and language they failed under.
    std::set<std::string> mFailed;
    std::string mFailedUnder;
};

// A single image by name; empty (and "image not found" reported once) when it cannot be loaded.
TTextureHandle GetTexture(const std::string& name);
// A colour + mask texture; empty (reported like GetTexture) when it cannot be loaded.
TTextureHandle GetMaskedTexture(const std::string& colorName, const std::string& maskName, bool bothRequired);
// The colour + mask lookup without the report, for callers that try a single image next.
TTextureHandle FindMaskedTexture(const std::string& colorName, const std::string& maskName, bool bothRequired);
// A file name with "_" is tried as its own colour + mask pair first; every name falls back to the single image.
TTextureHandle GetTextureByName(const std::string& name, bool bothRequired);
