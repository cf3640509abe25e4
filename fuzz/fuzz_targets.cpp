#include "fuzz_targets.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/app_config.h"
#include "app/buffer.h"
#include "app/file_object.h"
#include "app/ini_file.h"
#include "app/level_sets.h"
#include "app/log.h"
#include "app/log_sdl.h"
#include "app/missing_names.h"
#include "app/renderer.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "app/xml_reader.h"
#include "board/picture_board.h"
#include "data/game_settings.h"
#include "data/level_layout_file.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "data/tilesets.h"
#include "data/user_records.h"
#include "graphics/font_registry.h"
#include "graphics/move_obj.h"
#include "graphics/particle_system.h"
#include "graphics/preload_list.h"
#include "graphics/spline_path.h"
#include "graphics/sprite_description.h"
#include "graphics/terms.h"
#include "graphics/texture_cache.h"
#include "media/openal_system.h"
#include "media/sound_manager.h"
#include "media/video_window.h"
#include "objects/object.h"
#include "objects/object_factory.h"
#include "objects/tool.h"
#include "rooms/items_list.h"
#include "rooms/room.h"
#include "windows/game_cursors.h"
#include "windows/mouse_event.h"
#include "windows/ui_info_holder.h"
#include "windows/ui_text_box.h"

namespace {

// The inputs are named as data files of this folder under "assets/", where the fixtures are.
const char* const kInputFolder = "fuzz/";

// Rendered by the vorbis target between stream updates: one chunk of stereo 16-bit frames.
constexpr int kLoopbackRate = 44100;
constexpr int kRenderFrames = TOpenAlSystem::kChunkSize / 4;
constexpr int kStreamPasses = 6;

// The particle system runs a few frames past its first emissions.
constexpr int kParticleSteps = 4;
constexpr float kParticleStepSeconds = 0.25f;
// A path is followed in up to this many steps of this time.
constexpr float kPathSpeed = 300.0f;
constexpr int kPathSteps = 64;
constexpr float kPathStepSeconds = 0.2f;
// A room plays this many updates of this many seconds: long enough for keys, repeaters and paths to turn.
constexpr int kRoomSteps = 24;
constexpr float kRoomStepSeconds = 0.25f;
constexpr float kCursorStepSeconds = 0.13f;

LPALCRENDERSAMPLESSOFT gRenderSamples = nullptr;
ALCdevice* gLoopbackDevice = nullptr;

const wchar_t* const kSampleText = L"Ab 09,;'\"# \u00e9\u0416\u044f\u20ac\uffff\U0001F600";

// The profile's level sets: two stages in each set, so the progress records have levels to fill.
class TFuzzLevelSets : public TLevelSetSource {
public:
    int GetStageCount(int /*levelSet*/) const override { return 2; }
    int GetStageLevelCount(int levelSet, int stage) const override {
        return stage == 0 ? 3 : (stage == 1 ? 2 + levelSet : 0);
    }
};

const TFuzzLevelSets kLevelSets;

std::string AssetName(const char* file) {
    return std::string(kInputFolder) + file;
}

std::string Bytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The input as an XML document of that name.
TXmlSource XmlInput(const std::string& name, const uint8_t* data, size_t size) {
    return TXmlSource{name, Bytes(data, size), nullptr};
}

// The input as a save file whose CRC matches, so it reaches the parser behind the check.
std::string SaveInput(const uint8_t* data, size_t size) {
    TBufferBin payload;
    for (size_t i = 0; i < size; ++i) {
        payload.WriteByte(data[i]);
    }
    const uint32_t crc = payload.Crc(0);
    std::string file;
    for (int shift = 0; shift < 32; shift += 8) {
        file.push_back(static_cast<char>((crc >> shift) & 0xFF));
    }
    return file + Bytes(data, size);
}

std::string ReadBytes(const std::string& name) {
    std::string bytes;
    ReadWholeFile(name, bytes, TBufferBin::kMaxFileBytes);
    return bytes;
}

// A property of the readers failed: stop like a crash, so the input is kept.
[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

void RemoveFolderContents(const std::string& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

// Everything a target may have filled goes back to its state before the first run.
void ResetAfterRun() {
    ReleaseXmlRoot();
    // Rooms fill the game-wide tool list, the handed-out tools and the event channel.
    TToolList::GetPlayerTools().Clear();
    GetHandedOutTools().clear();
    TInterfaceEvents::Get().Clear();
    FreeStages();
    ClearRewards();
    ClearTilesets();
    TTerms::Destroy();
    TFontRegistry::Destroy();
    TUIInfoHolder::ReleaseGlobal();
    TSettings::Release();
    TUserInfo::Release();
    RemoveUserRecords();
    SetLevelSetSource(nullptr);
    TMosaicGameSettings::Destroy();
    TMosaicColorTable::Destroy();
    DeletePreloadList();
    TRewardConnector::Get().ResetSaved();
    TRewardConnector::Get().ResetPerPlay();
    // A new manager releases every list and stream of the old one; the OpenAL system stays.
    TSoundManager::CreateInstance(false);
    GetGlobalPathSet().Clear();
    TGameCursors::Release();
    TTextureCache::Get().ForgetFailures();
    ClearMissingNames();
    SetWriteFault(TWriteFault::None);
    // For whoever replays an input by hand: what the readers logged about it.
    if (std::getenv("VERDANEL_FUZZ_SHOW_LOG") != nullptr) {
        std::string log;
        ReadWholeFile("user:log.txt", log, TBufferBin::kMaxFileBytes);
        std::fputs(log.c_str(), stderr);
    }
    TLogFile::Release();
    // The per-user folder holds the written saves, their ".bad" and ".bak" files and the log.
    RemoveFolderContents(TAppConfig::Get()->GetUserFolder());
}

// ---- save files

void RunSettingsFile(const uint8_t* data, size_t size) {
    auto* settings = static_cast<TMySettings*>(CreateSettings("mysettings"));
    if (!settings->LoadSettingsBytes(SaveInput(data, size))) {
        return;
    }
    for (int i = -1; i <= settings->GetUserCount(); ++i) {
        settings->HasUserNamed(settings->GetUserNameAt(i));
    }
    // What was loaded saves and loads back to the same bytes.
    if (!settings->SaveSettings()) {
        Fail("the settings could not be saved");
    }
    const std::string first = ReadBytes(TMySettings::kFileName);
    auto* again = static_cast<TMySettings*>(CreateSettings("mysettings"));
    if (!again->LoadSettings() || !again->SaveSettings()) {
        Fail("saved settings did not load again");
    }
    if (ReadBytes(TMySettings::kFileName) != first) {
        Fail("settings changed between two save and load cycles");
    }
}

// The reward list a profile keeps one byte per reward of.
const char* const kFixtureRewards = "<rewards><reward id=\"one\"/><reward id=\"two\"/><reward id=\"three\"/></rewards>";

void PrepareProfile() {
    SetLevelSetSource(&kLevelSets);
    LoadRewards(TXmlSource{AssetName("rewards.xml"), kFixtureRewards, nullptr});
    InstallUserRecords();
}

void UseProfile(TUserInfo& profile) {
    for (int mode = 0; mode < TUserInfo::kModeCount; ++mode) {
        profile.SetCurrentMode(mode);
        TModeProgress& progress = profile.GetCurrentModeProgress();
        progress.IsFirstStageDone(mode != 0);
        progress.HasFiveLevelsDone(mode != 0);
        profile.AddScore(INT_MAX);
        profile.AddScore(INT_MIN);
        profile.AdvanceStage();
    }
    profile.AddToCounter(INT_MAX);
    for (int group = -1; group <= TBaseUserInfo::kVolumeGroups; ++group) {
        profile.GetGroupVolume(group);
    }
}

void RunProfileFile(const uint8_t* data, size_t size) {
    PrepareProfile();
    TUserInfo::Get()->LoadBytes(SaveInput(data, size));
    // Whatever was read, the profile saves to a file that loads exactly and saves to the same bytes.
    if (!TUserInfo::Get()->Save("user:user2")) {
        Fail("the profile could not be saved");
    }
    TUserInfo::Release();
    if (!TUserInfo::Get()->Load("user:user2")) {
        Fail("a saved profile did not load exactly");
    }
    if (!TUserInfo::Get()->Save("user:user3") || ReadBytes("user:user2") != ReadBytes("user:user3")) {
        Fail("the profile changed between two save and load cycles");
    }
    UseProfile(*TUserInfo::Get());
}

// ---- game data

// The same file as a picture level: its scene built, played, updated, drawn and cleared.
void PlayPictureLevel(const uint8_t* data, size_t size) {
    TObjectFactory::CreateInstance();
    MosaicLayoutShowImage_t board;
    if (!board.LoadSource(XmlInput(AssetName("picture.xml"), data, size), false)) {
        return;
    }
    board.ResetSelection();
    if (board.GetBoard().GetRows() > 0 && board.GetBoard().GetCols() > 0) {
        const TMosaicCell& first = board.GetBoard().GetCell(0, 0);
        board.OnMouseDown(first.x + 1, first.y + 1, TMosaicBoard::kLeftButton);
        board.OnMouseUp(first.x + 1, first.y + 1, TMosaicBoard::kLeftButton);
    }
    board.ShowSolution(true);
    for (int step = 0; step < kRoomSteps; ++step) {
        board.Update(kRoomStepSeconds);
        board.DrawCells();
    }
    board.IsSolved();
    board.Reset();
    board.Update(kRoomStepSeconds);
    board.DrawCells();
}

void RunLevelLayout(const uint8_t* data, size_t size) {
    const TXmlSource source = XmlInput(AssetName("level.xml"), data, size);
    for (bool singleColour : {false, true}) {
        TMosaicBoard board;
        ConnectBoardLog(board);
        if (LoadLevelLayout(board, source, singleColour)) {
            board.IsSolved();
        }
    }
    PlayPictureLevel(data, size);
}

void UseStageList(const TStageList& list) {
    int total = 0;
    for (size_t stage = 0; stage < list.mStages.size(); ++stage) {
        for (const auto& level : list.mStages[stage]->mLevels) {
            FindTilesetDefaults(level->mGameType);
            FindMapFrame(level->mFrame);
            for (int difficulty = -1; difficulty <= TLevelInfoMosaic::kDifficultyGroups; ++difficulty) {
                level->GetStarKeys(difficulty);
            }
        }
        total += static_cast<int>(list.mStages[stage]->mLevels.size());
        GetGlobalLevelIndex(static_cast<int>(stage), 0, list);
    }
    for (int index = -1; index <= total; ++index) {
        GetLevelByIndex(index, list);
    }
}

void RunStages(const uint8_t* data, size_t size) {
    LoadStages(XmlInput("stages.xml", data, size));
    UseStageList(GetStageList(kMainLevelSet));
    UseStageList(GetStageList(kSecondLevelSet));
    for (int index : {INT_MIN, -1, 0, 7, INT_MAX}) {
        FindBackground(index);
    }
}

void RunGameSettings(const uint8_t* data, size_t size) {
    if (!LoadGameSettings(XmlInput(AssetName("settings.xml"), data, size))) {
        return;
    }
    const TMosaicGameSettings& settings = TMosaicGameSettings::Get();
    for (int i = -1; i <= settings.GetPresetCount(); ++i) {
        settings.GetPreset(i).GetTimeFactor(i);
    }
    const TMosaicColorTable& colours = TMosaicColorTable::Get();
    for (const auto& [id, colour] : colours.mColors) {
        colours.GetColorById(id);
    }
    for (int i = -1; i <= static_cast<int>(colours.mBaseColors.size()); ++i) {
        colours.GetColorByIndex(i);
    }
}

void RunRewards(const uint8_t* data, size_t size) {
    LoadRewards(XmlInput(AssetName("rewards_in.xml"), data, size));
    for (const auto& reward : GetRewardList()) {
        FindReward(reward->mId);
    }
    std::vector<TReward*> earned;
    CollectEarnedRewards(TRewardConnector::Get(), earned);
}

void UseTileset(const TTileset& tileset) {
    const int tiles = static_cast<int>(tileset.mTiles.size());
    for (int value = -3; value <= tiles; ++value) {
        tileset.GetTileForValue(value);
    }
    for (int mast = 0; mast <= 9; ++mast) {
        tileset.GetTileByGroup(mast, kButtonTileGroup);
        tileset.GetTileByGroup(mast, kIndicatorTileGroup);
    }
}

void RunTilesets(const uint8_t* data, size_t size) {
    // The input serves as the catalogue and as a tileset.
    const TXmlSource source = XmlInput(AssetName("tilesets.xml"), data, size);
    LoadTilesets(source);
    for (const auto& tileset : GetTilesets()) {
        UseTileset(*tileset);
        FindTileset(tileset->mName);
    }
    UseTileset(TTileset(source));
}

// ---- interface, fonts and texts

void RunUiInfo(const uint8_t* data, size_t size) {
    const TXmlSource source = XmlInput(AssetName("interface.xml"), data, size);
    // Loaded as the global description too, so the boxes of the second holder find its styles.
    TUIInfoHolder::GetGlobal()->LoadFromSource(source);
    TUIInfoHolder holder;
    holder.LoadFromSource(source);
    for (const auto& box : holder.GetObjects()) {
        FindUIObject<TUIText>(holder, box->mName);
    }
}

void UseFont(ImageFont& font) {
    font.GetTextWidth(kSampleText);
    font.GetTextWidthW(kSampleText);
    font.GetLineHeight();
    std::vector<TFontRect> rects;
    int advance = 0;
    font.DrawStringW(10, 20, kSampleText, 0xFFFFFFFFu, 0, &rects, &advance, true);
    font.DrawString(10, 20, kSampleText, 0x80FF0000u, 0, &rects, &advance, true);
    font.AddTag("bold");
    font.SetPointSize(7);
    font.SetScale(2.5f);
    font.GetTextWidthW(kSampleText);
    font.GetDefineText("X");
}

void RunFontsList(const uint8_t* data, size_t size) {
    const TiXmlElement* root = ParseXmlRoot(XmlInput(AssetName("fonts.xml"), data, size));
    if (root == nullptr) {
        return;
    }
    std::vector<std::string> ids;
    {
        TXmlRootWalk walk;
        std::vector<TiXmlElement*> fonts;
        CollectXmlChildren(root, "font", fonts);
        for (const TiXmlElement* element : fonts) {
            ids.push_back(ReadXmlString(element, "id", ""));
        }
    }
    TFontRegistry::GetInstance()->LoadXml(root);
    ReleaseXmlRoot();
    for (const std::string& id : ids) {
        if (ImageFont* font = TFontRegistry::GetInstance()->FindFont(id)) {
            font->GetTextWidthW(kSampleText);
        }
    }
}

void RunFontDescription(const uint8_t* data, size_t size) {
    ImageFont font(AssetName("input.txt"), Bytes(data, size));
    if (font.IsLoaded()) {
        UseFont(font);
    }
}

void UseTerms(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        GetTerms()->GetText(key);
        GetTerms()->GetWideText(key);
    }
}

void RunTermsXml(const uint8_t* data, size_t size) {
    if (GetTerms()->LoadXml(XmlInput(AssetName("termins.xml"), data, size))) {
        UseTerms({"a", "key", "Menu_Play"});
    }
}

void RunIni(const uint8_t* data, size_t size) {
    const std::string name = AssetName("termins.txt");
    IniFile_t ini;
    ini.LoadBytes(Bytes(data, size), true);
    std::vector<std::string> keys;
    for (const auto& [sectionName, section] : ini.GetSections()) {
        for (const auto& [key, entry] : section.GetKeys()) {
            section.GetInt(key, 0);
            section.GetFloat(key, 0.0f);
            section.GetHex(key, 0);
            keys.push_back(key);
        }
    }
    if (GetTerms()->LoadIni(ini, name)) {
        UseTerms(keys);
    }
    // The same file as a particle description and as a sprite description.
    ParticleSystem particles(ini, TTextureHandle());
    particles.mStopped = false;
    for (int step = 0; step < kParticleSteps; ++step) {
        particles.Update(kParticleStepSeconds);
        particles.Draw(1.0f, 0, 0);
    }
    AnimObject2 sprite;
    sprite.LoadIni(ini, name);
    sprite.Restart();
    sprite.DrawOver();
}

// ---- motion paths

void RunTrajectories(const uint8_t* data, size_t size) {
    TSplinePathSet& paths = GetGlobalPathSet();
    paths.LoadBytes(AssetName("trajectories.dat"), Bytes(data, size));
    for (uint32_t index = 0; index < paths.GetCount(); ++index) {
        TSplinePath* path = paths.GetPath(index);
        if (paths.Find(path->mName) == nullptr) {
            Fail("a loaded path is not found by its name");
        }
        // Followed turning along the curve, in steps that pass every segment and the end.
        MoveObj_t mover(kPathSpeed, path);
        mover.mFixedAngle = false;
        for (int step = 0; step < kPathSteps && !mover.IsDone(); ++step) {
            mover.Update(kPathStepSeconds);
        }
        path->ComputeSegmentLengths();
        path->SetOrigin(-7, 11);
    }
}

// ---- room description files

// A room file with its objects, animators and reaction lists: loaded, shown, played a little, drawn and
// hidden; its saved state read into a second room from the same file writes the same bytes again.
// Items-list entries that only count.
class TFuzzItemFactory : public ItemsListItemFactory {
public:
    std::unique_ptr<ItemsListItem> Create(const std::string& type) override {
        return std::make_unique<ItemsListItem>();
    }
};

void RunRoomFile(const uint8_t* data, size_t size) {
    TObjectFactory::CreateInstance();
    const TXmlSource source = XmlInput(AssetName("room.xml"), data, size);
    std::vector<uint8_t> saved;
    TFuzzItemFactory items;
    ItemsListItemFactory::SetInstance(&items);
    {
        TRoom room;
        room.LoadSource(source);
        room.LoadImages(false);
        room.Show();
        // A press and a release on every object, the pockets they open included, then a hint.
        std::vector<std::pair<int, int>> points;
        for (const auto& object : room.mObjects) {
            points.emplace_back(object->GetCenterX(), object->GetCenterY());
        }
        for (const auto& [x, y] : points) {
            TMouseEvent event;
            event.x = event.gameX = x;
            event.y = event.gameY = y;
            event.buttons = TMouseEvent::kLeft;
            room.OnMouseMove(event);
            room.OnMouseDown(event);
            room.OnMouseUp(event);
            room.Update(kRoomStepSeconds);
        }
        room.ShowHint();
        room.HasSomethingToDo();
        for (int step = 0; step < kRoomSteps; ++step) {
            room.Update(kRoomStepSeconds);
            room.Draw();
        }
        room.Hide();
        room.Show();
        TBaseBuffer state;
        room.WriteState(state);
        saved = state.GetBytes();
    }
    TRoom restored;
    restored.LoadSource(source);
    TBaseBuffer reader;
    for (uint8_t byte : saved) {
        reader.WriteByte(byte);
    }
    restored.ReadState(reader);
    TBaseBuffer again;
    restored.WriteState(again);
    if (again.GetBytes() != saved) {
        Fail("a room's saved state does not read back to the same bytes");
    }
    restored.Update(kRoomStepSeconds);
    ItemsListItemFactory::SetInstance(nullptr);
    TObjectFactory::DestroyInstance();
}

// ---- cursors

void RunCursors(const uint8_t* data, size_t size) {
    TGameCursors* cursors = TGameCursors::Get();
    cursors->Load(XmlInput(AssetName("cursors.xml"), data, size));
    std::vector<std::string> names;
    for (const auto& cursor : cursors->mCursors) {
        names.push_back(cursor->mName);
    }
    for (bool custom : {true, false, true}) {
        cursors->SetCustomCursors(custom);
        for (const std::string& name : names) {
            cursors->Select(name);
            cursors->Update(kCursorStepSeconds);
            cursors->Draw();
        }
        cursors->SetDefault();
    }
}

// ---- sound

void RenderLoopback() {
    std::vector<int16_t> out(static_cast<size_t>(kRenderFrames) * 2);
    gRenderSamples(gLoopbackDevice, out.data(), kRenderFrames);
}

void RunVorbis(const uint8_t* data, size_t size) {
    TOpenAlSystem* system = TOpenAlSystem::GetInstance();
    const uint32_t stream = system->OpenStreamBytes(ResolvePath(AssetName("input.ogg")), Bytes(data, size));
    if (stream == 0) {
        return;
    }
    system->Play(stream, false, 1.0f);
    for (int pass = 0; pass < kStreamPasses; ++pass) {
        RenderLoopback();
        system->Update();
    }
    system->CloseStream(stream);
}

// ---- video

// Locked pixels in memory, at most 256 x 256 whatever the stream says: the writers clip to it.
class TFuzzPixels : public TTexture {
public:
    TFuzzPixels(int width, int height)
        : mPixelWidth(std::clamp(width, 1, 256)), mPixelHeight(std::clamp(height, 1, 256)),
          mPixels(static_cast<size_t>(mPixelWidth * mPixelHeight)) {}
    bool Lock(uint32_t*& pixels, int& pitch) override {
        pixels = mPixels.data();
        pitch = mPixelWidth;
        return true;
    }
    void Unlock() override {}
    int GetWidth() const override { return mPixelWidth; }
    int GetHeight() const override { return mPixelHeight; }
    uint8_t GetAlphaAt(int x, int y) const override { return static_cast<uint8_t>((x * 7 + y * 3) & 0xFF); }

private:
    int mPixelWidth;
    int mPixelHeight;
    std::vector<uint32_t> mPixels;
};

// Straight from memory: two passes of up to 30 decode steps a pass, both writers, a mask half over the
// picture, and the alpha map read back.
void RunTheora(const uint8_t* data, size_t size) {
    TVideoWindow window;
    window.mPassLimit = 2;
    window.mAlphaMode = size > 0 && (data[size - 1] & 1) != 0;
    const float fps = window.OpenBytes("fuzz input", std::string(reinterpret_cast<const char*>(data), size));
    if (!(fps > 0)) {
        if (window.mPlaying || window.Advance(0)) {
            Fail("theora: an unreadable stream still plays");
        }
        return;
    }
    const int width = static_cast<int>(window.GetFrameWidth()), height = static_cast<int>(window.GetPictureHeight());
    TTextureHandle texture(new TFuzzPixels(width, height));
    window.mMask = TTextureHandle(new TFuzzPixels(width, height));
    window.mMaskOffsetX = width / 2;
    float time = 0;
    for (int step = 0; step < 60 && window.mPlaying; ++step) {
        window.Advance(time);
        time = window.mRestarted ? 0 : time + 0.1f;
        window.mRestarted = false;
        if (window.mAlphaMode) {
            window.WriteFrameWithAlpha(texture, true);
        } else {
            window.WriteFrameOpaque(texture, true);
        }
        const int alpha = window.AlphaAt(width - 1, height - 1);
        if (alpha < 0 || alpha > 255) {
            Fail("theora: alpha out of range");
        }
    }
}

void RunSoundLists(const uint8_t* data, size_t size) {
    TSoundManager* manager = TSoundManager::FindInstance();
    manager->Load(XmlInput(AssetName("sounds.xml"), data, size));
    manager->StartMusicList("music", false);
    manager->Update(0.5f);
    manager->StopMusic();
}

void RunPreloadList(const uint8_t* data, size_t size) {
    ReadPreloadList(XmlInput(AssetName("resources.xml"), data, size))->LoadImages();
}

// ---- the environment

void QuietSdlLog(void* /*userdata*/, int /*category*/, SDL_LogPriority /*priority*/, const char* /*message*/) {}

bool OpenLoopbackSound() {
    auto openDevice =
        reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    gRenderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    ALCdevice* device = openDevice != nullptr ? openDevice(nullptr) : nullptr;
    if (device == nullptr || gRenderSamples == nullptr) {
        return false;
    }
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                 ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,
                                 ALC_SHORT_SOFT,
                                 ALC_FREQUENCY,
                                 kLoopbackRate,
                                 0};
    gLoopbackDevice = device;
    TOpenAlSystem::CreateInstance(device, alcCreateContext(device, attributes));
    TSoundManager::CreateInstance(false);
    return TOpenAlSystem::GetInstance()->HasDevice();
}

} // namespace

