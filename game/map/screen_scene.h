#pragma once
// The animated scene a screen may play behind or over its controls, read from a room description file.
// Without the file there is no scene: show, update and draw then do nothing, so a screen works the same
// with or without one.

#include <memory>
#include <string>

class TRoom;

class TScreenScene {
public:
    TScreenScene();
    ~TScreenScene();
    TScreenScene(const TScreenScene&) = delete;
    TScreenScene& operator=(const TScreenScene&) = delete;

    // The room of that description file with its images, when the file exists.
    void Load(const std::string& file);
    void Show();
    void Update(float dt);
    void Draw(float alpha);

    bool IsLoaded() const { return mRoom != nullptr; }

private:
    std::unique_ptr<TRoom> mRoom;
};
