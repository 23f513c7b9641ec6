// Drawing cost of a full screen: every one of the 80 x 24 cells through
// drawCh, then showFrame, in a real window (run under xvfb-run when headless),
// batched by the display and, for comparison, drawn the plain way.
#include "PerCellRenderer.h"

#include "qv/display/DisplayManager.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Cell {
    qv::Vector position;
    char ch;
    qv::Color color;
};

/// Starts the display; false (and the benchmark skipped) when it cannot.
bool startDisplay(benchmark::State& state) {
    // SFML aborts the process when it cannot reach an X display.
    const char* displayName = std::getenv("DISPLAY");
    if (displayName == nullptr || *displayName == '\0') {
        state.SkipWithError("no X display; run under xvfb-run");
        return false;
    }
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    if (display.startUp() != 0 || display.getWindow() == nullptr) {
        state.SkipWithError("the display manager did not start (window or font missing)");
        return false;
    }
    return true;
}

/// Every cell of the grid, with mixed characters and colours; each shift
/// gives another picture.
std::vector<Cell> fullGrid(int shift = 0) {
    const qv::DisplayManager& display = qv::DisplayManager::getInstance();
    const int columns = display.getHorizontalChars();
    const int rows = display.getVerticalChars();
    std::vector<Cell> cells;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const int n = y * columns + x + shift;
            cells.push_back({qv::Vector(static_cast<float>(x), static_cast<float>(y)),
                             static_cast<char>('!' + n % 94), static_cast<qv::Color>(n % 8)});
        }
    }
    return cells;
}

void BM_DrawFullGrid(benchmark::State& state) {
    if (!startDisplay(state)) {
        return;
    }
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    // Two pictures in turn, so that every frame is drawn anew.
    const std::vector<Cell> grids[2] = {fullGrid(0), fullGrid(1)};
    int frame = 0;
    for (auto _ : state) {
        for (const Cell& cell : grids[frame++ % 2]) {
            display.drawCh(cell.position, cell.ch, cell.color);
        }
        display.showFrame();
    }
    display.shutDown();
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(grids[0].size()));
}
BENCHMARK(BM_DrawFullGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same full grid drawn again, unchanged, then shown: what an idle screen
// such as the start screen costs every frame.
void BM_DrawUnchangedFrame(benchmark::State& state) {
    if (!startDisplay(state)) {
        return;
    }
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    const std::vector<Cell> cells = fullGrid();
    for (int frame = 0; frame < 2; ++frame) {
        for (const Cell& cell : cells) {
            display.drawCh(cell.position, cell.ch, cell.color);
        }
        display.showFrame();
    }
    const long long rasterised = display.getRasterisedCells();
    for (auto _ : state) {
        for (const Cell& cell : cells) {
            display.drawCh(cell.position, cell.ch, cell.color);
        }
        display.showFrame();
    }
    // Only the once-a-second redraw (one frame in 30) rasterises anything.
    const double perFrame = static_cast<double>(display.getRasterisedCells() - rasterised) /
                            static_cast<double>(state.iterations());
    state.counters["cells_rasterised_per_frame"] = perFrame;
    if (perFrame > static_cast<double>(cells.size()) / 20) {
        state.SkipWithError("unchanged frames were rasterised again");
    }
    display.shutDown();
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(cells.size()));
}
BENCHMARK(BM_DrawUnchangedFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Showing and clearing a frame with nothing on it: what every frame pays to
// present the window, whatever it draws.
void BM_ShowEmptyFrame(benchmark::State& state) {
    if (!startDisplay(state)) {
        return;
    }
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    for (auto _ : state) {
        display.showFrame();
    }
    display.shutDown();
}
BENCHMARK(BM_ShowEmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same grid drawn the plain way, two draw calls a cell.
void BM_DrawFullGrid_PerCell(benchmark::State& state) {
    if (!startDisplay(state)) {
        return;
    }
    qv::DisplayManager& display = qv::DisplayManager::getInstance();
    qvbench::PerCellRenderer renderer;
    if (!renderer.isReady()) {
        state.SkipWithError("no qv-font.ttf in the working directory");
        return;
    }
    const std::vector<Cell> cells = fullGrid();
    for (auto _ : state) {
        for (const Cell& cell : cells) {
            renderer.drawCh(*display.getWindow(), cell.position, cell.ch, cell.color);
        }
        display.showFrame();
    }
    display.shutDown();
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(cells.size()));
}
BENCHMARK(BM_DrawFullGrid_PerCell)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