const std::vector<TFuzzTarget>& GetFuzzTargets() {
    static const std::vector<TFuzzTarget> targets = {
        {"settings_file", RunSettingsFile},
        {"profile_file", RunProfileFile},
        {"level_layout", RunLevelLayout},
        {"stages", RunStages},
        {"game_settings", RunGameSettings},
        {"rewards", RunRewards},
        {"tilesets", RunTilesets},
        {"ui_info", RunUiInfo},
        {"fonts_list", RunFontsList},
        {"terms_xml", RunTermsXml},
        {"ini", RunIni},
        {"font_description", RunFontDescription},
        {"vorbis", RunVorbis},
        {"sound_lists", RunSoundLists},
        {"preload_list", RunPreloadList},
        {"trajectories", RunTrajectories},
        {"cursors", RunCursors},
        {"room_file", RunRoomFile},
        {"theora", RunTheora},
    };
    return targets;
}

const TFuzzTarget* FindFuzzTarget(const std::string& name) {
    for (const TFuzzTarget& target : GetFuzzTargets()) {
        if (name == target.name) {
            return &target;
        }
    }
    return nullptr;
}

void RunFuzzTarget(const TFuzzTarget& target, const uint8_t* data, size_t size) {
    target.run(data, size);
    ResetAfterRun();
}

