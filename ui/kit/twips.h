#pragma once

#include <QPoint>
#include <QRect>

namespace kivola::kit {

// Window layouts are designed in twips, 1/1440 inch: 15 twips make one logical pixel at 96 dpi.
// Qt's device-independent pixels then scale the whole layout on high-density screens.
inline constexpr int TwipsPerPixel = 15;

constexpr int px(int twips)
{
    // Rounded to the nearest pixel, halves away from zero, like the original toolkit.
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr int twips(int pixels)
{
    return pixels * TwipsPerPixel;
}

// Left, top, width and height in twips, as the layouts give them.
struct Twips
{
    int left;
    int top;
    int width;
    int height;

    constexpr QRect toPixels() const { return {px(left), px(top), px(width), px(height)}; }
};

constexpr QPoint pointPx(int x, int y)
{
    return {px(x), px(y)};
}

} // namespace kivola::kit
