#include "sdl_calls.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <utility>

#include "app/renderer.h"

namespace {

// SDL's own entry points, behind the ones this program puts in their place.
template <typename F> F Real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
#define REAL(name) static const auto real = Real<decltype(&name)>(#name)

TSdlRecording* gRecording = nullptr;
// The recording whose textures gIndices numbers.
const TSdlRecording* gIndexed = nullptr;
std::vector<TSdlCall> gFrame;
std::map<SDL_Texture*, int> gIndices;
std::set<SDL_Texture*> gSeenThisFrame;
bool gWatching = false;
std::set<SDL_Texture*> gWatched;
// The pixel hashes the replays look for.
std::set<std::string> gWanted;
double gOwnMs = 0;
// Set while this file talks to SDL itself, so its calls are not taken for the game's.
bool gInside = false;

bool Recording() {
    return gRecording != nullptr && !gInside;
}

// The pixels of a texture as ARGB, hashed (FNV-1a); empty when they cannot be read. They are read a band
// of rows at a time through a small target, so telling a large picture's pixels adds little to the
// process's memory; with a spool given, they are also written to it from the given offset.
std::string PixelHash(SDL_Renderer* renderer, SDL_Texture* texture, int width, int height, int spool = -1,
                      off_t spoolAt = 0) {
    if (renderer == nullptr || width <= 0 || height <= 0) {
        return {};
    }
    const int bandRows = std::clamp(65536 / width, 1, height);
    SDL_Texture* copy =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, bandRows);
    if (copy == nullptr) {
        return {};
    }
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint8 alpha = 255, r = 255, g = 255, b = 255;
    SDL_GetTextureBlendMode(texture, &blend);
    SDL_GetTextureAlphaMod(texture, &alpha);
    SDL_GetTextureColorMod(texture, &r, &g, &b);
    SDL_Texture* target = SDL_GetRenderTarget(renderer);
    std::string hash;
    gInside = true;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureAlphaMod(texture, 255);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    // Each target keeps its own viewport, scale and clip, so going back to the old one restores them.
    if (SDL_SetRenderTarget(renderer, copy) == 0) {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(bandRows));
        uint64_t value = 1469598103934665603ull;
        bool read = true;
        for (int top = 0; top < height && read; top += bandRows) {
            const int rows = std::min(bandRows, height - top);
            const SDL_Rect source{0, top, width, rows};
            const SDL_Rect band{0, 0, width, rows};
            const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(rows) * 4;
            read = SDL_RenderCopy(renderer, texture, &source, &band) == 0 &&
                   SDL_RenderReadPixels(renderer, &band, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) == 0;
            for (size_t i = 0; read && i < bytes / 4; ++i) {
                value = (value ^ pixels[i]) * 1099511628211ull;
            }
            if (read && spool >= 0) {
                const off_t at = spoolAt + static_cast<off_t>(top) * width * 4;
                read = pwrite(spool, pixels.data(), bytes, at) == static_cast<ssize_t>(bytes);
            }
        }
        if (read) {
            char text[17];
            std::snprintf(text, sizeof(text), "%016" PRIx64, value);
            hash = text;
        }
        SDL_SetRenderTarget(renderer, target);
    }
    SDL_SetTextureBlendMode(texture, blend);
    SDL_SetTextureAlphaMod(texture, alpha);
    SDL_SetTextureColorMod(texture, r, g, b);
    gInside = false;
    SDL_DestroyTexture(copy);
    return hash;
}

// A picture the game let go of whose pixels a replay wants: its pixels (ARGB) wait in the spool file,
// out of the process's memory, and come back as a texture of its own format and modes for the replay.
struct TKeptPicture {
    off_t at = 0;
    int width = 0;
    int height = 0;
    Uint32 format = SDL_PIXELFORMAT_ARGB8888;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_ScaleMode scale = SDL_ScaleModeNearest;
};
std::map<std::string, TKeptPicture> gKept;
FILE* gSpool = nullptr;
off_t gSpoolEnd = 0;

int SpoolFile() {
    if (gSpool == nullptr) {
        gSpool = std::tmpfile();
    }
    return gSpool != nullptr ? fileno(gSpool) : -1;
}

