// Face shading: the light moves a face's luma in steps of 10 by the cosine of
// the angle between its normal and the light, the hue (I, Q) stays.
#include <hmigfx/object3d.h>

#include "object3d/object3d_p.h"

#include <cmath>

using hmigfx::object3d::single;
using hmigfx::object3d::wholePart;

namespace {

struct Light {
    float x, y, z;
};

// Light codes 70 ... 78 in order. The last is (1, 3, 0), not (3, 3, 0).
constexpr Light kLights[9] = {
    {-3, -3, 0}, {0, -3, 0}, {3, -3, 0}, {-3, 0, 0}, {0, 0, 3}, {3, 0, 0}, {-3, 3, 0}, {0, 3, 0}, {1, 3, 0},
};

// An unknown light code shades as the default light from the viewer.
const Light& lightFor(int code) {
    if (code < LIGHT3D_UPPER_LEFT || code > LIGHT3D_BELOW_RIGHT) code = LIGHT3D_VIEWER;
    return kLights[code - LIGHT3D_UPPER_LEFT];
}

float length(float x, float y, float z) {
    float sum = x * x + y * y;
    sum = sum + z * z;
    return std::sqrt(sum);
}

int clampChannel(int v) { return v > 255 ? 255 : v < 0 ? 0 : v; }

}  // namespace

COLORREF Object3D::getColor(_ITEM* pItem, Point3D normal) {
    if (!pItem) return 0;
    const Light& light = lightFor(pItem->light);
    const double dot = static_cast<double>(normal.x) * light.x + static_cast<double>(normal.y) * light.y +
                       static_cast<double>(normal.z) * light.z;
    const float normalLength = length(normal.x, normal.y, normal.z);
    const float lightLength = length(light.x, light.y, light.z);
    // k runs from -10 (turned away from the light) to 10 (facing it); a
    // normal of zero length or not a number leaves the luma alone.
    int k = 0;
    if (normalLength != 0.0f && !std::isnan(normalLength)) {
        const float cosine = single(dot / (static_cast<double>(lightLength) * normalLength));
        k = wholePart(static_cast<double>(cosine) * 10.0);
    }

    const int r = static_cast<int>(pItem->color & 0xFF);
    const int g = static_cast<int>((pItem->color >> 8) & 0xFF);
    const int b = static_cast<int>((pItem->color >> 16) & 0xFF);
    const int luma = wholePart(static_cast<double>(lumaFromRed[r]) + lumaFromGreen[g] + lumaFromBlue[b]);
    const int inPhase = wholePart(static_cast<double>(inPhaseFromRed[r]) + inPhaseFromGreen[g] + inPhaseFromBlue[b]);
    const int quadrature =
        wholePart(static_cast<double>(quadratureFromRed[r]) + quadratureFromGreen[g] + quadratureFromBlue[b]);

    const double lit = luma + 10 * k;
    const double i = inPhase, q = quadrature;
    const int red = wholePart(lit + i * static_cast<double>(0.956f) + q * static_cast<double>(0.621f));
    const int green = wholePart(lit - i * static_cast<double>(0.273f) - q * static_cast<double>(0.647f));
    const int blue = wholePart(lit - i * static_cast<double>(1.104f) + q * static_cast<double>(1.701f));
    return static_cast<COLORREF>(clampChannel(red) + 256 * clampChannel(green) + 65536 * clampChannel(blue));
}
