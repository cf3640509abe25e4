#include "graphics/texture_cache.h"

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/missing_names.h"

TTextureCache& TTextureCache::Get() {
    static TTextureCache cache;
    return cache;
}

// Failures are remembered per data root and language: the same name may exist under another.
void TTextureCache::ForgetFailuresOnRootChange() {
    const std::string under = GetDataRoot() + "|" + GetLanguageCode();
    if (under != mFailedUnder) {
        mFailed.clear();
        mFailedUnder = under;
    }
}

size_t TTextureCache::GetLiveEntryCount() const {
    size_t live = 0;
    for (const auto& [key, entry] : mEntries) {
        live += entry.IsAlive() ? 1 : 0;
    }
    return live;
}

TTextureHandle TTextureCache::Find(const std::string& key, const std::function<TTexture*()>& load) {
    auto it = mEntries.find(key);
    if (it != mEntries.end()) {
        if (it->second.IsAlive()) {
            return it->second.Lock();
        }
        mEntries.erase(it);
    }
    ForgetFailuresOnRootChange();
    if (mFailed.count(key) != 0) {
        return {};
    }
    TTextureHandle handle = Store(key, load());
    if (!handle) {
        mFailed.insert(key);
    }
    return handle;
}

TTextureHandle TTextureCache::Store(const std::string& key, TTexture* texture) {
    TTextureHandle handle(texture);
    if (!handle || handle->GetSDLTexture() == nullptr) {
        return {};
    }
    mEntries[key] = WeakHandle<TTexture>(handle);
    return handle;
}

namespace {

TTextureHandle Reported(const TTextureHandle& handle, const std::string& name) {
    if (!handle) {
        ReportMissingName("image", name);
    }
    return handle;
}

// Masked entries are keyed by both names and the flag, so a single image and a pair of the same name never
// share one, and a pair that needs its colour image is not answered by a mask-only load.
std::string MaskedKey(const std::string& colorName, const std::string& maskName, bool bothRequired) {
    return colorName + "|" + maskName + (bothRequired ? "|1" : "|0");
}

bool FileNameHasUnderscore(const std::string& name) {
    const size_t slash = name.find_last_of('/');
    return name.find('_', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

} // namespace

TTextureHandle GetTexture(const std::string& name) {
    TTextureHandle handle = TTextureCache::Get().Find(name, [&name] { return new TTexture(name); });
    return Reported(handle, name);
}

TTextureHandle FindMaskedTexture(const std::string& colorName, const std::string& maskName, bool bothRequired) {
    return TTextureCache::Get().Find(MaskedKey(colorName, maskName, bothRequired),
                                     [&] { return new TTexture(colorName, maskName, bothRequired); });
}

TTextureHandle GetMaskedTexture(const std::string& colorName, const std::string& maskName, bool bothRequired) {
    return Reported(FindMaskedTexture(colorName, maskName, bothRequired), colorName);
}

TTextureHandle GetTextureByName(const std::string& name, bool bothRequired) {
    if (FileNameHasUnderscore(name)) {
        TTextureHandle handle = FindMaskedTexture(name, name, bothRequired);
        if (handle) {
            return handle;
        }
    }
    return GetTexture(name);
}