SDL_Texture* TextureFromSpool(SDL_Renderer* renderer, const TKeptPicture& picture) {
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    std::vector<uint32_t> pixels(count);
    const ssize_t bytes = static_cast<ssize_t>(count * 4);
    if (gSpool == nullptr || pread(fileno(gSpool), pixels.data(), count * 4, picture.at) != bytes) {
        return nullptr;
    }
    Uint32 format = picture.format;
    SDL_Texture* texture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STATIC, picture.width, picture.height);
    if (texture == nullptr) {
        format = SDL_PIXELFORMAT_ARGB8888;
        texture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STATIC, picture.width, picture.height);
    }
    if (texture == nullptr) {
        return nullptr;
    }
    const int pitch = picture.width * SDL_BYTESPERPIXEL(format);
    std::vector<uint8_t> converted(static_cast<size_t>(pitch) * static_cast<size_t>(picture.height));
    if (SDL_ConvertPixels(picture.width, picture.height, SDL_PIXELFORMAT_ARGB8888, pixels.data(), picture.width * 4,
                          format, converted.data(), pitch) != 0 ||
        SDL_UpdateTexture(texture, nullptr, converted.data(), pitch) != 0) {
        SDL_DestroyTexture(texture);
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture, picture.blend);
    SDL_SetTextureScaleMode(texture, picture.scale);
    return texture;
}

TSdlCall Call(TSdlOp op, int texture = -1) {
    TSdlCall call;
    call.op = op;
    call.texture = texture;
    return call;
}

void PutRect(TSdlCall& call, int slot, int bit, const SDL_Rect* rect) {
    if (rect != nullptr) {
        call.given |= bit;
        call.values[slot] = static_cast<float>(rect->x);
        call.values[slot + 1] = static_cast<float>(rect->y);
        call.values[slot + 2] = static_cast<float>(rect->w);
        call.values[slot + 3] = static_cast<float>(rect->h);
    }
}

void PutRectF(TSdlCall& call, int slot, int bit, const SDL_FRect* rect) {
    if (rect != nullptr) {
        call.given |= bit;
        call.values[slot] = rect->x;
        call.values[slot + 1] = rect->y;
        call.values[slot + 2] = rect->w;
        call.values[slot + 3] = rect->h;
    }
}

SDL_Rect GetRect(const TSdlCall& call, int slot) {
    return SDL_Rect{static_cast<int>(call.values[slot]), static_cast<int>(call.values[slot + 1]),
                    static_cast<int>(call.values[slot + 2]), static_cast<int>(call.values[slot + 3])};
}

SDL_FRect GetRectF(const TSdlCall& call, int slot) {
    return SDL_FRect{call.values[slot], call.values[slot + 1], call.values[slot + 2], call.values[slot + 3]};
}

// The recording's index of a texture; on its first use in a frame its modes of the moment go first, so
// a frame replayed after any other starts from the same state.
int TextureIndex(SDL_Texture* texture, bool asTarget = false) {
    if (texture == nullptr) {
        return -1;
    }
    auto found = gIndices.find(texture);
    if (found == gIndices.end()) {
        TSdlTextureKey key;
        int access = 0;
        SDL_QueryTexture(texture, &key.format, &access, &key.width, &key.height);
        found = gIndices.emplace(texture, static_cast<int>(gRecording->textures.size())).first;
        gRecording->textures.push_back(key);
    }
    const int index = found->second;
    TSdlTextureKey& key = gRecording->textures[static_cast<size_t>(index)];
    if (asTarget) {
        key.key = "target";
    } else if (key.key.empty()) {
        key.key = PixelHash(GetSDLRenderer(), texture, key.width, key.height);
    }
    if (gSeenThisFrame.insert(texture).second) {
        SDL_BlendMode blend = SDL_BLENDMODE_NONE;
        Uint8 alpha = 255, r = 255, g = 255, b = 255;
        SDL_GetTextureBlendMode(texture, &blend);
        SDL_GetTextureAlphaMod(texture, &alpha);
        SDL_GetTextureColorMod(texture, &r, &g, &b);
        TSdlCall mode = Call(TSdlOp::kTextureBlend, index);
        mode.values[0] = static_cast<float>(blend);
        gFrame.push_back(mode);
        TSdlCall alphaMod = Call(TSdlOp::kTextureAlpha, index);
        alphaMod.values[0] = alpha;
        gFrame.push_back(alphaMod);
        TSdlCall colorMod = Call(TSdlOp::kTextureColor, index);
        colorMod.values[0] = r;
        colorMod.values[1] = g;
        colorMod.values[2] = b;
        gFrame.push_back(colorMod);
    }
    return index;
}

