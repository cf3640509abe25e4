#include "screen_scene.h"

#include "app/file_object.h"
#include "app/log.h"
#include "rooms/room.h"

TScreenScene::TScreenScene() = default;
TScreenScene::~TScreenScene() = default;

void TScreenScene::Load(const std::string& file) {
    mRoom.reset();
    if (!FileExists(file)) {
        return;
    }
    mRoom = std::make_unique<TRoom>();
    mRoom->Load(file);
    mRoom->LoadImages(false);
}

void TScreenScene::Show() {
    if (mRoom) {
        mRoom->Show();
    }
}

void TScreenScene::Update(float dt) {
    if (mRoom) {
        mRoom->Update(dt);
    }
}

void TScreenScene::Draw(float alpha) {
    if (mRoom) {
        mRoom->Draw();
    }
}
