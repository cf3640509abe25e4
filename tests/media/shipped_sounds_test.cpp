// The sounds and music the game ships: "sounds.xml" loads through the sound manager, every file it
// names is a mono or stereo Ogg Vorbis stream that is heard but not clipped, and every sound the game
// and its data ask for is there and plays.

#include <tinyxml.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/missing_names.h"
#include "app/string_utils.h"
#include "media/openal_handles.h"
#include "media/sound_test_support.h"

namespace sound_test {
namespace {

enum class TKind { Sound, Music, MusicList };

struct TGameSound {
    const char* id;
    TKind kind;
};

// Every sound and music name the game's own code plays: controls and fly windows by default, the
// menu, map, results and options screens, the game controller and its board effects, and the scene
// objects' defaults. Names that data files give are checked from the files themselves below.
const TGameSound kGameSounds[] = {
    {"btnmouseenter", TKind::Sound},
    {"btnmousedown", TKind::Sound},
    {"flywindow", TKind::Sound},
    {"gamename", TKind::Sound},
    {"mosaiccellover", TKind::Sound},
    {"cellmove", TKind::Sound},
    {"hint", TKind::Sound},
    {"timerbonus", TKind::Sound},
    {"timeup", TKind::Sound},
    {"changemosaiccolor", TKind::Sound},
    {"changemosaicshape", TKind::Sound},
    {"wrongmosaic", TKind::Sound},
    {"loselevel", TKind::Sound},
    {"levelcomplete", TKind::Sound},
    {"findhiddencell", TKind::Sound},
    {"findpuzzle", TKind::Sound},
    {"newpair", TKind::Sound},
    {"getreward", TKind::Sound},
    {"tipwindow", TKind::Sound},
    {"gotstar", TKind::Sound},
    {"need_tool", TKind::Sound},
    {"drop_tool", TKind::Sound},
    {"move", TKind::Sound},
    {"mainmenu", TKind::Music},
    {"music1", TKind::MusicList},
};

// Attributes of the data files whose values are sound ids ("sounda" holds a comma list).
const char* const kSoundAttributes[] = {"soundmouseenter", "soundmouseleave", "soundmousedown", "flyinsound",
                                        "flyoutsound",     "sound",           "soundtool",      "soundneedtool",
                                        "sounda",          "showsound",       "hidesound"};

// What a whole decode of a file shows.
struct TDecoded {
    TVorbisFile::TOpenResult open = TVorbisFile::TOpenResult::NoFile;
    int channels = 0;
    double seconds = 0.0;
    int peak = 0;
    double rms = 0.0;
    long clipped = 0; // samples at full scale
    bool readError = false;
};

TDecoded Decode(const std::string& path) {
    TDecoded result;
    TVorbisFile file;
    result.open = file.Open(path);
    if (result.open != TVorbisFile::TOpenResult::Opened) {
        return result;
    }
    result.channels = file.Info()->channels;
    std::vector<char> chunk(65536);
    double sum = 0.0;
    size_t count = 0;
    for (;;) {
        long bytes = file.Read(chunk.data(), static_cast<int>(chunk.size()));
        if (bytes < 0) {
            result.readError = true;
            break;
        }
        if (bytes == 0) {
            break;
        }
        const auto* pcm = reinterpret_cast<const int16_t*>(chunk.data());
        for (long i = 0; i < bytes / 2; ++i) {
            int value = pcm[i];
            result.peak = std::max(result.peak, std::abs(value));
            result.clipped += value >= 32767 || value <= -32768 ? 1 : 0;
            sum += static_cast<double>(value) * value;
        }
        count += static_cast<size_t>(bytes / 2);
    }
    if (count > 0) {
        result.rms = std::sqrt(sum / static_cast<double>(count));
        result.seconds = static_cast<double>(count) / result.channels / file.Info()->rate;
    }
    return result;
}

class ShippedSoundsTest : public testing::Test {
protected:
    void SetUp() override {
        mShipped = std::make_unique<harness::ScopedDataRoot>(GetExecutableFolder());
        ASSERT_TRUE(SetWorkingFolderToExe());
        ASSERT_TRUE(mLoopback.IsReady()) << "the OpenAL loopback device is not available";
        mSystem = TOpenAlSystem::CreateInstance(mLoopback.Device(), mLoopback.Context());
        ASSERT_TRUE(mSystem->HasDevice());
        mManager = TSoundManager::CreateInstance(false);
        mManager->Load("sounds.xml");
    }

    void TearDown() override {
        TSoundManager::DestroyInstance();
        TOpenAlSystem::DestroyInstance();
        mShipped.reset();
    }

    // Output of the next stretch of time, with the stream updates the audio thread would make.
    std::vector<int16_t> Render(double seconds) {
        std::vector<int16_t> all;
        auto total = static_cast<int>(std::lround(seconds * kRate));
        for (int done = 0; done < total; done += 2205) {
            std::vector<int16_t> part = mLoopback.Render(std::min(2205, total - done));
            all.insert(all.end(), part.begin(), part.end());
            mSystem->Update();
        }
        return all;
    }

    // The four lists of "sounds.xml" with their kind; a list the file lacks is missing here.
    std::vector<std::pair<const TPlayList*, TKind>> Lists() const {
        std::vector<std::pair<const TPlayList*, TKind>> lists;
        for (const char* name : {"sound", "voice"}) {
            if (const TPlayList* list = mManager->FindSoundList(name)) {
                lists.emplace_back(list, TKind::Sound);
            }
        }
        for (const char* name : {"music", "music1"}) {
            if (const TPlayList* list = mManager->FindMusicList(name)) {
                lists.emplace_back(list, TKind::Music);
            }
        }
        return lists;
    }

