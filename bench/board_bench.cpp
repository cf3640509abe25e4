// Loading a level file, judging a full-row stroke and drawing the board at 15 x 15, 30 x 30 and 60 x 60,
// with the complexity fitted over the cell count. Levels are made here so that no line has more than 5
// runs of a colour (nothing is logged while timing); the board draws with the game's own tileset, marks
// and number font.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_config.h"
#include "app/log.h"
#include "app/renderer.h"
#include "app/xml_reader.h"
#include "board/mosaic_layout.h"
#include "data/level_layout_file.h"
#include "data/tilesets.h"
#include "graphics/font_registry.h"
#include "headless.h"

namespace {

std::string gDataFolder;

// Colour of 3 x 3 blocks cycling through empty, 1, 2 and 3 along rows and columns.
char BlockColour(int row, int column) {
    return static_cast<char>('0' + (row / 3 + column / 3) % 4);
}

std::string LevelPath(int side) {
    return "levels/bench" + std::to_string(side) + ".xml";
}

void WriteLevel(int side) {
    std::ofstream file(gDataFolder + "/assets/" + LevelPath(side));
    file << "<level><info name=\"bench\" rows=\"" << side << "\" cols=\"" << side << "\" rewardscount=\"0\"/>\n";
    for (int row = 0; row < side; ++row) {
        std::string line;
        for (int column = 0; column < side; ++column) {
            line += BlockColour(row, column);
        }
        file << "<line line=\"" << line << "\"/>\n";
    }
    file << "</level>\n";
}

void LoadLevelFile(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::string path = LevelPath(side);
    for (auto _ : state) {
        TMosaicBoard board;
        if (!LoadLevelLayout(board, path, false)) {
            state.SkipWithError("level did not load");
            break;
        }
        benchmark::DoNotOptimize(board.GetItems());
    }
    state.SetComplexityN(static_cast<int64_t>(side) * side);
}

// Press on the first cell of a row, drag over every cell to the last, release: the whole row is
// judged, runs and clue flags are brought up to date and the colour view is redrawn.
void JudgeFullRowStroke(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    TMosaicBoard loaded;
    if (!LoadLevelLayout(loaded, LevelPath(side), false)) {
        state.SkipWithError("level did not load");
        return;
    }
    const int row = side / 2;
    for (auto _ : state) {
        state.PauseTiming();
        TMosaicBoard board = loaded;
        state.ResumeTiming();
        const TMosaicCell& first = board.GetCell(row, 0);
        board.Press(first.x + 1, first.y + 1, TMosaicBoard::kLeftButton);
        for (int column = 0; column < side; ++column) {
            const TMosaicCell& cell = board.GetCell(row, column);
            board.Drag(cell.x + 1, cell.y + 1, TMosaicBoard::kLeftButton);
        }
        const TMosaicCell& last = board.GetCell(row, side - 1);
        board.Release(last.x + 1, last.y + 1, TMosaicBoard::kLeftButton);
        benchmark::DoNotOptimize(board.GetMistakes());
    }
    state.SetComplexityN(static_cast<int64_t>(side) * side);
}

// One frame of a board in the middle of a game: one row painted, a stroke held along the first row with
// its numbers shown, the pointer's row and column highlighted, and the clue area.
void DrawBoard(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MosaicLayout_t board;
    if (!board.Load(LevelPath(side), false)) {
        state.SkipWithError("level did not load");
        return;
    }
    const TMosaicBoard& rules = board.GetBoard();
    const int row = side / 2;
    board.OnMouseDown(rules.GetCell(row, 0).x + 1, rules.GetCell(row, 0).y + 1, TMosaicBoard::kLeftButton);
    const TMosaicCell& rowEnd = rules.GetCell(row, side - 1);
    board.OnMouseDrag(rowEnd.x + 1, rowEnd.y + 1, TMosaicBoard::kLeftButton);
    board.OnMouseUp(rowEnd.x + 1, rowEnd.y + 1, TMosaicBoard::kLeftButton);
    board.OnMouseDown(rules.GetCell(0, 0).x + 1, rules.GetCell(0, 0).y + 1, TMosaicBoard::kLeftButton);
    const TMosaicCell& firstRowEnd = rules.GetCell(0, side - 1);
    board.OnMouseDrag(firstRowEnd.x + 1, firstRowEnd.y + 1, TMosaicBoard::kLeftButton);
    for (auto _ : state) {
        board.DrawCells();
        board.DrawClues();
        SDL_RenderFlush(GetSDLRenderer());
    }
    state.SetComplexityN(static_cast<int64_t>(side) * side);
}

BENCHMARK(LoadLevelFile)->Arg(15)->Arg(30)->Arg(60)->Complexity();
BENCHMARK(JudgeFullRowStroke)->Arg(15)->Arg(30)->Arg(60)->Complexity();
BENCHMARK(DrawBoard)->Arg(15)->Arg(30)->Arg(60)->Complexity()->Unit(benchmark::kMicrosecond);

// Headless, with a fresh per-user folder and a data root of its own, never the real ones.
bool PrepareFolders() {
    gDataFolder = PrepareHeadlessRun();
    if (gDataFolder.empty()) {
        return false;
    }
    setenv("XDG_DATA_HOME", (gDataFolder + "/xdg").c_str(), 1);
    std::filesystem::create_directories(gDataFolder + "/assets/levels");
    // The game's art, tilesets and fonts, beside the levels made here.
    const std::filesystem::path shipped = std::filesystem::path(GetExecutableFolder()) / "assets";
    std::error_code failed;
    for (const char* name : {"textures", "tilesets", "fonts", "fonts.xml"}) {
        std::filesystem::create_symlink(shipped / name, std::filesystem::path(gDataFolder) / "assets" / name, failed);
        if (failed) {
            return false;
        }
    }
    SetDataRoot(gDataFolder);
    return SetWorkingFolderToExe();
}

// A hidden window large enough for the 60 x 60 board with its clues, so no draw is clipped away; the
// current tileset's textures and the fonts.
SDL_Window* gWindow = nullptr;

bool OpenGraphics() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    gWindow = SDL_CreateWindow("bench", 0, 0, 2800, 2700, SDL_WINDOW_HIDDEN);
    if (gWindow == nullptr || CreateRenderer(gWindow)->GetRenderer() == nullptr) {
        return false;
    }
    LoadTilesets("tilesets/tilesets.xml");
    LoadTilesetTextures(0);
    const TiXmlElement* fonts = LoadXmlRoot("fonts.xml");
    if (fonts == nullptr) {
        return false;
    }
    TFontRegistry::GetInstance()->LoadXml(fonts);
    ReleaseXmlRoot();
    return true;
}

// Textures go before the renderer.
void CloseGraphics() {
    TFontRegistry::Destroy();
    ClearTilesets();
    DestroyRenderer();
    if (gWindow != nullptr) {
        SDL_DestroyWindow(gWindow);
    }
    SDL_Quit();
}

} // namespace

int main(int argc, char** argv) {
    if (!PrepareFolders()) {
        return 1;
    }
    for (int side : {15, 30, 60}) {
        WriteLevel(side);
    }
    const bool graphics = OpenGraphics();
    benchmark::Initialize(&argc, argv);
    if (graphics) {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    CloseGraphics();
    TLogFile::Release();
    TAppConfig::Release();
    std::error_code ignored;
    std::filesystem::remove_all(gDataFolder, ignored);
    return graphics ? 0 : 1;
}
