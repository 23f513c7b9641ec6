#include "qv/platform/web/CanvasScreen.h"

#include "qv/platform/web/CanvasInput.h"

#include <emscripten.h>

// The page's script defines window.qvPage before the program starts.
EM_JS(int, qv_page_present, (), { return typeof qvPage == 'object' ? 1 : 0; });
EM_JS(void, qv_page_set_title, (const char* title), { qvPage.setTitle(UTF8ToString(title)); });
EM_JS(void, qv_page_set_status, (const char* text), { qvPage.setStatus(UTF8ToString(text)); });
EM_JS(void, qv_page_draw, (const void* cells, int count),
      { qvPage.drawFrame(HEAPF32, HEAP32, cells >> 2, count); });

namespace qv {

std::unique_ptr<Screen> makeDefaultScreen() {
    return std::make_unique<CanvasScreen>();
}

int CanvasScreen::open(const std::string& title, int columns, int rows, int, int) {
    failure.clear();
    if (qv_page_present() == 0) {
        failure = "no qv-page.js in the page to draw with";
        return -1;
    }
    packed.reserve(static_cast<std::size_t>(columns * rows));
    qv_page_set_title(title.c_str());
    opened = true;
    return 0;
}

void CanvasScreen::close() {
    opened = false;
}

bool CanvasScreen::isOpen() const {
    return opened;
}

const std::string& CanvasScreen::getFailure() const {
    return failure;
}

void CanvasScreen::setTitle(const std::string& title) {
    qv_page_set_title(title.c_str());
}

bool CanvasScreen::showStatus(const std::string& text) {
    qv_page_set_status(text.c_str());
    return true;
}

void CanvasScreen::show(const std::vector<ScreenCell>& cells, const TextGrid&) {
    packed.clear();
    for (const ScreenCell& cell : cells) {
        packed.push_back({cell.column, cell.row, static_cast<unsigned char>(cell.ch), cell.color});
    }
    qv_page_draw(packed.data(), static_cast<int>(packed.size()));
    rasterised += static_cast<long long>(packed.size());
}

long long CanvasScreen::getRasterisedCells() const {
    return rasterised;
}

std::unique_ptr<InputSource> CanvasScreen::makeInput() {
    return std::make_unique<CanvasInput>();
}

} // namespace qv
