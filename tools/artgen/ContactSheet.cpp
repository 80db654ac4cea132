#include "tools/artgen/ContactSheet.h"

#include "tools/artgen/Catalogue.h"
#include "tools/artgen/PixelFont.h"

#include <algorithm>
#include <string>

namespace artgen {

namespace {

constexpr int kSheetWidth = 1648;  // pixels: two 1:1 mock-ups side by side
constexpr int kMargin = 16;        // pixels
constexpr Rgb kPaper = Hex(0x202428), kPanel = Hex(0x58606c), kLabel = Hex(0xe8e8e8),
              kHeading = Hex(0xffd860), kDim = Hex(0x9aa4b0);

// Tall enough for everything; trimmed to the used height at the end.
constexpr int kDraftHeight = 2600;

int Heading(Canvas& sheet, int y, const std::string& text) {
    DrawText(sheet, kMargin, y, text, 2, kHeading);
    return y + 26;
}

int Thumbnails(Canvas& sheet, int y) {
    y = Heading(sheet, y, "FULL-SCREEN PICTURES 800X640, SHOWN AT 1:4");
    int x = kMargin;
    int column = 0;
    for (const PictureFile& p : kPictures) {
        if (p.sprite) continue;
        if (column == 7) {
            column = 0;
            x = kMargin;
            y += 206;
        }
        sheet.Blit(p.draw().Reduced(4), x, y, false);
        DrawText(sheet, x, y + 166, p.name, 2, kLabel);
        DrawText(sheet, x, y + 186, p.caption, 1, kDim);
        x += 232;
        ++column;
    }
    return y + 216;
}

int Strips(Canvas& sheet, int y) {
    y = Heading(sheet, y, "SPRITE STRIPS AT 2:1, FRAMES NUMBERED FROM 0, BLACK (TRANSPARENT) SHOWN GREY");
    for (const PictureFile& p : kPictures) {
        if (!p.sprite) continue;
        const Canvas strip = p.draw();
        DrawText(sheet, kMargin, y, std::string(p.name) + "  " + p.caption, 2, kLabel);
        y += 22;
        // money.bin is one 24 x 24 cell; the rest are stacks of frames.
        const int cellW = p.usedFrames == 1 ? p.width : p.frameWidth;
        const int cellH = p.usedFrames == 1 ? p.height : p.frameHeight;
        const int frames = p.height / cellH;
        int x = kMargin;
        for (int f = 0; f < frames; ++f) {
            sheet.FillRect(x, y, cellW * 2, cellH * 2, kPanel);
            sheet.Blit(strip.Crop(0, f * cellH, cellW, cellH).Enlarged(2), x, y, true);
            const std::string label = std::to_string(f) + (f >= p.usedFrames && frames > 1 ? " SPARE" : "");
            DrawText(sheet, x, y + cellH * 2 + 4, label, 2, f >= p.usedFrames ? kDim : kLabel);
            x += cellW * 2 + 12;
        }
        y += cellH * 2 + 30;
    }
    return y;
}

// A frame as the game would compose it: backdrop, ground row with a hole,
// platforms, vegetation, coins, and the moving sprites at their rows.
Canvas MockUp(Canvas (*backdrop)(), bool desert) {
    Canvas scene = backdrop();
    const Canvas tiles = DrawTilesStrip();
    auto tile = [&tiles](int frame, int rows) { return tiles.Crop(0, frame * kTileSize, kTileSize, rows); };
    for (int column = 0; column < 13; ++column)
        if (column != 7 && column != 8) scene.Blit(tile(0, kTileSize), column * kTileSize, 576, true);
    for (int column : {3, 4, 10}) scene.Blit(tile(0, kPlatformHeight), column * kTileSize, 452, true);
    const int vegetation[] = {1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 6; ++i)
        if (i != 3) scene.Blit(tile(vegetation[i], kTileSize), (i * 2 + (i > 3)) * kTileSize, 512, true);
    const Canvas coin = DrawMoney().Crop(0, 0, 20, 19);
    for (int i = 0; i < 5; ++i) scene.Blit(coin, 200 + i * 50, 420, true);
    scene.Blit(coin, 600, 500, true);
    if (desert) {
        scene.Blit(DrawFireFrame(4), 330, 546, true);
        scene.Blit(DrawFireFrame(9), 400, 546, true);
        scene.Blit(DrawUfoFrame(0), 520, 420, true);
        scene.Blit(DrawPlayerFrame(0, true), 200, 452 - kTileSize + 6, true);
    } else {
        scene.Blit(DrawBeeFrame(true, false), 560, 520, true);
        scene.Blit(DrawBeeFrame(false, true), 150, 420, true);
        scene.Blit(DrawPlayerFrame(1, true), 376, 576 - kTileSize + 6, true);
        scene.Blit(DrawPlayerFrame(2, false), 60, 576 - kTileSize + 6, true);
    }
    // The status line as the game paints it over the top of the frame.
    scene.FillRect(0, 0, scene.Width(), 28, Hex(0x010101));
    DrawText(scene, 5, 10, "SCORE: 000150", 2, Hex(0xffffff));
    DrawText(scene, 340, 10, "LEVEL: 1", 2, Hex(0xffffff));
    DrawText(scene, 680, 10, "LIVES: 3", 2, Hex(0xffffff));
    return scene;
}

int MockUps(Canvas& sheet, int y) {
    y = Heading(sheet, y, "MOCK-UPS OF PLAY AT 1:1 (MEADOW WITH BEES; DESERT WITH FIRE AND SAUCER)");
    sheet.Blit(MockUp(DrawMeadow, false), kMargin, y, false);
    sheet.Blit(MockUp(DrawDesert, true), kMargin + kScreenWidth + 16, y, false);
    return y + kScreenHeight + kMargin;
}

}  // namespace

Canvas DrawContactSheet() {
    Canvas sheet(kSheetWidth, kDraftHeight, kPaper);
    DrawText(sheet, kMargin, kMargin, "BRUVO STAGE KRODEL - CONTACT SHEET OF DATA/", 3, kLabel);
    int y = kMargin + 40;
    y = Thumbnails(sheet, y);
    y = Strips(sheet, y);
    y = MockUps(sheet, y);
    return sheet.Crop(0, 0, kSheetWidth, std::min(y, kDraftHeight));
}

}  // namespace artgen
