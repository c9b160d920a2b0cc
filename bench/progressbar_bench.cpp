#include <memory>

#include <QPaintEvent>
#include <QTest>
#include <benchmark/benchmark.h>

#include "progressbar/pixel_surface.h"
#include "progressbar/progress_bar_widget.h"
#include "progressbar/property_store.h"
#include "progressbar/qt_text_renderer.h"
#include "progressbar/xp_progress_bar.h"

namespace {

using klarwell::progressbar::Brush;
using klarwell::progressbar::Pixel;
using klarwell::progressbar::PixelSurface;
using klarwell::progressbar::ProgressBarWidget;
using klarwell::progressbar::PropertyStore;
using klarwell::progressbar::QtTextRenderer;
using klarwell::progressbar::Rgb;
using klarwell::progressbar::XP_ProgressBar;

// Pixel (0, 10) of a 237 x 21 bar: the left frame of each style.
constexpr Pixel kLeftFrame[] = {0x686868,           0x686868,           0x686868,
                                Rgb(100, 172, 230), Rgb(160, 160, 160), Rgb(10, 125, 216),
                                Rgb(0, 94, 169),    Rgb(227, 227, 227), Rgb(160, 160, 160)};

std::unique_ptr<XP_ProgressBar> MakeBar(int style, bool showText) {
    auto bar = std::make_unique<XP_ProgressBar>(237, 21, std::make_unique<QtTextRenderer>());
    bar->UserControl_ReadProperties(PropertyStore{});
    bar->SetImage(std::make_shared<PixelSurface>(8, 8, Rgb(200, 30, 30)));
    bar->SetShowText(showText);
    bar->SetScrolling(style);
    bar->SetValue(50);
    return bar;
}

void BM_DrawProgressBar_Style(benchmark::State& state) {
    const int style = static_cast<int>(state.range(0));
    const auto bar = MakeBar(style, false);
    if (bar->OwnSurface().GetPixel(0, 10) != kLeftFrame[style]) {
        state.SkipWithError("wrong picture");
        return;
    }
    for (auto _ : state) {
        bar->DrawProgressBar();
        benchmark::DoNotOptimize(bar->OwnSurface().Pixels().data());
    }
}
BENCHMARK(BM_DrawProgressBar_Style)->DenseRange(0, 8);

void BM_DrawProgressBar_WithText(benchmark::State& state) {
    const auto bar = MakeBar(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        bar->DrawProgressBar();
        benchmark::DoNotOptimize(bar->OwnSurface().Pixels().data());
    }
}
BENCHMARK(BM_DrawProgressBar_WithText)->Arg(0)->Arg(6);

// One hatch (0) or picture (1) fill over a whole 237 x 21 surface, as styles 7 and 8 do.
void BM_PixelSurface_FillRect(benchmark::State& state) {
    const bool hatch = state.range(0) == 0;
    PixelSurface surface(237, 21);
    const Brush brush =
        hatch ? Brush::CreateHatchBrush(4, Rgb(0, 120, 215))
              : Brush::CreatePatternBrush(std::make_shared<PixelSurface>(8, 8, Rgb(200, 30, 30)));
    surface.FillRect({0, 0, 237, 21}, brush);
    if (surface.GetPixel(4, 0) != (hatch ? Rgb(0, 120, 215) : Rgb(200, 30, 30))) {
        state.SkipWithError("wrong fill");
        return;
    }
    for (auto _ : state) {
        surface.FillRect({0, 0, 237, 21}, brush);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
}
BENCHMARK(BM_PixelSurface_FillRect)->Arg(0)->Arg(1);

class CountingWidget : public ProgressBarWidget {
public:
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++Paints;
        ProgressBarWidget::paintEvent(event);
    }
};

bool ShowWidget(CountingWidget& widget) {
    widget.setGeometry(0, 0, 237, 21);
    widget.ReadProperties(PropertyStore{});
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

// One clean run's worth of progress: 0, 1, ..., 100 on a shown widget.
void BM_ProgressBarWidget_SetValueSweep(benchmark::State& state) {
    CountingWidget widget;
    if (!ShowWidget(widget)) {
        state.SkipWithError("widget not exposed");
        return;
    }
    const int before = widget.Paints;
    for (int value = 0; value <= 100; ++value) {
        widget.SetValue(value);
    }
    if (widget.Value() != 100 || widget.Paints == before) {
        state.SkipWithError("the sweep did not paint");
        return;
    }
    for (auto _ : state) {
        for (int value = 0; value <= 100; ++value) {
            widget.SetValue(value);
        }
    }
    state.counters["paints_per_sweep"] =
        static_cast<double>(widget.Paints - before) / static_cast<double>(state.iterations() + 1);
}
BENCHMARK(BM_ProgressBarWidget_SetValueSweep)->Unit(benchmark::kMicrosecond);

// A folder of 100,000 files whose progress value does not move.
void BM_ProgressBarWidget_SetValueSame(benchmark::State& state) {
    CountingWidget widget;
    if (!ShowWidget(widget)) {
        state.SkipWithError("widget not exposed");
        return;
    }
    widget.SetValue(37);
    const int before = widget.Paints;
    widget.SetValue(37);
    if (widget.Paints != before) {
        state.SkipWithError("an unchanged value painted");
        return;
    }
    for (auto _ : state) {
        for (int i = 0; i < 100000; ++i) {
            widget.SetValue(37);
        }
    }
}
BENCHMARK(BM_ProgressBarWidget_SetValueSame)->Unit(benchmark::kMicrosecond);

}  // namespace