// Only the game's draws: this file's own (reading a texture's pixels) are not.
void Watch(SDL_Texture* texture) {
    if (gWatching && !gInside && texture != nullptr) {
        gWatched.insert(texture);
    }
}

// The renderer's state as the frame begins, as calls, so the frame can be played on its own.
void BeginFrame(SDL_Renderer* renderer) {
    gFrame.clear();
    gSeenThisFrame.clear();
    if (renderer == nullptr) {
        return;
    }
    TSdlCall target = Call(TSdlOp::kTarget, TextureIndex(SDL_GetRenderTarget(renderer), true));
    gFrame.push_back(target);
    float scaleX = 1, scaleY = 1;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    TSdlCall unscaled = Call(TSdlOp::kScale);
    unscaled.values[0] = unscaled.values[1] = 1;
    gFrame.push_back(unscaled);
    // SDL keeps the viewport and the clip in output pixels but hands them back in the units of the scale
    // in force, rounded: they are read at scale 1 and set again there, before the scale.
    gInside = true;
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    SDL_Rect viewport{};
    SDL_RenderGetViewport(renderer, &viewport);
    const bool clipped = SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
    SDL_Rect clipRect{};
    SDL_RenderGetClipRect(renderer, &clipRect);
    SDL_RenderSetScale(renderer, scaleX, scaleY);
    gInside = false;
    TSdlCall view = Call(TSdlOp::kViewport);
    PutRect(view, 0, 1, &viewport);
    gFrame.push_back(view);
    TSdlCall clip = Call(TSdlOp::kClip);
    if (clipped) {
        PutRect(clip, 0, 1, &clipRect);
    }
    gFrame.push_back(clip);
    TSdlCall scale = Call(TSdlOp::kScale);
    scale.values[0] = scaleX;
    scale.values[1] = scaleY;
    gFrame.push_back(scale);
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    TSdlCall color = Call(TSdlOp::kDrawColor);
    color.values[0] = r;
    color.values[1] = g;
    color.values[2] = b;
    color.values[3] = a;
    gFrame.push_back(color);
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawBlendMode(renderer, &blend);
    TSdlCall drawBlend = Call(TSdlOp::kDrawBlend);
    drawBlend.values[0] = static_cast<float>(blend);
    gFrame.push_back(drawBlend);
}

} // namespace

// The game's calls come here first (this program's definitions stand before SDL's), are noted when a
// frame is being recorded, and go on to SDL.
extern "C" {

int SDL_SetRenderTarget(SDL_Renderer* renderer, SDL_Texture* texture) {
    REAL(SDL_SetRenderTarget);
    if (Recording()) {
        gFrame.push_back(Call(TSdlOp::kTarget, TextureIndex(texture, true)));
    }
    return real(renderer, texture);
}

int SDL_RenderSetViewport(SDL_Renderer* renderer, const SDL_Rect* rect) {
    REAL(SDL_RenderSetViewport);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kViewport);
        PutRect(call, 0, 1, rect);
        gFrame.push_back(call);
    }
    return real(renderer, rect);
}

int SDL_RenderSetClipRect(SDL_Renderer* renderer, const SDL_Rect* rect) {
    REAL(SDL_RenderSetClipRect);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kClip);
        PutRect(call, 0, 1, rect);
        gFrame.push_back(call);
    }
    return real(renderer, rect);
}

int SDL_RenderSetScale(SDL_Renderer* renderer, float scaleX, float scaleY) {
    REAL(SDL_RenderSetScale);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kScale);
        call.values[0] = scaleX;
        call.values[1] = scaleY;
        gFrame.push_back(call);
    }
    return real(renderer, scaleX, scaleY);
}

int SDL_SetRenderDrawColor(SDL_Renderer* renderer, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    REAL(SDL_SetRenderDrawColor);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kDrawColor);
        call.values[0] = r;
        call.values[1] = g;
        call.values[2] = b;
        call.values[3] = a;
        gFrame.push_back(call);
    }
    return real(renderer, r, g, b, a);
}

int SDL_SetRenderDrawBlendMode(SDL_Renderer* renderer, SDL_BlendMode mode) {
    REAL(SDL_SetRenderDrawBlendMode);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kDrawBlend);
        call.values[0] = static_cast<float>(mode);
        gFrame.push_back(call);
    }
    return real(renderer, mode);
}

