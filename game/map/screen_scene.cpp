#include "screen_scene.h"

#include "app/file_object.h"
#include "app/log.h"
#include "rooms/game_space.h"

TScreenScene::TScreenScene() = default;
TScreenScene::~TScreenScene() = default;

void TScreenScene::Load(const std::string& file) {
    mRoom.reset();
    if (!FileExists(file)) {
        return;
    }
    // Room files are read by the rooms code, which the game does not have yet.
    TLogFile::Get()->Printf("scene %s: rooms not built yet", file.c_str());
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
        mRoom->Draw(0, alpha);
    }
}
