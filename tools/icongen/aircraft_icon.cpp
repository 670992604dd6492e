#include "aircraft_icon.hpp"

#include <gif_lib.h>

#include <QImage>
#include <QPainter>
#include <QPolygonF>

namespace icongen {

namespace {

const QColor kOutlineColour(30, 30, 60);
const QColor kFillColour(255, 200, 0);

// The outline in a 32-unit box, nose at the top, clockwise from the nose. Wings and tail are a
// few pixels thick so a turned icon keeps its shape without antialiasing.
QPolygonF aircraft_outline() {
    return QPolygonF({{16, 1.5},  {17.6, 3},  {18, 6},    {18, 11.5}, {30, 18.5}, {30, 21.5},
                      {18, 17.5}, {17.8, 24}, {23, 27.5}, {23, 30},   {17, 28.5}, {16, 30.5},
                      {15, 28.5}, {9, 30},    {9, 27.5},  {14.2, 24}, {14, 17.5}, {2, 21.5},
                      {2, 18.5},  {14, 11.5}, {14, 6},    {14.4, 3}});
}

bool nearer_fill(const QColor& colour) {
    const auto distance = [&](const QColor& to) {
        const int r = colour.red() - to.red();
        const int g = colour.green() - to.green();
        const int b = colour.blue() - to.blue();
        return r * r + g * g + b * b;
    };
    return distance(kFillColour) < distance(kOutlineColour);
}

}  // namespace

IconPixels draw_aircraft(int degrees) {
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        // Coverage-based edges, thresholded below: a GIF has no partial alpha, and coverage
        // keeps every turned icon the same shape where aliased edge rules would not.
        painter.setRenderHint(QPainter::Antialiasing, true);
        const double centre = kIconSize / 2.0;
        painter.translate(centre, centre);
        painter.rotate(degrees);
        painter.translate(-centre, -centre);
        painter.setPen(QPen(kOutlineColour, 1));
        painter.setBrush(kFillColour);
        painter.drawPolygon(aircraft_outline());
    }
    IconPixels pixels{};
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const QColor colour = image.pixelColor(x, y);
            std::uint8_t index = kTransparent;
            if (colour.alpha() >= 128) index = nearer_fill(colour) ? kFill : kOutline;
            pixels[static_cast<std::size_t>(y * kIconSize + x)] = index;
        }
    }
    return pixels;
}

std::string encode_gif(const IconPixels& pixels) {
    std::string bytes;
    const auto append = [](GifFileType* file, const GifByteType* data, int length) {
        static_cast<std::string*>(file->UserData)
            ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
        return length;
    };
    int code = 0;
    GifFileType* gif = EGifOpen(&bytes, append, &code);
    if (gif == nullptr) return {};
    // The transparent entry is white so a viewer without transparency shows a plain background.
    GifColorType colours[4] = {
        {255, 255, 255},
        {static_cast<GifByteType>(kOutlineColour.red()),
         static_cast<GifByteType>(kOutlineColour.green()),
         static_cast<GifByteType>(kOutlineColour.blue())},
        {static_cast<GifByteType>(kFillColour.red()), static_cast<GifByteType>(kFillColour.green()),
         static_cast<GifByteType>(kFillColour.blue())},
        {0, 0, 0}};
    ColorMapObject* palette = GifMakeMapObject(4, colours);
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.DelayTime = 0;
    control.TransparentColor = kTransparent;
    GifByteType extension[4];
    const auto extension_length = EGifGCBToExtension(&control, extension);

    EGifSetGifVersion(gif, true);
    bool ok = palette != nullptr &&
              EGifPutScreenDesc(gif, kIconSize, kIconSize, 2, kTransparent, palette) == GIF_OK &&
              EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extension_length),
                               extension) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, kIconSize, kIconSize, false, nullptr) == GIF_OK;
    IconPixels line_buffer = pixels;  // giflib takes non-const lines
    for (int y = 0; ok && y < kIconSize; ++y) {
        ok = EGifPutLine(gif, line_buffer.data() + y * kIconSize, kIconSize) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &code) == GIF_OK && ok;
    GifFreeMapObject(palette);
    return ok ? bytes : std::string();
}

}  // namespace icongen