int SDL_SetTextureBlendMode(SDL_Texture* texture, SDL_BlendMode mode) {
    REAL(SDL_SetTextureBlendMode);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kTextureBlend, TextureIndex(texture));
        call.values[0] = static_cast<float>(mode);
        gFrame.push_back(call);
    }
    return real(texture, mode);
}

int SDL_SetTextureAlphaMod(SDL_Texture* texture, Uint8 alpha) {
    REAL(SDL_SetTextureAlphaMod);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kTextureAlpha, TextureIndex(texture));
        call.values[0] = alpha;
        gFrame.push_back(call);
    }
    return real(texture, alpha);
}

int SDL_SetTextureColorMod(SDL_Texture* texture, Uint8 r, Uint8 g, Uint8 b) {
    REAL(SDL_SetTextureColorMod);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kTextureColor, TextureIndex(texture));
        call.values[0] = r;
        call.values[1] = g;
        call.values[2] = b;
        gFrame.push_back(call);
    }
    return real(texture, r, g, b);
}

int SDL_RenderClear(SDL_Renderer* renderer) {
    REAL(SDL_RenderClear);
    if (Recording()) {
        gFrame.push_back(Call(TSdlOp::kClear));
    }
    return real(renderer);
}

int SDL_RenderFillRect(SDL_Renderer* renderer, const SDL_Rect* rect) {
    REAL(SDL_RenderFillRect);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kFillRect);
        PutRect(call, 0, 1, rect);
        gFrame.push_back(call);
    }
    return real(renderer, rect);
}

int SDL_RenderFillRectF(SDL_Renderer* renderer, const SDL_FRect* rect) {
    REAL(SDL_RenderFillRectF);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kFillRect);
        PutRectF(call, 0, 1, rect);
        gFrame.push_back(call);
    }
    return real(renderer, rect);
}

int SDL_RenderCopy(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect* destination) {
    REAL(SDL_RenderCopy);
    Watch(texture);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kCopy, TextureIndex(texture));
        PutRect(call, 0, 1, source);
        PutRect(call, 4, 2, destination);
        gFrame.push_back(call);
    }
    return real(renderer, texture, source, destination);
}

int SDL_RenderCopyExF(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* source,
                      const SDL_FRect* destination, const double angle, const SDL_FPoint* centre,
                      const SDL_RendererFlip flip) {
    REAL(SDL_RenderCopyExF);
    Watch(texture);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kCopyEx, TextureIndex(texture));
        PutRect(call, 0, 1, source);
        PutRectF(call, 4, 2, destination);
        if (centre != nullptr) {
            call.given |= 4;
            call.values[8] = centre->x;
            call.values[9] = centre->y;
        }
        call.angle = angle;
        call.flip = static_cast<int>(flip);
        gFrame.push_back(call);
    }
    return real(renderer, texture, source, destination, angle, centre, flip);
}

int SDL_RenderGeometry(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Vertex* vertices, int count,
                       const int* indices, int indexCount) {
    REAL(SDL_RenderGeometry);
    Watch(texture);
    if (Recording()) {
        TSdlCall call = Call(TSdlOp::kGeometry, TextureIndex(texture));
        if (vertices != nullptr && count > 0) {
            call.vertices.assign(vertices, vertices + count);
        }
        if (indices != nullptr && indexCount > 0) {
            call.indices.assign(indices, indices + indexCount);
        }
        gFrame.push_back(call);
    }
    return real(renderer, texture, vertices, count, indices, indexCount);
}

void SDL_RenderPresent(SDL_Renderer* renderer) {
    REAL(SDL_RenderPresent);
    if (Recording()) {
        gRecording->frames.push_back(gFrame);
        gFrame.clear();
        gRecording = nullptr;
    }
    real(renderer);
}

void SDL_DestroyTexture(SDL_Texture* texture) {
    REAL(SDL_DestroyTexture);
    const bool watched = gWatched.erase(texture) > 0;
    gIndices.erase(texture);
    if (watched && !gWanted.empty()) {
        const auto start = std::chrono::steady_clock::now();
        TKeptPicture picture;
        picture.at = gSpoolEnd;
        SDL_QueryTexture(texture, &picture.format, nullptr, &picture.width, &picture.height);
        SDL_GetTextureBlendMode(texture, &picture.blend);
        SDL_GetTextureScaleMode(texture, &picture.scale);
        const int spool = SpoolFile();
        const std::string key = PixelHash(GetSDLRenderer(), texture, picture.width, picture.height, spool, gSpoolEnd);
        if (spool >= 0 && gWanted.count(key) > 0 && gKept.emplace(key, picture).second) {
            gSpoolEnd += static_cast<off_t>(picture.width) * picture.height * 4;
        }
        gOwnMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    real(texture);
}

} // extern "C"

