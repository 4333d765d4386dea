// hmigfx print as a user runs it: the page is what render draws, tiles make
// the whole, the preview shows the page, and bad requests leave nothing.
#include "../printing/pdf_pages.h"
#include "cli_run.h"

#include <gtest/gtest.h>

namespace {

using namespace clirun;
using hmigfx::pngio::Image;

const std::string kTankFarm = std::string(HMIGFX_EXAMPLES_DIR) + "/tank-farm.json";

Image readPicture(const fs::path& file) {
    Image image;
    std::string error;
    EXPECT_TRUE(hmigfx::pngio::readImage(file.string(), image, &error)) << error;
    return image;
}

// The page at 96 dpi, zoom 100, no margins is `render --size` of the page (A5
// landscape: 794 x 559), with and without the black/white mode; so is the preview.
TEST(PrintCli, APageAtScreenResolutionIsTheRenderedPicture) {
    Scratch s;
    for (const std::string bw : {"", " --bw"}) {
        const std::string page = " --paper A5 --landscape --dpi 96 --zoom 100 --margins 0" + bw;
        Outcome r = run("print " + kTankFarm + page + " -o " + quoted(s / "page.pdf"));
        ASSERT_EQ(r.status, 0) << r.err;
        r = run("print " + kTankFarm + page + " --preview " + quoted(s / "preview.png"));
        ASSERT_EQ(r.status, 0) << r.err;
        r = run("render " + kTankFarm + " --zoom 100 --size 794,559 -o " + quoted(s / "render.png") + bw);
        ASSERT_EQ(r.status, 0) << r.err;
        const Image rendered = readPicture(s / "render.png");
        const auto pages = hmigfx::testing::pdfPages(s / "page.pdf", 96);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_TRUE(pages[0].pixels == rendered.pixels) << bw;
        EXPECT_TRUE(readPicture(s / "preview.png").pixels == rendered.pixels) << bw;
    }
}

// Tiles on 100 x 80 mm (378 x 302 pixels, 5 mm = 19 pixel margins, a 340 x 264
// area, 38 pixels of overlap) put side by side are the scene on one large page.
TEST(PrintCli, TilesTogetherAreTheWhole) {
    Scratch s;
    const std::string common = " --dpi 96 --zoom 50 --margins 5";
    Outcome r = run("print " + kTankFarm + common + " --paper 100x80mm --tile -o " + quoted(s / "tiles.pdf"));
    ASSERT_EQ(r.status, 0) << r.err;
    r = run("print " + kTankFarm + common + " --paper 200x120mm -o " + quoted(s / "whole.pdf"));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto tiles = hmigfx::testing::pdfPages(s / "tiles.pdf", 96);
    const auto whole = hmigfx::testing::pdfPages(s / "whole.pdf", 96);
    ASSERT_EQ(tiles.size(), 4u);  // 640 x 360 pixels of scene
    ASSERT_EQ(whole.size(), 1u);
    const int margin = 19, stepX = 340 - 38, stepY = 264 - 38;
    int differing = 0;
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 640; ++x) {
            const int col = std::min(x / stepX, 1), row = std::min(y / stepY, 1);
            const Image& tile = tiles[static_cast<size_t>(row * 2 + col)];
            differing += tile.at(margin + x - col * stepX, margin + y - row * stepY) != whole[0].at(margin + x, margin + y);
        }
    EXPECT_EQ(differing, 0);
    // The overlap is marked: where the second column starts, the first has a dashed line.
    int marked = 0;
    for (int y = margin; y < margin + 264; ++y) marked += tiles[0].at(margin + stepX, y) == 0x808080u;
    EXPECT_GT(marked, 50);
}

TEST(PrintCli, BadRequestsAndUnwritableOutputsLeaveNothing) {
    Scratch s;
    const std::string out = " -o " + quoted(s / "x.pdf");
    const struct {
        std::string args;
        int status;
        const char* message;
    } cases[] = {
        {"--paper B7" + out, 2, "unknown paper B7"},
        {"--dpi 50" + out, 2, "--dpi wants a resolution from 72 to 1200"},
        {"--dpi 1201" + out, 2, "--dpi wants"},
        {"--zoom 100 --fit" + out, 2, "exclude each other"},
        {"--margins 200 --paper A5" + out, 2, "--margins leave nothing"},
        {"--printer nosuchqueue" + out, 2, "unknown printer nosuchqueue"},
        {"", 2, "print wants -o OUT.pdf"},
        {"-o " + quoted(s / "missing" / "x.pdf"), 1, "cannot write"},
        {"--preview " + quoted(s / "missing" / "x.png"), 1, "cannot write"},
    };
    for (const auto& c : cases) {
        Outcome r = run("print " + kTankFarm + " --dpi 72 " + c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
        EXPECT_TRUE(fs::is_empty(s / "")) << c.args;
    }
}

}  // namespace
