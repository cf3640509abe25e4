#pragma once
// A scene object that runs one particle system at its own place while it is active: activation (re)starts
// the system, which ends itself when its lifetime is over. It emits from a rectangle (its size), a polygon
// ("points") or the description's own area.

#include <memory>
#include <string>
#include <vector>

#include "graphics/particle_system.h"
#include "objects/object.h"

class TParticleObject : public TObject {
public:
    static constexpr int kEmitRectangle = 1;
    static constexpr int kEmitDescription = 3;
    static constexpr int kEmitPolygon = 4;

    // The system only; not the object's own image nor its children.
    void Draw(float alpha) override;
    bool Update(float seconds) override;
    int GetTypeId() const override { return 47; }
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // Drops a running system and switches the emitter on; the next update starts a fresh one.
    void Activate(int index, int x, int y) override;
    void DoClickAction(int clickNumber, int x, int y) override {}
    // Switches the emitter off; a running system runs to its end.
    void ResetState() override { mActive = false; }

    ParticleSystem* GetSystem() const { return mSystem.get(); }

    std::unique_ptr<ParticleSystem> mSystem;
    std::string mDescription;
    int mEmitKind = kEmitDescription;
    std::vector<ParticleSystem::TPoint> mPoints;

private:
    void LoadEmitArea(const TiXmlElement* element);
    void StartSystem();
    // Deletes a system that has stopped; true when it did.
    bool DropStoppedSystem();
};