void RecordNextFrame(TSdlRecording* recording) {
    if (recording != gIndexed) {
        gIndices.clear();
        gIndexed = recording;
    }
    gRecording = recording;
    BeginFrame(GetSDLRenderer());
}

void StopRecording() {
    gRecording = nullptr;
    gFrame.clear();
}

void WatchTextures(bool enabled) {
    gWatching = enabled;
}

void WantTextures(const std::vector<TSdlRecording>& recordings) {
    gWanted.clear();
    for (const TSdlRecording& recording : recordings) {
        for (const TSdlTextureKey& key : recording.textures) {
            if (key.key != "target") {
                gWanted.insert(key.key);
            }
        }
    }
}

long long KeptPictureBytes() {
    return static_cast<long long>(gSpoolEnd);
}

double TakeOwnMilliseconds() {
    const double ms = gOwnMs;
    gOwnMs = 0;
    return ms;
}

bool SaveRecordings(const std::string& path, const std::vector<TSdlRecording>& recordings) {
    std::ofstream out(path);
    out << "verdanel-sdl-calls 2\n";
    char number[32];
    const auto put = [&out, &number](double value) {
        std::snprintf(number, sizeof(number), " %.9g", value);
        out << number;
    };
    for (const TSdlRecording& recording : recordings) {
        out << "screen " << recording.screen << ' ' << recording.textures.size() << ' ' << recording.frames.size()
            << '\n';
        for (const TSdlTextureKey& key : recording.textures) {
            out << "texture " << (key.key.empty() ? "unread" : key.key) << ' ' << key.width << ' ' << key.height << ' '
                << key.format << '\n';
        }
        for (const std::vector<TSdlCall>& frame : recording.frames) {
            out << "frame " << frame.size() << '\n';
            for (const TSdlCall& call : frame) {
                out << static_cast<int>(call.op) << ' ' << call.texture << ' ' << call.given;
                // Trailing zeros are left out: most calls carry one to four numbers.
                size_t kept = std::size(call.values);
                while (kept > 0 && call.values[kept - 1] == 0.0f) {
                    --kept;
                }
                out << ' ' << kept;
                for (size_t i = 0; i < kept; ++i) {
                    put(call.values[i]);
                }
                if (call.op == TSdlOp::kCopyEx) {
                    put(call.angle);
                    out << ' ' << call.flip;
                }
                if (call.op == TSdlOp::kGeometry) {
                    out << ' ' << call.vertices.size();
                    for (const SDL_Vertex& vertex : call.vertices) {
                        put(vertex.position.x);
                        put(vertex.position.y);
                        out << ' ' << int{vertex.color.r} << ' ' << int{vertex.color.g} << ' ' << int{vertex.color.b}
                            << ' ' << int{vertex.color.a};
                        put(vertex.tex_coord.x);
                        put(vertex.tex_coord.y);
                    }
                    out << ' ' << call.indices.size();
                    for (const int index : call.indices) {
                        out << ' ' << index;
                    }
                }
                out << '\n';
            }
        }
    }
    return static_cast<bool>(out);
}

