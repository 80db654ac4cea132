#include "gui/images/ImageFrame.h"

#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/images/PaletteImage.h"
#include "gui/images/Picture.h"
#include "support/Log.h"
#include "support/Packing.h"

#include <string>

namespace {
constexpr int32_t kTransparentKey = 0x000000;  // black shows what is behind
}  // namespace

ImageFrame::ImageFrame(GUIElement* parentElement, XImage* sheetPicture, int32_t frameColumn, int32_t frameRow)
    : Child(parentElement), sheet(sheetPicture), column(frameColumn), row(frameRow)
{
    type = kTypeImageFrame;
    tabStop = false;
    repaintWithContainer = true;
}

ImageFrame::ImageFrame(GUIElement* parentElement, XImage* const* framePictures, int32_t frameCount,
                       int32_t frameColumn, int32_t frameRow)
    : ImageFrame(parentElement, nullptr, frameColumn, frameRow)
{
    if (framePictures != nullptr && frameCount > 0) {
        frames = framePictures;
        count = frameCount;
    }
}

ImageFrame::ImageFrame(GUIElement* parentElement, const PaletteImage* const* sourcePictures, int32_t sourceCount,
                       int32_t frameColumn, int32_t frameRow)
    : ImageFrame(parentElement, nullptr, frameColumn, frameRow)
{
    if (sourcePictures != nullptr && sourceCount > 0) {
        sources = sourcePictures;
        count = sourceCount;
    }
}

ImageFrame::~ImageFrame()
{
    for (XImage* frame : converted)
        DestroyImage(frame);
}

bool ImageFrame::FrameExists(int32_t frameColumn, int32_t frameRow) const
{
    bool inside = frameColumn >= 0 && frameRow >= 0;
    if (inside && sheet != nullptr) {
        inside = width > 0 && height > 0 &&
                 static_cast<int64_t>(width) * (static_cast<int64_t>(frameColumn) + 1) <= sheet->width &&
                 static_cast<int64_t>(height) * (static_cast<int64_t>(frameRow) + 1) <= sheet->height;
    } else if (inside) {
        inside = static_cast<int64_t>(frameColumn) + frameRow < count;
    }
    // Once per missing frame: a frame that no longer fits is asked for on every paint.
    if (!inside && PackPoint(frameColumn, frameRow) != lastMissing) {
        lastMissing = PackPoint(frameColumn, frameRow);
        WriteLog("ImageFrame: no frame at column " + std::to_string(frameColumn) + " row " +
                 std::to_string(frameRow));
    }
    return inside;
}

bool ImageFrame::StoreFrame(int32_t frameColumn, int32_t frameRow)
{
    if (frameColumn == column && frameRow == row)
        return false;
    if (!FrameExists(frameColumn, frameRow))
        return false;
    column = frameColumn;
    row = frameRow;
    return true;
}

void ImageFrame::SetFrame(int32_t frameColumn, int32_t frameRow)
{
    if (StoreFrame(frameColumn, frameRow))
        PaintIfCreated();
}

void ImageFrame::SetFrameAndHide(int32_t frameColumn, int32_t frameRow, bool hideFirst)
{
    if (!StoreFrame(frameColumn, frameRow) || !created)
        return;
    if (hideFirst) {
        Hide();
        Create();
    }
    Paint();
}

uint64_t ImageFrame::GetFrame() const
{
    return PackPoint(column, row);
}

void ImageFrame::SetTransparent(bool flag)
{
    transparent = flag;
    Paint();
}

void ImageFrame::ConvertSources()
{
    converted.assign(static_cast<size_t>(count), nullptr);
    const size_t rgbBytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    for (int32_t i = 0; i < count; ++i) {
        RgbBuffer rgb = DecodePaletteImage(width, height, sources[i]);
        if (rgb)
            converted[static_cast<size_t>(i)] = CreateImageFromRgb(this, rgb.get(), width, height, rgbBytes);
    }
}

XImage* ImageFrame::ArrayFrame(int32_t index) const
{
    return frames != nullptr ? frames[index] : converted[static_cast<size_t>(index)];
}

void ImageFrame::Paint()
{
    Form* form = created ? DrawingForm() : nullptr;
    if (form == nullptr)
        return;
    if (sources != nullptr && converted.empty())
        ConvertSources();
    if (!FrameExists(column, row))
        return;
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    XImage* frame = sheet == nullptr ? ArrayFrame(column + row) : nullptr;
    if (sheet == nullptr && frame == nullptr)
        return;

    DrawContext dc(form);
    if (transparent) {
        // One more each way than the frame: FillRectangle leaves its last
        // column and row, where the previous frame would stay behind black.
        dc.FillRectangle(px, py, w + 1, h + 1, 0, 0, ContainerBackColor());
        if (sheet != nullptr)
            dc.PutImageRegionTransparent(px, py, w, h, sheet, w * column, h * row);
        else
            dc.PutImageTransparent(px, py, w, h, frame, kTransparentKey);
    } else if (sheet != nullptr) {
        dc.PutImagePart(px, py, w, h, sheet, w * column, h * row);
    } else {
        dc.PutImage(px, py, w, h, frame);
    }
}
