// Ternary raster operations (ROP3) evaluated from their truth tables.
//
// Bit (4p + 2s + d) of the operation code (bits 16..23 of the DWORD) is the
// result for pattern bit p, source bit s and destination bit d. For a fixed
// pattern value the result is, bit by bit, an and/xor pair on the
// destination whose masks depend on the source linearly:
//
//   d' = (d & ((s & sa) ^ a0)) ^ ((s & sx) ^ x0)
//
// so any of the 256 codes costs the same handful of operations per pixel.
#pragma once

#include <windows.h>

#include <cstdint>

namespace hmigfx::win32 {

inline unsigned rop3Code(DWORD rop) { return (rop >> 16) & 0xFFu; }

// The result differs between s = 0 and s = 1 for some p, d.
inline bool rop3UsesSource(unsigned code) { return ((code >> 2) & 0x33u) != (code & 0x33u); }
// The result differs between p = 0 and p = 1 for some s, d.
inline bool rop3UsesPattern(unsigned code) { return ((code >> 4) & 0x0Fu) != (code & 0x0Fu); }

struct Rop3Quad {
    uint32_t sa, a0, sx, x0;
};

inline uint32_t applyRop3(const Rop3Quad& q, uint32_t s, uint32_t d) {
    return (d & ((s & q.sa) ^ q.a0)) ^ ((s & q.sx) ^ q.x0);
}

// The quad for pattern value p, restricted to the pixel bits in mask.
inline Rop3Quad rop3Quad(unsigned code, uint32_t p, uint32_t mask) {
    auto bit = [code](unsigned pb, unsigned sb, unsigned db) -> uint32_t {
        return ((code >> (4 * pb + 2 * sb + db)) & 1u) ? ~0u : 0u;
    };
    // Per pattern bit value: the and/xor masks for s = 0 and s = 1.
    uint32_t a[2][2], x[2][2];
    for (unsigned pb = 0; pb < 2; ++pb)
        for (unsigned sb = 0; sb < 2; ++sb) {
            x[pb][sb] = bit(pb, sb, 0);
            a[pb][sb] = bit(pb, sb, 0) ^ bit(pb, sb, 1);
        }
    auto select = [p](uint32_t when0, uint32_t when1) { return (p & when1) | (~p & when0); };
    const uint32_t a0 = select(a[0][0], a[1][0]), a1 = select(a[0][1], a[1][1]);
    const uint32_t x0 = select(x[0][0], x[1][0]), x1 = select(x[0][1], x[1][1]);
    return {(a0 ^ a1) & mask, a0 & mask, (x0 ^ x1) & mask, x0 & mask};
}

// Leaves the destination as it is.
inline Rop3Quad rop3Identity(uint32_t mask) { return {0, mask, 0, 0}; }

// The slow, obviously correct evaluation: straight from the truth table, bit
// by bit. Tests compare the fast paths with it.
inline uint32_t rop3Reference(unsigned code, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t r = 0;
    for (unsigned i = 0; i < 32; ++i) {
        const unsigned idx = 4 * ((p >> i) & 1u) + 2 * ((s >> i) & 1u) + ((d >> i) & 1u);
        r |= ((code >> idx) & 1u) << i;
    }
    return r;
}

}  // namespace hmigfx::win32
