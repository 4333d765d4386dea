// The 48 built-in fill patterns, shared by the C++ sources and the Windows
// resource script (both preprocess it): X(number, row0, ..., row7), rows top
// to bottom as hex digits, the leftmost pixel in the most significant bit, a
// 0 bit black.
#pragma once

#define HMIGFX_PATTERN_ROWS(X) \
    X(1, FF, FF, FF, DF, FF, FF, FF, FD) \
    X(2, FD, FF, DF, FF, FD, FF, DF, FF) \
    X(3, FF, DD, FF, 77, FF, DD, FF, 77) \
    X(4, DD, 77, DD, 77, DD, 77, DD, 77) \
    X(5, EE, 55, BB, 55, EE, 55, BB, 55) \
    X(6, 55, AA, 55, AB, 55, AA, 55, BA) \
    X(7, 55, AA, 55, AA, 55, AA, 55, AA) \
    X(8, 88, 55, 22, 55, 88, 55, 22, 55) \
    X(9, 11, 44, 11, 44, 11, 44, 11, 44) \
    X(10, 11, 00, 44, 00, 11, 00, 44, 00) \
    X(11, 00, 08, 00, 80, 00, 08, 00, 80) \
    X(12, 00, 00, 00, 04, 00, 00, 00, 40) \
    X(13, BB, DD, EE, 77, BB, DD, EE, 77) \
    X(14, EE, DD, BB, 77, EE, DD, BB, 77) \
    X(15, 66, 33, 99, CC, 66, 33, 99, CC) \
    X(16, 33, 66, CC, 99, 33, 66, CC, 99) \
    X(17, 1F, 8F, C7, E3, F1, F8, 7C, 3E) \
    X(18, 7C, F8, F1, E3, C7, 8F, 1F, 3E) \
    X(19, EE, EE, EE, EE, EE, EE, EE, EE) \
    X(20, 00, FF, FF, FF, 00, FF, FF, FF) \
    X(21, 55, 55, 55, 55, 55, 55, 55, 55) \
    X(22, 00, FF, 00, FF, 00, FF, 00, FF) \
    X(23, 66, 66, 66, 66, 66, 66, 66, 66) \
    X(24, 00, 00, FF, FF, 00, 00, FF, FF) \
    X(25, FF, DD, EE, 77, BB, FF, FF, FF) \
    X(26, FF, FF, BB, 77, EE, DD, FF, FF) \
    X(27, FF, C3, FF, FF, FF, 3C, FF, FF) \
    X(28, FD, FD, DF, DF, DF, DF, FD, FD) \
    X(29, BF, F7, FE, DF, FD, EF, 7F, FB) \
    X(30, C9, CF, FC, 9C, 93, F3, 3F, 39) \
    X(31, DE, ED, F3, 3F, DE, ED, F3, 3F) \
    X(32, FF, F3, 6D, 9F, FF, F3, 6D, 9F) \
    X(33, 3F, 7F, FE, FD, FB, F3, ED, DE) \
    X(34, FB, FB, 00, BF, BF, BF, 00, FB) \
    X(35, F5, EE, 57, BB, D5, EE, 5D, BB) \
    X(36, 87, 87, 87, 87, AA, 55, AA, 55) \
    X(37, EF, F7, EF, FF, 7F, FE, 7F, FF) \
    X(38, 55, FF, 7F, FF, 7F, FF, 7F, FF) \
    X(39, FF, 7F, FF, DD, FF, F7, FF, DD) \
    X(40, FE, FE, FC, 7B, B7, CF, F3, FD) \
    X(41, 99, 00, 66, 00, 99, 00, 66, 00) \
    X(42, 88, 67, 07, 07, 88, 76, 70, 70) \
    X(43, EE, EE, EE, 00, EE, EE, EE, 00) \
    X(44, 00, FE, FE, FE, FE, FE, FE, FE) \
    X(45, CC, CC, 33, 33, CC, CC, 33, 33) \
    X(46, E1, E1, 1E, 1E, 1E, 1E, E1, E1) \
    X(47, 77, FA, FD, FA, 77, AF, DF, AF) \
    X(48, 07, 8F, DF, FF, DF, 8F, 07, 02)