struct TFuzzEnvironment::TState {
    SDL_Window* window = nullptr;
};

TFuzzEnvironment::TFuzzEnvironment() : mState(std::make_unique<TState>()) {
    for (const char* variable :
         {"SDL_VIDEODRIVER=dummy", "SDL_RENDER_DRIVER=software", "SDL_AUDIODRIVER=dummy", "ALSOFT_DRIVERS=null"}) {
        const std::string text = variable;
        const size_t equals = text.find('=');
        setenv(text.substr(0, equals).c_str(), text.substr(equals + 1).c_str(), 0);
    }
    EchoLogToSdl();
    SDL_LogSetOutputFunction(QuietSdlLog, nullptr);
    std::string pattern = (std::filesystem::temp_directory_path() / "verdanel-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    mRoot = pattern;
    std::error_code ignored;
    mPreviousFolder = std::filesystem::current_path(ignored).string();
    setenv("XDG_DATA_HOME", (mRoot + "/xdg").c_str(), 1);
    // The committed fixtures the inputs name (a font description and its glyph image) are the data.
    SetDataRoot(VERDANEL_FUZZ_FIXTURES_DIR);
    if (!SetWorkingFolderToExe()) {
        return;
    }
    TAppConfig::Get()->CreateFolders();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return;
    }
    mState->window = SDL_CreateWindow("fuzz", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    if (mState->window == nullptr || CreateRenderer(mState->window)->GetRenderer() == nullptr) {
        return;
    }
    mReady = OpenLoopbackSound();
}

TFuzzEnvironment::~TFuzzEnvironment() {
    ResetAfterRun();
    TSoundManager::DestroyInstance();
    DestroyRenderer();
    if (mState->window != nullptr) {
        SDL_DestroyWindow(mState->window);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    TLogFile::Release();
    TAppConfig::Release();
    SetDataRoot("");
    std::error_code ignored;
    if (!mPreviousFolder.empty()) {
        std::filesystem::current_path(mPreviousFolder, ignored);
    }
    if (!mRoot.empty()) {
        std::filesystem::remove_all(mRoot, ignored);
    }
}
