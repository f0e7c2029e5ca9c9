// Bitmap files of any BMP depth, decoded by SDL and turned into RGB565 (or kept as palette
// indices when 8 bits are asked for). Pure blue is the transparent colour of every picture, so
// it must land exactly on the key value and nothing else may.
#include <SDL.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/surface.h"

namespace plat {

namespace {

constexpr int64_t kMaxBitmapSide = 16384;
constexpr int64_t kMaxBitmapPixels = 8ll * 1024 * 1024;
constexpr int64_t kMaxFileBytes = 256ll * 1024 * 1024;

uint32_t ReadLE(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

// A first look at the headers, so that a damaged size field is refused before the decoder
// allocates for it: the picture must be of a sane size, and uncompressed pixel rows must
// actually be present in the data.
bool PlausibleHeader(const uint8_t* data, size_t size) {
    if (size < 26 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t infoSize = ReadLE(data + 14, 4);
    int64_t width, height, bitsPerPixel, compression = 0;
    if (infoSize == 12) {
        width = ReadLE(data + 18, 2);
        height = ReadLE(data + 20, 2);
        bitsPerPixel = ReadLE(data + 24, 2);
    } else {
        if (size < 34)
            return false;
        width = int32_t(ReadLE(data + 18, 4));
        height = int32_t(ReadLE(data + 22, 4));
        bitsPerPixel = ReadLE(data + 28, 2);
        if (infoSize >= 20)
            compression = ReadLE(data + 30, 4);
    }
    if (height < 0)
        height = -height; // top-down rows
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return false;
    if (width * height > kMaxBitmapPixels)
        return false;
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (uncompressed) {
        const int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        if (rowBytes * height > int64_t(size))
            return false;
    }
    return true;
}

// Top bits of each component; a colour other than pure blue that would fall on the key is moved
// one step of blue away so that it never turns into a hole.
uint16_t ToRgb565(uint32_t r, uint32_t g, uint32_t b) {
    const uint16_t value = uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    if (value == kBlueKey && !(r == 0 && g == 0 && b == 255))
        return kBlueKey - 1;
    return value;
}

Surface* ToSurface16(SDL_Surface* decoded) {
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_XRGB8888, 0);
    if (!rgb)
        return nullptr;
    Surface* surface = CreateSurface(rgb->w, rgb->h, 16);
    if (surface) {
        for (int y = 0; y < rgb->h; ++y) {
            const auto* in = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(rgb->pixels) + size_t(y) * size_t(rgb->pitch));
            auto* out = reinterpret_cast<uint16_t*>(surface->pixels + size_t(y) * surface->pitch);
            for (int x = 0; x < rgb->w; ++x)
                out[x] = ToRgb565((in[x] >> 16) & 0xFF, (in[x] >> 8) & 0xFF, in[x] & 0xFF);
        }
        SetColorKey(surface, kBlueKey);
    }
    SDL_FreeSurface(rgb);
    return surface;
}

// Palette pictures keep their indices; any other picture gets 3-3-2 colour bytes.
Surface* ToSurface8(SDL_Surface* decoded) {
    if (decoded->format->BytesPerPixel == 1) {
        Surface* surface = CreateSurface(decoded->w, decoded->h, 8);
        if (!surface)
            return nullptr;
        for (int y = 0; y < decoded->h; ++y)
            std::memcpy(surface->pixels + size_t(y) * surface->pitch,
                        static_cast<const uint8_t*>(decoded->pixels) +
                            size_t(y) * size_t(decoded->pitch),
                        size_t(decoded->w));
        return surface;
    }
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_XRGB8888, 0);
    if (!rgb)
        return nullptr;
    Surface* surface = CreateSurface(rgb->w, rgb->h, 8);
    if (surface) {
        for (int y = 0; y < rgb->h; ++y) {
            const auto* in = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(rgb->pixels) + size_t(y) * size_t(rgb->pitch));
            uint8_t* out = surface->pixels + size_t(y) * surface->pitch;
            for (int x = 0; x < rgb->w; ++x)
                out[x] = uint8_t(((in[x] >> 16) & 0xE0) | ((in[x] >> 11) & 0x1C) |
                                 ((in[x] >> 6) & 0x03));
        }
    }
    SDL_FreeSurface(rgb);
    return surface;
}

// The picture in the bytes, or null with the reason in *why when asked.
Surface* DecodeBitmap(const void* data, size_t size, int depth, const char** why) {
    const char* ignored = nullptr;
    const char*& reason = why ? *why : ignored;
    if (!data || (depth != 16 && depth != 8) || size > size_t(kMaxFileBytes)) {
        reason = "cannot be read as a picture";
        return nullptr;
    }
    if (!PlausibleHeader(static_cast<const uint8_t*>(data), size)) {
        reason = "not a BMP picture, or damaged";
        return nullptr;
    }
    SDL_ClearError();
    SDL_RWops* stream = SDL_RWFromConstMem(data, int(size));
    SDL_Surface* decoded = stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (!decoded) {
        // The decoder's own words say what it could not read.
        reason = *SDL_GetError() ? SDL_GetError() : "damaged BMP picture";
        return nullptr;
    }
    Surface* surface = depth == 16 ? ToSurface16(decoded) : ToSurface8(decoded);
    SDL_FreeSurface(decoded);
    if (!surface)
        reason = "out of memory";
    return surface;
}

} // namespace

Surface* LoadBitmapBytes(const void* data, size_t size, int depth) {
    return DecodeBitmap(data, size, depth, nullptr);
}

Surface* LoadBitmapFile(const char* path, int depth) {
    if (!path || !*path)
        return nullptr;
    std::string bytes;
    if (!ReadWholeFile(path, &bytes, size_t(kMaxFileBytes))) {
        ReportFileFailure("load picture", path, FileErrorText(errno));
        return nullptr;
    }
    const char* reason = nullptr;
    Surface* surface = DecodeBitmap(bytes.data(), bytes.size(), depth, &reason);
    if (!surface)
        ReportFileFailure("load picture", path, reason);
    return surface;
}

} // namespace plat
