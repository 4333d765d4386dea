// The display back end: headless unless the program installs one at start-up.
#include <hmigfx_display.h>

namespace hmigfx::display {
namespace {

class Headless : public Backend {
public:
    bool isHeadless() const override { return true; }
    void present(HWND, const Frame&, const RECT&) override {}
    bool waitForInput(int) override { return false; }
};

std::unique_ptr<Backend>& installed() {
    static auto* b = new std::unique_ptr<Backend>(std::make_unique<Headless>());  // outlives static destructors
    return *b;
}

}  // namespace

void setBackend(std::unique_ptr<Backend> b) { installed() = b ? std::move(b) : std::make_unique<Headless>(); }

Backend& backend() { return *installed(); }

}  // namespace hmigfx::display
