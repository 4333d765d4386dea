// Scripts with mistakes: gdi-play must answer as the reference GDI does (the
// same exit status, query answers and "error LINE: ..." text), never crash.
// The expected texts were produced by the reference.
#include "gdi_script.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using namespace std::string_view_literals;

struct BadScript {
    const char* what;
    std::string_view script;
    int status;
    const char* output;
    const char* errors;
};

const BadScript kBadScripts[] = {
    {"an unknown command", "canvas 10 10 0xFFFFFF\nFooBar 1 2\n"sv, 2, "", "error 2: unknown command 'FooBar'\n"},
    {"no canvas first", "Rectangle 1 2 3 4\n"sv, 2, "", "error 1: the script must start with 'canvas W H COLOR'\n"},
    {"too few arguments", "canvas 10 10 0xFFFFFF\nRectangle 1 2 3\n"sv,
     2, "", "error 2: Rectangle: wrong argument count (3)\n"},
    {"a word for a number", "canvas 10 10 0xFFFFFF\nRectangle 1 2 3 zz\n"sv, 2, "", "error 2: bad number 'zz'\n"},
    {"an unknown handle name", "canvas 10 10 0xFFFFFF\nSelectObject nosuch\n"sv,
     2, "", "error 2: unknown handle name 'nosuch'\n"},
    {"a repeat without end", "canvas 10 10 0xFFFFFF\nrepeat 3\nRectangle 1 1 5 5\n"sv,
     2, "", "error 4: repeat without end\n"},
    {"an end without repeat", "canvas 10 10 0xFFFFFF\nend\n"sv, 2, "", "error 2: end without repeat\n"},
    {"a negative canvas", "canvas -5 10 0xFFFFFF\n"sv, 2, "", "error 1: bad size -5x10\n"},
    {"a short CreatePen", "canvas 10 10 0xFFFFFF\nx = CreatePen PS_SOLID 1\n"sv,
     2, "", "error 2: CreatePen: wrong argument count (2)\n"},
    {"a NUL byte first", "\x00\xff\xfe garbage \x01\n"sv,
     2, "", "error 1: empty script: the first command must be 'canvas W H COLOR'\n"},
    {"an odd Polygon count after a query", "canvas 10 10 0xFFFFFF\nGetPixel 3 3\nPolygon 1 2 3\nGetPixel 4 4\n"sv,
     2, "GetPixel 0x00ffffff\n", "error 3: Polygon: wrong argument count (3)\n"},
    {"a PolyPolygon with a negative count", "canvas 10 10 0xFFFFFF\nPolyPolygon 2 3 -1 0 0 5 5 0 5\n"sv,
     2, "", "error 2: PolyPolygon: wrong argument count (9)\n"},
    {"a deleted handle name", "canvas 10 10 0xFFFFFF\nb = CreateSolidBrush 0xFF\nDeleteObject b\nFillRect 0 0 5 5 b\n"sv,
     2, "", "error 4: unknown handle name 'b'\n"},
    {"a number past 64 bits", "canvas 10 10 0xFFFFFF\nGetPixel 99999999999999999999 3\n"sv,
     2, "", "error 2: bad number '99999999999999999999'\n"},
    {"an unknown constant", "canvas 10 10 0xFFFFFF\nr = CreateRectRgn 0 0 5 5\nCombineRgn r r r RGN_FOO\n"sv,
     2, "", "error 3: bad number 'RGN_FOO'\n"},
    {"a timer without label", "canvas 10 10 0xFFFFFF\ntimer stop\n"sv, 2, "", "error 2: timer stop needs a label\n"},
    {"a negative repeat", "canvas 10 10 0xFFFFFF\nrepeat -1\nend\n"sv, 2, "", "error 2: repeat needs a count >= 0\n"},
    {"a canvas too large", "canvas 100000 100000 0xFFFFFF\n"sv, 2, "", "error 1: bad size 100000x100000\n"},
    {"a binding without name", "canvas 10 10 0xFFFFFF\n= CreatePen 0 1 0\n"sv, 2, "", "error 2: unknown command '='\n"},
    {"a GradientFill triangle past its vertices", "canvas 10 10 0xFFFFFF\nGradientFill GRADIENT_FILL_TRIANGLE 1 0 0 0xFF 1 0 1 2\n"sv,
     0, "", "warning 2: GradientFill failed\n"},
    {"an unknown bitmap", "canvas 10 10 0xFFFFFF\nBitBlt 0 0 5 5 nobmp 0 0 SRCCOPY\n"sv,
     2, "", "error 2: unknown handle name 'nobmp'\n"},
};

TEST(BadScripts, AnswerAsTheReference) {
    for (const BadScript& b : kBadScripts) {
        SCOPED_TRACE(b.what);
        const hmigfx::gdiscript::Result r = hmigfx::gdiscript::runScript(std::string(b.script), "/");
        EXPECT_EQ(r.status, b.status);
        EXPECT_EQ(r.output, b.output);
        EXPECT_EQ(r.errors, b.errors);
        // A script that stops with an error leaves no picture.
        if (b.status != 0) {
            EXPECT_EQ(r.image.width, 0);
        }
    }
}

}  // namespace
