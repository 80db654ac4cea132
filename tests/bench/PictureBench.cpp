// Picture layer speed: building an 800 x 640 picture from packed RGB (a game
// background) and the transparent merge of a 40 x 30 frame (a sprite). The
// byte loops are measured alone and, when a display is open, through the X
// functions that wrap them.
#include "app/Application.h"
#include "gui/DrawContext.h"
#include "gui/Form.h"
#include "gui/images/PixelLayout.h"
#include "gui/images/Picture.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int32_t kSceneWidth = 800;   // pixels, the game window
constexpr int32_t kSceneHeight = 640;
constexpr int32_t kFrameWidth = 40;    // pixels, a sprite frame
constexpr int32_t kFrameHeight = 30;

std::vector<unsigned char> SceneRgb()
{
    std::vector<unsigned char> rgb(size_t(kSceneWidth) * kSceneHeight * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<unsigned char>(i * 31 + (i >> 9));
    return rgb;
}

PixelLayout StandardLayout()
{
    return PixelLayout{2, 1, 0, 4, 4};
}

void PackRgb(benchmark::State& state, const PixelLayout& layout)
{
    const std::vector<unsigned char> rgb = SceneRgb();
    const size_t stride = PaddedRowBytes(layout, kSceneWidth);
    std::vector<unsigned char> pixels(stride * kSceneHeight, 0);
    for (auto _ : state) {
        PackRgbPixels(layout, rgb.data(), rgb.size(), kSceneWidth, kSceneHeight, pixels.data(), stride);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rgb.size()));
}

void BM_PackRgb800x640(benchmark::State& state)
{
    PackRgb(state, StandardLayout());
}
BENCHMARK(BM_PackRgb800x640)->Unit(benchmark::kMicrosecond);

void BM_PackRgb800x640OtherLayout(benchmark::State& state)
{
    PackRgb(state, PixelLayout{1, 2, 3, 4, 4});
}
BENCHMARK(BM_PackRgb800x640OtherLayout)->Unit(benchmark::kMicrosecond);

// Every other pixel of the frame is black; the window behind is black too, so
// each round does the same comparisons and copies.
void BM_MergeTransparent40x30(benchmark::State& state)
{
    const PixelLayout layout = StandardLayout();
    const size_t stride = PaddedRowBytes(layout, kFrameWidth);
    std::vector<unsigned char> picture(stride * kFrameHeight, 0);
    for (size_t i = 0; i < picture.size(); i += 8)
        picture[i] = picture[i + 1] = picture[i + 2] = 0x80;
    const std::vector<unsigned char> window(stride * kFrameHeight, 0);
    for (auto _ : state) {
        MergeTransparent(layout, picture.data(), stride, window.data(), stride, kFrameWidth, kFrameHeight, 0);
        benchmark::DoNotOptimize(picture.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kFrameWidth * kFrameHeight);
}
BENCHMARK(BM_MergeTransparent40x30)->Unit(benchmark::kNanosecond);

// The X-side benchmarks need a created form on a display.
class BenchForm : public Form {
public:
    explicit BenchForm(Application* app) : Form(0)
    {
        SetApplication(app);
        SetSize(kSceneWidth, kSceneHeight);
        SetPosition(0, 0);
        Create();
    }
};

BenchForm* TheForm()
{
    static Application* app = std::getenv("DISPLAY") != nullptr ? new Application("Bruvo picture bench") : nullptr;
    static BenchForm* form = app != nullptr && app->GetDisplay() != nullptr ? new BenchForm(app) : nullptr;
    return form;
}

void BM_CreateImageFromRgb800x640(benchmark::State& state)
{
    BenchForm* form = TheForm();
    if (form == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    const std::vector<unsigned char> rgb = SceneRgb();
    for (auto _ : state) {
        XImage* image = CreateImageFromRgb(form, rgb.data(), kSceneWidth, kSceneHeight, rgb.size());
        benchmark::DoNotOptimize(image);
        DestroyImage(image);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rgb.size()));
}
BENCHMARK(BM_CreateImageFromRgb800x640)->Unit(benchmark::kMicrosecond);

// The whole transparent draw: read back, merge, put, one round trip each.
void BM_PutImageTransparent40x30(benchmark::State& state)
{
    BenchForm* form = TheForm();
    if (form == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    std::vector<unsigned char> rgb(size_t(kFrameWidth) * kFrameHeight * 3, 0);
    for (size_t i = 0; i < rgb.size(); i += 6)
        rgb[i] = 0xC0;
    XImage* frame = CreateImageFromRgb(form, rgb.data(), kFrameWidth, kFrameHeight, rgb.size());
    DrawContext drawing(form);
    for (auto _ : state)
        drawing.PutImageTransparent(10, 10, kFrameWidth, kFrameHeight, frame, 0);
    DestroyImage(frame);
}
BENCHMARK(BM_PutImageTransparent40x30)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
