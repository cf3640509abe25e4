#pragma once
// A board whose coloured cells lie over a picture named by its layout file: a painted cell shows its own
// part of the picture, a cell not painted shows its tile over it. The layout file also carries a small
// scene (images, frame animations, clouds, water, event generators and key-track animators) drawn under
// and between the cells, clipped to the grid; its last plain image over the grid is the picture.
// The picture board builds on it.

#include <memory>
#include <string>
#include <vector>

#include "board/mosaic_layout.h"
#include "objects/object_records.h"
#include "windows/event_generator.h"

struct TTile;
class TCadrImage2;
class TCloudsObject;
class TEffector;
class TMorphingObject;
class TiXmlElement;

class MysteryMosaicItem_t : public MosaicItem_t {
public:
    // The cell's part of the picture: its column and row times the cell size.
    struct TPicturePart {
        int x = 0;
        int y = 0;
        int w = 0;
        int h = 0;
    };

    MysteryMosaicItem_t(const TMosaicCell& cell, const TNumberPainter& numbers, int cellWidth, int cellHeight);

    // Shares the picture's texture (null: the cell shows no picture part).
    void SetPicture(const StaticImage* picture);
    bool HasPicture() const { return mHasPicture; }
    const TPicturePart& GetPicturePart() const { return mPart; }
    // The tile drawn over the picture part; null for none.
    void SetOverlayTile(const TTile* tile);
    bool HasOverlayTile() const { return mHasOverlay; }

    // The picture part, then the reward overlay of a hidden reward cell painted right.
    void Draw(float alpha) override;
    // The tile overlay, then the stroke number.
    void DrawOverlay(float alpha) override;
    void DrawSpark(float /*alpha*/) override {}

protected:
    void DrawTileOverlay(float alpha);
    void DrawDragNumber(float alpha);

    StaticImage mPicturePart;
    StaticImage mTileOverlay;
    bool mHasPicture = false;
    bool mHasOverlay = false;

private:
    TPicturePart mPart;
    const TNumberPainter* mNumbers;
};

class MosaicLayoutMysteryLand_t : public MosaicLayout_t, public TEventGeneratorListener {
public:
    using TSceneList = std::vector<std::unique_ptr<DrawObject>>;

    MosaicLayoutMysteryLand_t();
    ~MosaicLayoutMysteryLand_t() override;

    // The grid, then the scene of the same file; a file that does not load keeps the board and scene.
    bool LoadSource(const TXmlSource& source, bool singleColour) override;
    bool Update(float seconds) override;
    // The board reset, and the scene deleted.
    void Reset() override;
    void DrawCells() override;
    // The scene under the cells moves every frame: the cells are drawn with it.
    bool HasCellLayer() const override { return false; }
    // Every visible cell shows its solution, whatever is asked: the picture has no empty view.
    void ShowSolution(bool on) override;
    // Starts the event generators.
    void ResetSelection() override;
    // Restarts every scene object carrying the generator's id.
    void OnGeneratorEvent(TEventGenerator* generator) override;

    // Scene objects keep their "z" as their tag: -1 under the grid, 0 drawn over it, others not drawn.
    const TSceneList& GetSceneUnder() const { return mSceneUnder; }
    const TSceneList& GetSceneOver() const { return mSceneOver; }
    // The last plain image over the grid; null when there is none.
    const StaticImage* GetPicture() const;
    // The first object over the grid when it is a key-frame animation; null otherwise.
    TCadrImage2* GetAnimatedPicture() const { return mAnimatedPicture; }
    TCloudsObject* GetClouds() const { return mClouds.get(); }
    TMorphingObject* GetWater() const { return mWater.get(); }
    const std::vector<std::unique_ptr<TEventGenerator>>& GetGenerators() const { return mGenerators; }
    const std::vector<std::unique_ptr<TEffector>>& GetEffectors() const { return mEffectors; }
    // The grid's rectangle in whole pixels; the scene is drawn inside it only.
    TRect GetSceneClip() const;

protected:
    std::unique_ptr<MosaicItem_t> CreateCell(const TMosaicCell& cell) override;
    // The tile over a cell showing this value: none over a colour, else the tileset's tile of the value.
    virtual const TTile* OverlayTileFor(int value) const;

private:
    void ClearScene();
    void LoadScene(const TiXmlElement* root, const std::string& file);
    std::unique_ptr<DrawObject> CreateSceneObject(const TiXmlElement* element, const std::string& type);
    void LoadGenerators(const TiXmlElement* root);
    void LoadEffectors(const TiXmlElement* root);
    void AttachEffectors();
    void AfterLoad();
    void GivePictureToCells();
    void StretchImagesUnder();
    void PlaceAnimatedPicture();
    void PlaceClouds();
    void PlaceWater();
    void DrawScene(float alpha);

    // Declared first so they go last: the scene objects hold pointers to them.
    std::vector<std::unique_ptr<TEffector>> mEffectors;
    TSceneList mSceneUnder;
    TSceneList mSceneOver;
    TCadrImage2* mAnimatedPicture = nullptr;
    std::unique_ptr<TCloudsObject> mClouds;
    std::unique_ptr<TMorphingObject> mWater;
    std::vector<std::unique_ptr<TEventGenerator>> mGenerators;
};