    std::unique_ptr<harness::ScopedDataRoot> mShipped;
    TLoopbackDevice mLoopback;
    TOpenAlSystem* mSystem = nullptr;
    TSoundManager* mManager = nullptr;
};

TEST_F(ShippedSoundsTest, EveryEntryIsAMonoOrStereoVorbisFileThatIsHeardButNotClipped) {
    struct Limits {
        TKind kind;
        double minSeconds;
        double maxSeconds;
    };
    // Effects are short cues; a music track is long enough to loop without wearing thin.
    const Limits limits[] = {{TKind::Sound, 0.03, 4.0}, {TKind::Music, 30.0, 90.0}};
    ASSERT_EQ(Lists().size(), 4u) << "sounds.xml did not load";
    for (const auto& [list, kind] : Lists()) {
        const Limits& limit = kind == TKind::Sound ? limits[0] : limits[1];
        for (const TSoundInfoPtr& entry : list->GetEntries()) {
            SCOPED_TRACE(entry->GetPath());
            // A file that is missing, is not Vorbis or has more than two channels never opens.
            EXPECT_NE(entry->GetHandle(), 0u);
            TDecoded decoded = Decode(entry->GetPath());
            ASSERT_EQ(decoded.open, TVorbisFile::TOpenResult::Opened);
            EXPECT_FALSE(decoded.readError);
            EXPECT_TRUE(decoded.channels == 1 || decoded.channels == 2) << decoded.channels;
            EXPECT_GE(decoded.seconds, limit.minSeconds);
            EXPECT_LE(decoded.seconds, limit.maxSeconds);
            EXPECT_GT(decoded.peak, 32767 / 4) << "too quiet to be heard";
            EXPECT_GT(decoded.rms, 1000.0) << "too quiet to be heard";
            EXPECT_EQ(decoded.clipped, 0);
            EXPECT_GT(entry->GetBaseVolume(), 0.0f);
        }
    }
}

TEST_F(ShippedSoundsTest, EveryNameTheGamePlaysIsListedAndHeard) {
    for (const TGameSound& sound : kGameSounds) {
        SCOPED_TRACE(sound.id);
        switch (sound.kind) {
        case TKind::Sound:
            mManager->PlaySound(sound.id);
            EXPECT_TRUE(mManager->IsSoundPlaying(sound.id));
            break;
        case TKind::Music:
            mManager->PlayMusic(sound.id);
            break;
        case TKind::MusicList:
            mManager->StartMusicList(sound.id, true);
            break;
        }
        if (sound.kind != TKind::Sound) {
            // Past the fade-in, so the track plays at its full volume.
            mManager->Update(TMusicPlayList::kFadeSeconds);
            EXPECT_TRUE(mManager->IsAnyMusicPlaying());
        }
        EXPECT_FALSE(IsSilent(Render(0.1), 0));
        mManager->StopSound(sound.id);
        mManager->StopMusic();
        mManager->Update(TMusicPlayList::kFadeSeconds);
        ASSERT_TRUE(IsSilent(Render(0.1))) << "the next case must start from silence";
    }
    EXPECT_TRUE(GetMissingNames().empty());
    for (const std::string& line : harness::LogLines()) {
        EXPECT_EQ(line.find("sound not found"), std::string::npos) << line;
    }
}

// The sound ids an element and its children name, without those a "sound" child of an enclosing element
// lists itself (a stage's own sound list, which the sound manager also plays by id).
void CollectSoundIds(const TiXmlElement* element, std::set<std::string> inScope, std::set<std::string>& ids) {
    for (const TiXmlElement* own = element->FirstChildElement("sound"); own != nullptr;
         own = own->NextSiblingElement("sound")) {
        if (const char* id = own->Attribute("id")) {
            inScope.insert(id);
        }
    }
    for (const char* attribute : kSoundAttributes) {
        if (const char* value = element->Attribute(attribute)) {
            std::vector<std::string> pieces;
            SplitString(value, ',', pieces);
            for (const std::string& id : pieces) {
                if (!id.empty() && inScope.count(id) == 0) {
                    ids.insert(id);
                }
            }
        }
    }
    for (const TiXmlElement* child = element->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        CollectSoundIds(child, inScope, ids);
    }
}

TEST_F(ShippedSoundsTest, SoundIdsNamedByTheDataFilesAreListed) {
    std::set<std::string> ids;
    int files = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator("assets")) {
        if (item.path().extension() != ".xml" || item.path().filename() == "sounds.xml") {
            continue;
        }
        TiXmlDocument document;
        ASSERT_TRUE(document.LoadFile(item.path().string().c_str())) << item.path();
        CollectSoundIds(document.RootElement(), {}, ids);
        ++files;
    }
    EXPECT_GT(files, 0);
    EXPECT_FALSE(ids.empty()) << "the interface styles name the button sounds";
    const TSoundPlayList* effects = mManager->FindSoundList("sound");
    ASSERT_NE(effects, nullptr);
    for (const std::string& id : ids) {
        EXPECT_TRUE(effects->FindById(id)) << id;
    }
}

} // namespace
} // namespace sound_test
