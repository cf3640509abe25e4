#pragma once
// The collections the viewer's rooms name: the registry is filled from a room file's "collections"
// element before the room's objects load (they read it while loading), and the collection effect is a
// transcript line whose end comes as the item's message half a second later.

#include <functional>
#include <string>

#include "objects/collection_objects.h"

class TViewCollections : public TCollectionEffectRunner {
public:
    using TReport = std::function<void(const std::string&)>;

    explicit TViewCollections(TReport report);
    ~TViewCollections() override;
    TViewCollections(const TViewCollections&) = delete;
    TViewCollections& operator=(const TViewCollections&) = delete;

    // Appends the collections of the room file (relative to the data root's "assets"); none when it has
    // no "collections" element.
    void ReadFrom(const std::string& file);

    void RunCollectionEffect(int x, int y, const std::string& imageName, float scale, const std::string& message,
                             int number, const std::string& itemId) override;
    void OnCollectionEffectDone(const std::string& itemId) override;

    static constexpr float kEffectSeconds = 0.5f;

private:
    TReport mReport;
};
