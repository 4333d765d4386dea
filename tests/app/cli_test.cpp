// The hmigfx program as a user runs it: help, exit statuses, one-line reports
// of bad scenes with no picture left behind, and pictures written.
#include <hmigfx/png_io.h>

#include "cli_run.h"

#include <optional>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using namespace clirun;

TEST(Cli, HelpAndUsage) {
    Outcome r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("hmigfx render SCENE.json -o OUT.png"), std::string::npos);
    EXPECT_NE(r.out.find("gallery"), std::string::npos);
    EXPECT_EQ(r.err, "");

    r = run("render --help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("lopnStyle"), std::string::npos);
    EXPECT_NE(r.out.find("lbHatch"), std::string::npos);
    // The kinds, from the registry.
    for (const char* kind : {"rectangle", "polygon", "pie", "rubberband"})
        EXPECT_NE(r.out.find(std::string("\n  ") + kind + " "), std::string::npos) << kind;

    r = run("gallery --help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("hmigfx gallery -o OUT.png"), std::string::npos);

    // Bad command lines: status 2 and the usage.
    for (const char* args : {"", "frobnicate", "render", "render a.json", "render -o x.png", "render a.json -o",
                             "render a.json -o x.png --zoom 0", "render a.json -o x.png --origin 3",
                             "render a.json -o x.png --size 0,5", "render a.json -o x.png --size 5,20000",
                             "render a.json -o x.png --sharpen", "gallery"}) {
        r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage: hmigfx render"), std::string::npos) << args;
    }
}

TEST(Cli, BadSceneGivesOneLineStatusTwoAndNoPicture) {
    Scratch s;
    struct Case {
        const char* scene;
        const char* message;  // after "hmigfx: FILE: "
    };
    const Case cases[] = {
        {R"({"size": [10, 10], "objects": [})", "$: invalid JSON: parse error at line 1, column 32"},
        {R"({"size": [10, 10], "objects": [{"kind": "hexagon"}]})", "$.objects[0].kind: unknown kind \"hexagon\""},
        {R"({"size": [10, 10], "objects": [{"kind": "rectangle", "rect": "big"}]})",
         "$.objects[0].rect: expected a rectangle [left, top, right, bottom], got \"big\""},
        {R"({"size": [10, 10], "objects": [{"kind": "ellipse"}]})", "$.objects[0]: missing field \"rect\""},
        {R"({"size": [10, 10], "objects": [{"kind": "rubberband", "shape": "star", "rect": [0, 0, 1, 1]}]})",
         "$.objects[0].shape: expected one of line, polyline"},
    };
    for (const Case& c : cases) {
        const fs::path scene = s.write("bad.json", c.scene);
        const fs::path out = s / "bad.png";
        Outcome r = run("render " + quoted(scene) + " -o " + quoted(out));
        EXPECT_EQ(r.status, 2) << c.scene;
        const std::string expected = "hmigfx: " + scene.string() + ": " + c.message;
        EXPECT_EQ(r.err.substr(0, expected.size()), expected) << c.scene;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(fs::exists(out)) << c.scene;
        // The viewer refuses the scene with render's line, before any window.
        Outcome v = run("view " + quoted(scene));
        EXPECT_EQ(v.status, 2) << c.scene;
        EXPECT_EQ(v.err, r.err) << c.scene;
    }
    // No display: one line saying so, and that render needs none.
    const fs::path good = s.write("good.json", R"({"size": [10, 10], "objects": []})");
    const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY"};
    std::optional<std::string> saved[2];
    for (int i = 0; i < 2; ++i)
        if (const char* v = std::getenv(names[i])) saved[i] = v;
    ::setenv("DISPLAY", ":93", 1);  // a server that does not exist
    ::unsetenv("WAYLAND_DISPLAY");
    Outcome v = run("view " + quoted(good));
    for (int i = 0; i < 2; ++i) saved[i] ? ::setenv(names[i], saved[i]->c_str(), 1) : ::unsetenv(names[i]);
    EXPECT_EQ(v.status, 2);
    EXPECT_EQ(v.err.rfind("hmigfx: view: no display", 0), 0u) << v.err;
    EXPECT_NE(v.err.find("`hmigfx render` draws without one"), std::string::npos) << v.err;
    EXPECT_EQ(std::count(v.err.begin(), v.err.end(), '\n'), 1) << v.err;
    Outcome r = run("render " + quoted(s / "missing.json") + " -o " + quoted(s / "x.png"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cannot read"), std::string::npos);
    EXPECT_FALSE(fs::exists(s / "x.png"));
}

TEST(Cli, RendersAndOverrides) {
    Scratch s;
    const fs::path scene = s.write("ok.json", R"({"size": [40, 30], "background": "#336699",
        "objects": [{"kind": "rectangle", "rect": [2, 2, 10, 10], "pen": {"lopnColor": "#FF0000"},
                     "crFill": "#00FF00"}]})");
    Outcome r = run("render " + quoted(scene) + " -o " + quoted(s / "ok.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    hmigfx::pngio::Image image;
    std::string error;
    ASSERT_TRUE(hmigfx::pngio::readImage((s / "ok.png").string(), image, &error)) << error;
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 30);
    EXPECT_EQ(image.at(30, 25), 0x336699u);
    EXPECT_EQ(image.at(2, 2), 0xFF0000u);
    EXPECT_EQ(image.at(5, 5), 0x00FF00u);

    // --size, --zoom 200 and --origin: the rectangle doubles and moves.
    r = run("render " + quoted(scene) + " -o " + quoted(s / "big.png") + " --size 50,40 --zoom 200 --origin 4,4 --bw");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(hmigfx::pngio::readImage((s / "big.png").string(), image, &error)) << error;
    EXPECT_EQ(image.width, 50);
    EXPECT_EQ(image.height, 40);
    EXPECT_EQ(image.at(0, 0), 0xFF0000u);    // view (4, 4): the corner
    EXPECT_EQ(image.at(16, 16), 0xFF0000u);  // view (20, 20) = document (10, 10)
    EXPECT_EQ(image.at(10, 10), 0x00FF00u);
    EXPECT_EQ(image.at(18, 18), 0x336699u);

    // A picture that cannot be written: status 1.
    r = run("render " + quoted(scene) + " -o " + quoted(s / "no-dir" / "x.png"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos);
}

TEST(Cli, GalleryWritesTheSheet) {
    Scratch s;
    Outcome r = run("gallery -o " + quoted(s / "g.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    hmigfx::pngio::Image image;
    std::string error;
    ASSERT_TRUE(hmigfx::pngio::readImage((s / "g.png").string(), image, &error)) << error;
    EXPECT_EQ(image.width, 1280);
    EXPECT_GT(image.height, 1000);
}

}  // namespace
