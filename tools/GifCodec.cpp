#include "GifCodec.h"

#include <gif_lib.h>

#include <array>
#include <cstring>

namespace {

using Rgb = std::array<std::uint8_t, 3>;

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

struct ReadCursor {
    const std::vector<std::uint8_t>* bytes;
    std::size_t offset;
};

int ReadBytes(GifFileType* gif, GifByteType* data, int length) {
    auto* cursor = static_cast<ReadCursor*>(gif->UserData);
    const std::size_t left = cursor->bytes->size() - cursor->offset;
    const std::size_t n = static_cast<std::size_t>(length) < left ? static_cast<std::size_t>(length) : left;
    if (n > 0) {
        std::memcpy(data, cursor->bytes->data() + cursor->offset, n);
        cursor->offset += n;
    }
    return static_cast<int>(n);
}

// Palette in order of first appearance, the transparent entry first, so the
// bytes depend on the picture alone.
bool BuildPalette(const Canvas& canvas, std::vector<Rgb>& palette, int& transparentIndex,
                  std::vector<GifPixelType>& indices) {
    transparentIndex = -1;
    indices.resize(static_cast<std::size_t>(canvas.Width()) * canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::uint8_t* p = canvas.Pixel(x, y);
            if (p[3] == 0 && transparentIndex < 0) {
                transparentIndex = 0;
                palette.insert(palette.begin(), Rgb{p[0], p[1], p[2]});
            }
        }
    }
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::uint8_t* p = canvas.Pixel(x, y);
            std::size_t index = 0;
            if (p[3] == 0) {
                index = 0;
            } else if (p[3] != 255) {
                return false;
            } else {
                const Rgb colour{p[0], p[1], p[2]};
                index = transparentIndex < 0 ? 0 : 1;
                while (index < palette.size() && palette[index] != colour) {
                    ++index;
                }
                if (index == palette.size()) {
                    if (palette.size() == 256) {
                        return false;
                    }
                    palette.push_back(colour);
                }
            }
            indices[static_cast<std::size_t>(y) * canvas.Width() + x] = static_cast<GifPixelType>(index);
        }
    }
    return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeGif(const Canvas& canvas) {
    std::vector<Rgb> palette;
    int transparentIndex = -1;
    std::vector<GifPixelType> indices;
    if (!BuildPalette(canvas, palette, transparentIndex, indices)) {
        return std::nullopt;
    }
    int mapSize = 2;
    while (mapSize < static_cast<int>(palette.size())) {
        mapSize *= 2;
    }
    std::vector<GifColorType> colours(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colours[i] = GifColorType{palette[i][0], palette[i][1], palette[i][2]};
    }

    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendBytes, &error);
    if (!gif) {
        return std::nullopt;
    }
    ColorMapObject* map = GifMakeMapObject(mapSize, colours.data());
    bool ok = map != nullptr;
    EGifSetGifVersion(gif, true);
    ok = ok && EGifPutScreenDesc(gif, canvas.Width(), canvas.Height(), 8, 0, map) == GIF_OK;
    if (ok && transparentIndex >= 0) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.UserInputFlag = false;
        control.DelayTime = 0;
        control.TransparentColor = transparentIndex;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, canvas.Width(), canvas.Height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < canvas.Height(); ++y) {
        ok = EGifPutLine(gif, &indices[static_cast<std::size_t>(y) * canvas.Width()], canvas.Width()) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    if (!ok) {
        return std::nullopt;
    }
    return out;
}

std::optional<Canvas> DecodeGif(const std::vector<std::uint8_t>& bytes) {
    ReadCursor cursor{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&cursor, ReadBytes, &error);
    if (!gif) {
        return std::nullopt;
    }
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
        DGifCloseFile(gif, &error);
        return std::nullopt;
    }
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, 0, &control);
    const GifImageDesc& desc = frame.ImageDesc;
    if (!map || desc.Left != 0 || desc.Top != 0 || desc.Width != gif->SWidth || desc.Height != gif->SHeight) {
        DGifCloseFile(gif, &error);
        return std::nullopt;
    }
    Canvas canvas(gif->SWidth, gif->SHeight);
    bool ok = true;
    for (int y = 0; y < desc.Height && ok; ++y) {
        for (int x = 0; x < desc.Width; ++x) {
            const int index = frame.RasterBits[static_cast<std::size_t>(y) * desc.Width + x];
            if (index >= map->ColorCount) {
                ok = false;
                break;
            }
            const GifColorType& c = map->Colors[index];
            canvas.Set(x, y, c.Red, c.Green, c.Blue, index == control.TransparentColor ? 0 : 255);
        }
    }
    DGifCloseFile(gif, &error);
    if (!ok) {
        return std::nullopt;
    }
    return canvas;
}
