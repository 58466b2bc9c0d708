// The drawing layer against the references it must keep up with: filling a full-HD canvas,
// and filling it with list-item rectangles of 400 x 18 row by row, against memset of the same
// bytes; painting a line of text against cairo.

#include "framework/graphics/Bitmap.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace framework;

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kLinesPerRun = 10000;
constexpr int kTextSurfaceWidth = 1024, kTextSurfaceHeight = 20;

std::string HundredCharLine() {
    std::string line;
    while (line.size() < 100)
        line += "The quick brown fox jumps over the lazy dog. ";
    line.resize(100);
    return line;
}

void BM_FillRect(benchmark::State& state) {
    TBitmap bmp(kWidth, kHeight);
    TCanvas& c = *bmp.Canvas();
    int n = 0;
    for (auto _ : state) {
        c.Brush()->SetColor((n++ & 1) ? clRed : clBlue);
        c.FillRect(Rect(0, 0, kWidth, kHeight));
        benchmark::DoNotOptimize(bmp.ScanLine(0));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_FillRect);

void BM_Memset(benchmark::State& state) {
    std::vector<TPixel> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    int n = 0;
    for (auto _ : state) {
        std::memset(pixels.data(), (n++ & 1) ? 0x7F : 0x3F, pixels.size() * sizeof(TPixel));
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_Memset);

// The item rectangles of list boxes 400 pixels wide: columns of 60 rows of 18 pixels side by
// side, covering the canvas but for its last 320 pixels.
constexpr int kItemWidth = 400, kItemHeight = 18;
constexpr int kItemColumns = kWidth / kItemWidth, kItemRows = kHeight / kItemHeight;

void BM_FillItemRects(benchmark::State& state) {
    TBitmap bmp(kWidth, kHeight);
    TCanvas& c = *bmp.Canvas();
    int n = 0;
    for (auto _ : state) {
        for (int column = 0; column < kItemColumns; ++column)
            for (int row = 0; row < kItemRows; ++row) {
                c.Brush()->SetColor(((n++ ^ row) & 1) ? clRed : clBlue);
                const int x = column * kItemWidth, y = row * kItemHeight;
                c.FillRect(Rect(x, y, x + kItemWidth, y + kItemHeight));
            }
        benchmark::DoNotOptimize(bmp.ScanLine(0));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kItemColumns * kItemRows * kItemWidth * kItemHeight * 4);
}
BENCHMARK(BM_FillItemRects);

// memset of the same pixels, one item row of 400 pixels at a time.
void BM_MemsetItemRows(benchmark::State& state) {
    std::vector<TPixel> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    int n = 0;
    for (auto _ : state) {
        for (int column = 0; column < kItemColumns; ++column)
            for (int row = 0; row < kItemRows; ++row) {
                const int value = ((n++ ^ row) & 1) ? 0x7F : 0x3F;
                for (int y = row * kItemHeight; y < (row + 1) * kItemHeight; ++y)
                    std::memset(pixels.data() + static_cast<std::size_t>(y) * kWidth + column * kItemWidth,
                                value, kItemWidth * sizeof(TPixel));
            }
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kItemColumns * kItemRows * kItemWidth * kItemHeight * 4);
}
BENCHMARK(BM_MemsetItemRows);

// Cairo paints no background behind text, so the canvas brush is clear here too.
void BM_TextOut(benchmark::State& state) {
    const std::string line = HundredCharLine();
    TBitmap bmp(kTextSurfaceWidth, kTextSurfaceHeight);
    TCanvas& c = *bmp.Canvas();
    c.Font()->SetName("DejaVu Sans");
    c.Font()->SetHeight(-12);
    c.Font()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
    for (auto _ : state) {
        for (int i = 0; i < kLinesPerRun; ++i)
            c.TextOut(0, 0, line);
        benchmark::DoNotOptimize(bmp.ScanLine(5));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kLinesPerRun);
}
BENCHMARK(BM_TextOut)->Unit(benchmark::kMillisecond);

void BM_CairoShowText(benchmark::State& state) {
    const std::string line = HundredCharLine();
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTextSurfaceWidth, kTextSurfaceHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (auto _ : state) {
        for (int i = 0; i < kLinesPerRun; ++i) {
            cairo_move_to(cr, 0, 12);
            cairo_show_text(cr, line.c_str());
        }
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    state.SetItemsProcessed(state.iterations() * kLinesPerRun);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_CairoShowText)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("FillRect/memset speed ratio", "BM_Memset", "BM_FillRect", "target >= 0.70");
    reporter.PrintRatio("FillRect of list items/memset speed ratio", "BM_MemsetItemRows", "BM_FillItemRects",
                        "target >= 0.50");
    reporter.PrintRatio("TextOut/cairo_show_text speed ratio", "BM_CairoShowText", "BM_TextOut",
                        "target >= 1.00");
    benchmark::Shutdown();
    return 0;
}