bool LoadRecordings(const std::string& path, std::vector<TSdlRecording>& recordings) {
    std::ifstream in(path);
    std::string word;
    int version = 0;
    if (!(in >> word >> version) || word != "verdanel-sdl-calls" || version != 2) {
        return false;
    }
    recordings.clear();
    size_t textures = 0;
    size_t frames = 0;
    while (in >> word) {
        TSdlRecording recording;
        if (word != "screen" || !(in >> recording.screen >> textures >> frames)) {
            return false;
        }
        recording.textures.resize(textures);
        for (TSdlTextureKey& key : recording.textures) {
            if (!(in >> word >> key.key >> key.width >> key.height >> key.format) || word != "texture") {
                return false;
            }
        }
        recording.frames.resize(frames);
        for (std::vector<TSdlCall>& frame : recording.frames) {
            size_t calls = 0;
            if (!(in >> word >> calls) || word != "frame") {
                return false;
            }
            frame.resize(calls);
            for (TSdlCall& call : frame) {
                int op = 0;
                size_t count = 0;
                in >> op >> call.texture >> call.given;
                call.op = static_cast<TSdlOp>(op);
                size_t kept = 0;
                in >> kept;
                if (kept > std::size(call.values)) {
                    return false;
                }
                for (size_t i = 0; i < kept; ++i) {
                    in >> call.values[i];
                }
                if (call.op == TSdlOp::kCopyEx) {
                    in >> call.angle >> call.flip;
                }
                if (call.op == TSdlOp::kGeometry) {
                    in >> count;
                    call.vertices.resize(count);
                    for (SDL_Vertex& vertex : call.vertices) {
                        int r = 0, g = 0, b = 0, a = 0;
                        in >> vertex.position.x >> vertex.position.y >> r >> g >> b >> a >> vertex.tex_coord.x >>
                            vertex.tex_coord.y;
                        vertex.color = SDL_Color{static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b),
                                                 static_cast<Uint8>(a)};
                    }
                    in >> count;
                    call.indices.resize(count);
                    for (int& index : call.indices) {
                        in >> index;
                    }
                }
                if (!in || op < 0 || op > static_cast<int>(TSdlOp::kGeometry) || call.texture < -1 ||
                    call.texture >= static_cast<int>(textures)) {
                    return false;
                }
            }
        }
        recordings.push_back(std::move(recording));
    }
    return true;
}

namespace {

struct TTextureModes {
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint8 alpha = 255;
    Uint8 r = 255, g = 255, b = 255;
};

// One recorded call, straight into SDL.
void Play(SDL_Renderer* renderer, const TSdlCall& call, SDL_Texture* texture) {
    const SDL_Rect first = GetRect(call, 0);
    const SDL_Rect second = GetRect(call, 4);
    const auto byte = [&call](int i) { return static_cast<Uint8>(call.values[i]); };
    switch (call.op) {
    case TSdlOp::kTarget:
        SDL_SetRenderTarget(renderer, texture);
        break;
    case TSdlOp::kViewport:
        SDL_RenderSetViewport(renderer, (call.given & 1) != 0 ? &first : nullptr);
        break;
    case TSdlOp::kClip:
        SDL_RenderSetClipRect(renderer, (call.given & 1) != 0 ? &first : nullptr);
        break;
    case TSdlOp::kScale:
        SDL_RenderSetScale(renderer, call.values[0], call.values[1]);
        break;
    case TSdlOp::kDrawColor:
        SDL_SetRenderDrawColor(renderer, byte(0), byte(1), byte(2), byte(3));
        break;
    case TSdlOp::kDrawBlend:
        SDL_SetRenderDrawBlendMode(renderer, static_cast<SDL_BlendMode>(call.values[0]));
        break;
    case TSdlOp::kTextureBlend:
        SDL_SetTextureBlendMode(texture, static_cast<SDL_BlendMode>(call.values[0]));
        break;
    case TSdlOp::kTextureAlpha:
        SDL_SetTextureAlphaMod(texture, byte(0));
        break;
    case TSdlOp::kTextureColor:
        SDL_SetTextureColorMod(texture, byte(0), byte(1), byte(2));
        break;
    case TSdlOp::kClear:
        SDL_RenderClear(renderer);
        break;
    case TSdlOp::kFillRect: {
        const SDL_FRect rect = GetRectF(call, 0);
        SDL_RenderFillRectF(renderer, (call.given & 1) != 0 ? &rect : nullptr);
        break;
    }
    case TSdlOp::kCopy:
        SDL_RenderCopy(renderer, texture, (call.given & 1) != 0 ? &first : nullptr,
                       (call.given & 2) != 0 ? &second : nullptr);
        break;
    case TSdlOp::kCopyEx: {
        const SDL_FRect destination = GetRectF(call, 4);
        const SDL_FPoint centre{call.values[8], call.values[9]};
        SDL_RenderCopyExF(renderer, texture, (call.given & 1) != 0 ? &first : nullptr,
                          (call.given & 2) != 0 ? &destination : nullptr, call.angle,
                          (call.given & 4) != 0 ? &centre : nullptr, static_cast<SDL_RendererFlip>(call.flip));
        break;
    }
    case TSdlOp::kGeometry:
        SDL_RenderGeometry(renderer, texture, call.vertices.data(), static_cast<int>(call.vertices.size()),
                           call.indices.empty() ? nullptr : call.indices.data(), static_cast<int>(call.indices.size()));
        break;
    }
}

// A watched texture of the key's size and format, for one whose pixels changed since the recording (a
// picture drawn anew as it animates); null when there is none.
SDL_Texture* SameSize(const TSdlTextureKey& key) {
    for (SDL_Texture* texture : gWatched) {
        Uint32 format = 0;
        int width = 0, height = 0;
        if (SDL_QueryTexture(texture, &format, nullptr, &width, &height) == 0 && width == key.width &&
            height == key.height && format == key.format) {
            return texture;
        }
    }
    return nullptr;
}

} // namespace

