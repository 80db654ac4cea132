#include "game/Sprite.h"

#include "game/FormGames.h"
#include "gui/images/Picture.h"

#include <algorithm>
#include <cstring>

int32_t Sprite::spritesMade = 0;

Sprite::Sprite(FormGames* owner, XImage* strip, int32_t width, int32_t height)
    : owner(owner), strip(strip), width(width), height(height), id(++spritesMade)
{
}

Sprite::~Sprite() { DestroyImage(frameImage); }

void Sprite::CutFrame()
{
    if (!strip || !owner || width <= 0 || height <= 0)
        return;
    if (!frameImage)
        frameImage = CreateBlankImage(owner, width, height);
    if (!frameImage || frameImage->bits_per_pixel != strip->bits_per_pixel)
        return;
    const size_t pixelBytes = static_cast<size_t>(frameImage->bits_per_pixel / 8);
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    const size_t copied = static_cast<size_t>(std::min(width, strip->width)) * pixelBytes;
    const int32_t top = (frame - 1) * height;
    for (int32_t row = 0; row < height; ++row) {
        char* to = frameImage->data + static_cast<size_t>(row) * frameImage->bytes_per_line;
        const int32_t from = top + row;
        // A frame past the strip's end (or a narrower strip) reads as black.
        if (from < 0 || from >= strip->height) {
            std::memset(to, 0, rowBytes);
            continue;
        }
        std::memcpy(to, strip->data + static_cast<size_t>(from) * strip->bytes_per_line, copied);
        std::memset(to + copied, 0, rowBytes - copied);
    }
}

void Sprite::RestoreUnder(int32_t atX, int32_t atY)
{
    if (!owner)
        return;
    const int32_t left = std::max(atX, 0);
    const int32_t top = std::max(atY, 0);
    const int32_t right = std::min(atX + width, owner->GetWidth());
    const int32_t bottom = std::min(atY + height, owner->GetHeight());
    if (right <= left || bottom <= top)
        return;
    owner->RipristinaSfondo(inScene ? RestoreLayer::Scene : RestoreLayer::Frame, left, top, right - left,
                            bottom - top);
}

void Sprite::Erase()
{
    // Where it was drawn, which is where it is unless it was moved since.
    if (placed && lastX != -1 && lastY != -1)
        RestoreUnder(lastX, lastY);
    placed = false;
    lastX = lastY = -1;
}

void Sprite::Draw()
{
    if (!owner)
        return;
    if (frame != drawnFrame)
        CutFrame();
    if (lastX != -1 && lastY != -1)
        RestoreUnder(lastX, lastY);
    if (x >= 0 && y >= 0 && x < owner->GetWidth() && y < owner->GetHeight() && width > 0 && height > 0 &&
        frameImage)
        owner->RenderImage(frameImage, x, y, 0, 0, width, height, inScene, transparent);
    placed = true;
    drawnFrame = frame;
    lastX = x;
    lastY = y;
}
