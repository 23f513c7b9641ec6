// The peer on the same work as BM_DrawFullGrid: the same 80 x 24 grid, every
// cell changed every frame, the same font at 13 x 32 pixel tiles, vsync off,
// once with each of libtcod's current renderers. Linked with bench_display.cpp
// so that one run of qv_bench_peer measures both side by side:
//   qv_bench_peer --benchmark_filter=FullGrid --benchmark_repetitions=3
//                 --benchmark_enable_random_interleaving=true
#include <libtcod.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int COLUMNS = 80;
constexpr int ROWS = 24;

// The display's eight colours, in qv::Color order.
constexpr TCOD_ColorRGB COLORS[8] = {{0, 0, 0},   {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                     {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

void BM_PeerFullGrid(benchmark::State& state) {
    const char* displayName = std::getenv("DISPLAY");
    if (displayName == nullptr || *displayName == '\0') {
        state.SkipWithError("no X display; run under xvfb-run");
        return;
    }
    TCOD_Tileset* tileset = TCOD_load_truetype_font_("qv-font.ttf", 13, 32);
    if (tileset == nullptr) {
        state.SkipWithError("no qv-font.ttf in the working directory");
        return;
    }
    TCOD_ContextParams params{};
    params.tcod_version = TCOD_COMPILEDVERSION;
    params.columns = COLUMNS;
    params.rows = ROWS;
    params.renderer_type = static_cast<int>(state.range(0));
    params.tileset = tileset;
    params.vsync = 0;
    params.window_title = "peer";
    TCOD_Context* context = nullptr;
    if (TCOD_context_new(&params, &context) < 0) {
        state.SkipWithError(TCOD_get_error());
        TCOD_tileset_delete(tileset);
        return;
    }
    TCOD_Console* console = TCOD_console_new(COLUMNS, ROWS);
    int frame = 0;
    for (auto _ : state) {
        const int shift = frame++ % 2;
        for (int y = 0; y < ROWS; ++y) {
            for (int x = 0; x < COLUMNS; ++x) {
                const int n = y * COLUMNS + x + shift;
                TCOD_console_put_char_ex(console, x, y, '!' + n % 94, COLORS[n % 8], COLORS[0]);
            }
        }
        TCOD_context_present(context, console, nullptr);
    }
    TCOD_console_delete(console);
    TCOD_context_delete(context);
    TCOD_tileset_delete(tileset);
    state.SetItemsProcessed(state.iterations() * COLUMNS * ROWS);
}
BENCHMARK(BM_PeerFullGrid)
    ->ArgName("renderer")
    ->Arg(TCOD_RENDERER_OPENGL2)
    ->Arg(TCOD_RENDERER_SDL2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
