// Scene files: any text through the hmigfx command's scene reader, and a
// scene that reads drawn on a canvas of at most 160 x 120 pixels.
//
// A bad scene must be one SceneError naming its JSON path; any other
// exception escaping the reader is a finding (the command would abort).
#include "scene.h"
#include "pattern_dir.h"
#include "scene_json.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Pattern titles in lbHatch resolve against the examples' pictures.
    hmigfx::app::usePatternDirectory(HMIGFX_EXAMPLE_PATTERNS, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace hmigfx::app;
    SceneOptions options;
    options.patternDir = HMIGFX_EXAMPLE_PATTERNS;
    options.applyPatternDir = false;
    options.sceneDir = "/nonexistent-fuzz-dir";
    Scene scene;
    try {
        scene = parseScene(std::string(reinterpret_cast<const char*>(data), size), options);
    } catch (const SceneError&) {
        return 0;
    }
    scene.width = std::min(scene.width, 160);
    scene.height = std::min(scene.height, 120);
    Surface surface(scene.width, scene.height);
    if (!surface.ok()) return 0;
    renderScene(scene, surface);
    return 0;
}
