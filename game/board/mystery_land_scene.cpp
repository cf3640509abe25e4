// The mystery-land board's scene: the objects, event generators and key-track animators of the layout
// file, and their placement over the loaded grid.

#include <tinyxml.h>

#include "app/log.h"
#include "app/xml_reader.h"
#include "board/mystery_land_board.h"
#include "graphics/cadr_image.h"
#include "graphics/move_obj.h"
#include "graphics/texture.h"
#include "objects/clouds_object.h"
#include "objects/hidden_object.h"
#include "objects/morphing_object.h"
#include "rooms/effector.h"

namespace {

// An image's own size: its source rectangle when set, else its texture; 0 x 0 without either.
void ImageSize(const StaticImage& image, float& width, float& height) {
    const TRenderState& state = image.mRenderState;
    if ((state.flags & TRenderState::kSourceRect) != 0) {
        width = state.srcW;
        height = state.srcH;
    } else if (image.mTexture) {
        width = static_cast<float>(image.mTexture->GetWidth());
        height = static_cast<float>(image.mTexture->GetHeight());
    } else {
        width = height = 0;
    }
}

std::unique_ptr<DrawObject> LoadPlainImage(const TiXmlElement* element) {
    auto image = std::make_unique<StaticImage>();
    LoadStaticImageFromXml(*image, element, "");
    image->SetImage(image->mImageName);
    return image;
}

std::unique_ptr<DrawObject> LoadStrip(const TiXmlElement* element) {
    auto strip = std::make_unique<TCadrImage>();
    strip->LoadFromXml(element, true, "");
    strip->Play(-1);
    return strip;
}

std::unique_ptr<DrawObject> LoadKeyFrames(const TiXmlElement* element) {
    auto frames = std::make_unique<TCadrImage2>();
    frames->LoadFromXml(element, true);
    frames->Restart();
    return frames;
}

std::unique_ptr<DrawObject> LoadCloudLayer(const TiXmlElement* element) {
    auto clouds = std::make_unique<TCloudsObject>();
    clouds->LoadFromXml(element, "");
    clouds->LoadResources();
    return clouds;
}

// A room object of the scene, moved with its children so its file coordinates count from the grid origin.
std::unique_ptr<TObject> LoadRoomObject(std::unique_ptr<TObject> object, const TiXmlElement* element,
                                        const TGridGeometry& geometry) {
    object->LoadFromXml(element, "");
    object->LoadResources();
    object->SetPosition(object->mX + static_cast<float>(geometry.originX),
                        object->mY + static_cast<float>(geometry.originY), true);
    return object;
}

std::unique_ptr<DrawObject> LoadPathAnimation(const TiXmlElement* element) {
    auto animation = std::make_unique<TrajectoryMoverCadrImage2>();
    animation->LoadFromXml(element);
    animation->Restart();
    return animation;
}

} // namespace

void MosaicLayoutMysteryLand_t::LoadScene(const TiXmlElement* root, const std::string& file) {
    for (const TiXmlElement* element = root->FirstChildElement("object"); element != nullptr;
         element = element->NextSiblingElement("object")) {
        const std::string type = ReadXmlString(element, "type", "");
        const int z = ReadXmlInt(element, "z", 0);
        if (type == "cloud") {
            mClouds = std::make_unique<TCloudsObject>();
            mClouds->LoadFromXml(element, "");
            mClouds->mTag = static_cast<float>(z);
            continue;
        }
        if (type == "hiddenwater") {
            mWater = std::make_unique<TMorphingObject>();
            mWater->LoadFromXml(element, "");
            mWater->mTag = static_cast<float>(z);
            continue;
        }
        std::unique_ptr<DrawObject> object = CreateSceneObject(element, type);
        if (!object) {
            TLogFile::Get()->Printf("%s: scene object of unknown type %s skipped", file.c_str(), type.c_str());
            continue;
        }
        object->mTag = static_cast<float>(z);
        object->mId = ReadXmlInt(element, "id", object->mId);
        (z == -1 ? mSceneUnder : mSceneOver).push_back(std::move(object));
    }
    LoadGenerators(root);
    LoadEffectors(root);
    AttachEffectors();
}

std::unique_ptr<DrawObject> MosaicLayoutMysteryLand_t::CreateSceneObject(const TiXmlElement* element,
                                                                         const std::string& type) {
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    if (type.empty()) {
        return LoadPlainImage(element);
    }
    if (type == "cadr") {
        return LoadStrip(element);
    }
    if (type == "cadr2") {
        return LoadKeyFrames(element);
    }
    if (type == "cloudobj") {
        return LoadCloudLayer(element);
    }
    if (type == "usual") {
        return LoadRoomObject(std::make_unique<TObject>(), element, geometry);
    }
    if (type == "hidden") {
        std::unique_ptr<TObject> object = LoadRoomObject(std::make_unique<THiddenObject>(), element, geometry);
        object->Activate(0, 0, 0);
        return object;
    }
    if (type == "animation") {
        return LoadPathAnimation(element);
    }
    return nullptr;
}