TReplayResult Replay(const TSdlRecording& recording, int frames) {
    TReplayResult result;
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer == nullptr || recording.frames.empty() || frames <= 0) {
        return result;
    }
    const bool watching = gWatching;
    gWatching = false;
    // The pictures the game let go of come back from the spool for this replay alone.
    std::map<std::string, SDL_Texture*> byPixels;
    std::vector<SDL_Texture*> made;
    for (const auto& [key, picture] : gKept) {
        if (SDL_Texture* texture = TextureFromSpool(renderer, picture)) {
            byPixels.emplace(key, texture);
            made.push_back(texture);
        }
    }
    for (SDL_Texture* texture : gWatched) {
        int width = 0, height = 0;
        if (SDL_QueryTexture(texture, nullptr, nullptr, &width, &height) == 0) {
            byPixels.emplace(PixelHash(renderer, texture, width, height), texture);
        }
    }
    std::vector<SDL_Texture*> textures(recording.textures.size(), nullptr);
    std::map<SDL_Texture*, TTextureModes> modes;
    for (size_t i = 0; i < textures.size(); ++i) {
        const TSdlTextureKey& key = recording.textures[i];
        if (key.key == "target") {
            textures[i] = SDL_CreateTexture(renderer, key.format != 0 ? key.format : Uint32{SDL_PIXELFORMAT_ARGB8888},
                                            SDL_TEXTUREACCESS_TARGET, key.width, key.height);
            if (textures[i] != nullptr) {
                made.push_back(textures[i]);
            }
        } else {
            const auto found = byPixels.find(key.key);
            textures[i] = found != byPixels.end() ? found->second : SameSize(key);
            result.texturesBySize += found == byPixels.end() && textures[i] != nullptr ? 1 : 0;
            if (textures[i] != nullptr) {
                TTextureModes& saved = modes[textures[i]];
                SDL_GetTextureBlendMode(textures[i], &saved.blend);
                SDL_GetTextureAlphaMod(textures[i], &saved.alpha);
                SDL_GetTextureColorMod(textures[i], &saved.r, &saved.g, &saved.b);
            }
        }
        result.texturesMissing += textures[i] == nullptr ? 1 : 0;
    }
    long calls = 0;
    for (int frame = 0; frame < frames; ++frame) {
        const std::vector<TSdlCall>& list = recording.frames[static_cast<size_t>(frame) % recording.frames.size()];
        const auto start = std::chrono::steady_clock::now();
        for (const TSdlCall& call : list) {
            SDL_Texture* texture = call.texture >= 0 ? textures[static_cast<size_t>(call.texture)] : nullptr;
            if (call.texture >= 0 && texture == nullptr) {
                ++result.callsLeftOut;
                continue;
            }
            Play(renderer, call, texture);
        }
        SDL_RenderPresent(renderer);
        result.frameMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        for (const TSdlCall& call : list) {
            calls += call.op >= TSdlOp::kClear ? 1 : 0;
        }
    }
    result.callsPerFrame = static_cast<double>(calls) / frames;
    SDL_SetRenderTarget(renderer, nullptr);
    for (const auto& [texture, saved] : modes) {
        SDL_SetTextureBlendMode(texture, saved.blend);
        SDL_SetTextureAlphaMod(texture, saved.alpha);
        SDL_SetTextureColorMod(texture, saved.r, saved.g, saved.b);
    }
    for (SDL_Texture* texture : made) {
        SDL_DestroyTexture(texture);
    }
    // The kept pictures served this replay; the game let go of them long ago.
    gKept.clear();
    gSpoolEnd = 0;
    if (gSpool != nullptr && ftruncate(fileno(gSpool), 0) != 0) {
        std::fclose(gSpool);
        gSpool = nullptr;
    }
    gWatching = watching;
    return result;
}
