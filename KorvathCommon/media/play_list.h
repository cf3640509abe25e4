#pragma once
// Lists of sound entries read from XML: the base every list shares and the list of sound effects
// or voice lines, all of which may play at once. Main thread only.

#include <string>
#include <vector>

#include "media/sound_info.h"

class TiXmlElement;

class TPlayList : public TSoundInfoListener {
public:
    TPlayList() = default;
    ~TPlayList() override = default;
    TPlayList(const TPlayList&) = delete;
    TPlayList& operator=(const TPlayList&) = delete;

    virtual bool Play(const std::string& id) = 0;
    virtual void Pause(bool pause) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying(const std::string& id) = 0;
    virtual void Update(float dt) {}
    virtual void SetVolume(float v) = 0;

    // One entry per child element named tag, in document order.
    void LoadFromXml(const TiXmlElement* element, const char* tag, bool loadNow);
    void LoadSounds();
    // Closes every stream; requests still waiting for their delay are dropped.
    void UnloadSounds();
    // The first entry whose id is exactly id; empty when none.
    TSoundInfoPtr FindById(const std::string& id) const;

    bool IsLoaded() const { return mLoaded; }
    float GetVolume() const { return mVolume; }
    const std::vector<TSoundInfoPtr>& GetEntries() const { return mEntries; }

protected:
    std::vector<TSoundInfoPtr> mEntries;
    float mVolume = 1.0f;
    bool mLoaded = false;
};

// 0 sound effects, 1 voice.
using TSoundGroup = int;

class TSoundPlayList : public TPlayList {
public:
    TSoundPlayList(const TiXmlElement* element, const char* tag, bool loadNow, TSoundGroup group);

    bool Play(const std::string& id) override;
    void Pause(bool pause) override;
    void Stop() override;
    bool IsPlaying(const std::string& id) override;
    void Update(float dt) override;
    void SetVolume(float v) override;

    TSoundGroup GetGroup() const { return mGroup; }

private:
    TSoundGroup mGroup;
};