void MosaicLayoutMysteryLand_t::LoadGenerators(const TiXmlElement* root) {
    for (const TiXmlElement* element = root->FirstChildElement("gener"); element != nullptr;
         element = element->NextSiblingElement("gener")) {
        if (element->Attribute("type") != nullptr) {
            continue;
        }
        auto generator = std::make_unique<TEventGenerator>();
        generator->LoadFromXml(element);
        generator->mListener = this;
        mGenerators.push_back(std::move(generator));
    }
}

void MosaicLayoutMysteryLand_t::LoadEffectors(const TiXmlElement* root) {
    mEffectors.clear();
    for (const TiXmlElement* element = root->FirstChildElement("effector"); element != nullptr;
         element = element->NextSiblingElement("effector")) {
        if (element->Attribute("type") != nullptr) {
            continue;
        }
        auto effector = std::make_unique<TEffector>();
        effector->LoadFromXml(element);
        mEffectors.push_back(std::move(effector));
    }
}

void MosaicLayoutMysteryLand_t::AttachEffectors() {
    for (const auto& effector : mEffectors) {
        for (const auto& object : mSceneOver) {
            auto* roomObject = dynamic_cast<TObject*>(object.get());
            if (roomObject != nullptr && roomObject->AttachEffector(effector.get())) {
                break;
            }
        }
    }
}

void MosaicLayoutMysteryLand_t::AfterLoad() {
    GivePictureToCells();
    StretchImagesUnder();
    PlaceAnimatedPicture();
    PlaceClouds();
    PlaceWater();
}

const StaticImage* MosaicLayoutMysteryLand_t::GetPicture() const {
    for (auto it = mSceneOver.rbegin(); it != mSceneOver.rend(); ++it) {
        if (const auto* image = dynamic_cast<const StaticImage*>(it->get())) {
            return image;
        }
    }
    return nullptr;
}

void MosaicLayoutMysteryLand_t::GivePictureToCells() {
    const StaticImage* picture = GetPicture();
    for (const auto& item : GetItems()) {
        auto* cell = static_cast<MysteryMosaicItem_t*>(item.get());
        cell->SetPicture(cell->GetCell().solution >= 1 ? picture : nullptr);
    }
}

// The images under the grid cover it exactly, whatever their own size.
void MosaicLayoutMysteryLand_t::StretchImagesUnder() {
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    const auto width = static_cast<float>(GetBoard().GetPixelWidth());
    const auto height = static_cast<float>(GetBoard().GetPixelHeight());
    for (const auto& object : mSceneUnder) {
        auto* image = dynamic_cast<StaticImage*>(object.get());
        if (image == nullptr) {
            continue;
        }
        image->SetPosition(static_cast<float>(geometry.originX), static_cast<float>(geometry.originY), false);
        float w = 0;
        float h = 0;
        ImageSize(*image, w, h);
        if (w > 0 && h > 0) {
            image->SetScaleXY(width / w, height / h);
        }
    }
}

void MosaicLayoutMysteryLand_t::PlaceAnimatedPicture() {
    mAnimatedPicture = mSceneOver.empty() ? nullptr : dynamic_cast<TCadrImage2*>(mSceneOver.front().get());
    if (mAnimatedPicture == nullptr) {
        return;
    }
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    mAnimatedPicture->SetPosition(static_cast<float>(geometry.originX), static_cast<float>(geometry.originY), false);
    float w = 0;
    float h = 0;
    if (!mAnimatedPicture->mFrames.empty()) {
        ImageSize(mAnimatedPicture->mFrames.front()->image, w, h);
    }
    // A frame without size would divide by zero: the animation keeps its own scale.
    if (w > 0 && h > 0) {
        mAnimatedPicture->SetScaleXY(static_cast<float>(GetBoard().GetPixelWidth()) / w,
                                     static_cast<float>(GetBoard().GetPixelHeight()) / h);
    }
}

void MosaicLayoutMysteryLand_t::PlaceClouds() {
    if (!mClouds) {
        return;
    }
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    mClouds->mRect = {geometry.originX, geometry.originY, GetBoard().GetPixelWidth(), GetBoard().GetPixelHeight()};
    mClouds->Reset();
    mClouds->LoadResources();
}

void MosaicLayoutMysteryLand_t::PlaceWater() {
    if (!mWater) {
        return;
    }
    mWater->LoadResources();
    const auto width = static_cast<float>(mWater->GetWidth());
    const auto height = static_cast<float>(mWater->GetHeight());
    if (width > 0 && height > 0) {
        mWater->SetScaleXY(static_cast<float>(GetBoard().GetPixelWidth()) / width,
                           static_cast<float>(GetBoard().GetPixelHeight()) / height);
    }
    // The second image of the water stays where it lay over the first, at the same scale.
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    StaticImage& morph = mWater->mMorphImage;
    const float morphX = static_cast<float>(geometry.originX) + (morph.mBaseX - mWater->mX) * mWater->mScaleX;
    const float morphY = static_cast<float>(geometry.originY) + (morph.mBaseY - mWater->mY) * mWater->mScaleY;
    mWater->SetPosition(static_cast<float>(geometry.originX), static_cast<float>(geometry.originY), true);
    morph.SetPosition(morphX, morphY, false);
    morph.SetScaleXY(mWater->mScaleX, mWater->mScaleY);
    mWater->Activate(0, 0, 0);
}
