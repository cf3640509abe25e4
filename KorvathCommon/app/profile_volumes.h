#pragma once
// Hears the current profile's volumes each time a profile is applied. The sound manager listens while
// it exists, so the settings need not know the sound layer.
class TProfileVolumeListener {
public:
    virtual ~TProfileVolumeListener() = default;
    virtual void OnProfileVolumes(float /*music*/, float /*sounds*/, float /*voices*/) {}
};

// The listener stays owned by the caller; null removes it.
void SetProfileVolumeListener(TProfileVolumeListener* listener);
TProfileVolumeListener* GetProfileVolumeListener();
