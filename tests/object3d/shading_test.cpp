// Face colours from the base colour, the normal and the light code.
#include "object3d_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace object3d_test;

namespace {

struct Shade {
    Object3D object;
    ItemPtr item = makeItem(object, square());

    COLORREF operator()(COLORREF base, Point3D normal, int light = 74) {
        object.SetColorItem(item.get(), base);
        object.SetLightItem(item.get(), light);
        return Object3DInspector::getColor(object, item.get(), normal);
    }
};

const Point3D kTowardViewer(0, 0, 1);
const Point3D kEdgeOn(1, 0, 0);
const Point3D kAway(0, 0, -1);

TEST(Object3DShading, LightFromTheViewerMovesTheLumaBy100) {
    Shade shade;
    EXPECT_EQ(shade(0x00808080, kTowardViewer), 0x00E4E4E4u);
    EXPECT_EQ(shade(0x00808080, kEdgeOn), 0x00808080u);
    EXPECT_EQ(shade(0x00808080, kAway), 0x001C1C1Cu);
    EXPECT_EQ(shade(0x00000000, kTowardViewer), 0x00646464u);
    // The length of the normal does not matter: cap normals carry the depth.
    EXPECT_EQ(shade(0x00808080, Point3D(0, 0, 50)), 0x00E4E4E4u);
    EXPECT_EQ(shade(0x00808080, Point3D(0, 0, -50)), 0x001C1C1Cu);
}

TEST(Object3DShading, HueSurvivesTheRoundTripThroughTruncatedYiq) {
    Shade shade;
    EXPECT_EQ(shade(0x00FF00FF, kTowardViewer), 0x00FF63FFu);
    EXPECT_EQ(shade(0x00FF00FF, kEdgeOn), 0x00FD00FEu);
    EXPECT_EQ(shade(0x00FF00FF, Point3D(0.6f, 0, 0.8f)), 0x00FF4FFFu);
    EXPECT_EQ(shade(0x00FFFFFF, kEdgeOn), 0x00FDFFFEu);
    // The top byte of the base colour plays no part.
    EXPECT_EQ(shade(0x01808080, kEdgeOn), 0x00808080u);
}

TEST(Object3DShading, StepsOfTenFollowTheCosine) {
    Shade shade;
    // cos 0.45 -> k = 4, cos -0.45 -> k = -4.
    const float s = std::sqrt(1.0f - 0.45f * 0.45f);
    EXPECT_EQ(shade(0x00808080, Point3D(s, 0, 0.45f)), 0x00A8A8A8u);
    EXPECT_EQ(shade(0x00808080, Point3D(s, 0, -0.45f)), 0x00585858u);
    EXPECT_EQ(shade(0x00808080, Point3D(0, 0.5f, 0.8660254f)), 0x00D0D0D0u);
}

TEST(Object3DShading, EachLightCodeHasItsDirection) {
    Shade shade;
    const COLORREF grey = 0x00808080;
    struct Case {
        int light;
        Point3D facing;  // a normal pointing straight at that light
    };
    const float d = std::sqrt(0.5f);
    const float e = 1.0f / std::sqrt(10.0f);
    const Case cases[] = {
        {70, {-d, -d, 0}}, {71, {0, -1, 0}}, {72, {d, -d, 0}}, {73, {-1, 0, 0}},   {74, {0, 0, 1}},
        {75, {1, 0, 0}},   {76, {-d, d, 0}}, {77, {0, 1, 0}},  {78, {e, 3 * e, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_GE(GetRValue(shade(grey, c.facing, c.light)), 0xDA) << c.light;
        const Point3D opposite(-c.facing.x, -c.facing.y, -c.facing.z);
        EXPECT_LE(GetRValue(shade(grey, opposite, c.light)), 0x26) << c.light;
    }
    // 78 is (1, 3, 0): a normal straight down is not quite facing it.
    EXPECT_EQ(shade(grey, Point3D(0, 1, 0), 78), 0x00DADADAu);
    EXPECT_EQ(shade(grey, Point3D(0, 1, 0), 77), 0x00E4E4E4u);
}

TEST(Object3DShading, UnknownLightCodesShadeAsTheViewersLight) {
    Shade shade;
    for (int code : {0, 69, 79, -74, 1000}) {
        EXPECT_EQ(shade(0x00808080, kTowardViewer, code), 0x00E4E4E4u) << code;
        EXPECT_EQ(shade(0x00336699, Point3D(0.3f, -0.2f, 0.5f), code),
                  shade(0x00336699, Point3D(0.3f, -0.2f, 0.5f), 74))
            << code;
    }
}

TEST(Object3DShading, NormalsWithoutDirectionLeaveTheLumaAlone) {
    Shade shade;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(shade(0x00808080, Point3D(0, 0, 0)), 0x00808080u);
    EXPECT_EQ(shade(0x00808080, Point3D(nan, nan, nan)), 0x00808080u);
    EXPECT_EQ(shade(0x00FF00FF, Point3D(0, 0, 0)), 0x00FD00FEu);
}

TEST(Object3DShading, ChannelsClampAtBothEnds) {
    Shade shade;
    EXPECT_EQ(shade(0x00FFFFFF, kTowardViewer), 0x00FFFFFFu);
    EXPECT_EQ(shade(0x00000000, kAway), 0x00000000u);
    const COLORREF red = shade(0x000000FF, kTowardViewer);
    EXPECT_EQ(GetRValue(red), 255);
    EXPECT_GT(GetGValue(red), 0);
}

}  // namespace
