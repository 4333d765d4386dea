// CMyPen: the GDI pens it makes for LOGPEN records, zooms and styles, its
// class record, and its failure.
#include <hmigfx/my_pen.h>

#include <hmigfx/my_dc.h>

#include "../afx/mfc_throw.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PenInfo {
    DWORD type = 0;  // OBJ_PEN or OBJ_EXTPEN
    DWORD style = 0;
    DWORD width = 0;
    COLORREF color = 0;
    std::vector<DWORD> dashes;
};

PenInfo inspect(const CPen& pen) {
    PenInfo info;
    info.type = GetObjectType(pen.m_hObject);
    if (info.type == OBJ_EXTPEN) {
        union {
            EXTLOGPEN elp;
            BYTE room[sizeof(EXTLOGPEN) + 16 * sizeof(DWORD)];
        } u{};
        EXPECT_GT(GetObjectW(pen.m_hObject, sizeof u, &u), 0);
        info.style = u.elp.elpPenStyle;
        info.width = u.elp.elpWidth;
        info.color = u.elp.elpColor;
        EXPECT_EQ(u.elp.elpBrushStyle, static_cast<UINT>(BS_SOLID));
        info.dashes.assign(u.elp.elpStyleEntry, u.elp.elpStyleEntry + u.elp.elpNumEntries);
    } else {
        LOGPEN lp{};
        EXPECT_EQ(GetObjectW(pen.m_hObject, sizeof lp, &lp), static_cast<int>(sizeof lp));
        info.style = lp.lopnStyle;
        info.width = static_cast<DWORD>(lp.lopnWidth.x);
        info.color = lp.lopnColor;
    }
    return info;
}

LOGPEN logPen(UINT style, LONG whole, LONG hundredths, COLORREF color = RGB(9, 9, 9)) {
    return LOGPEN{style, POINT{whole, hundredths}, color};
}

constexpr DWORD kBroken = PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_USERSTYLE;

TEST(CMyPen, HasItsClassRecord) {
    const CRuntimeClass* rc = RUNTIME_CLASS(CMyPen);
    EXPECT_STREQ(rc->m_lpszClassName, "CMyPen");
    EXPECT_EQ(rc->m_pBaseClass, RUNTIME_CLASS(CPen));
    EXPECT_EQ(rc->m_wSchema, 0xFFFFu);
    EXPECT_EQ(rc->m_pfnCreateObject, nullptr);
    CMyPen pen;
    EXPECT_EQ(pen.m_hObject, nullptr);
    EXPECT_EQ(pen.GetRuntimeClass(), rc);
    EXPECT_TRUE(pen.IsKindOf(RUNTIME_CLASS(CGdiObject)));
    EXPECT_EQ(kBroken, 0x10107u);
}

TEST(CMyPen, BrokenLinesGetTheLibrarysDashesTimesTheWidth) {
    const CMyPen dash(PS_DASH, RGB(1, 2, 3), 3);
    const PenInfo d = inspect(dash);
    EXPECT_EQ(d.type, static_cast<DWORD>(OBJ_EXTPEN));
    EXPECT_EQ(d.style, kBroken);
    EXPECT_EQ(d.width, 3u);
    EXPECT_EQ(d.color, RGB(1, 2, 3));
    EXPECT_EQ(d.dashes, (std::vector<DWORD>{51, 21}));

    EXPECT_EQ(inspect(CMyPen(PS_DASHDOTDOT, 0, 1)).dashes, (std::vector<DWORD>{8, 4, 2, 4, 2, 4}));
    EXPECT_EQ(inspect(CMyPen(PS_DOT, 0, 2)).dashes, (std::vector<DWORD>{4, 8}));
    EXPECT_EQ(inspect(CMyPen(PS_DASHDOT, 0, 4)).dashes, (std::vector<DWORD>{32, 28, 8, 28}));
}

TEST(CMyPen, RubberBandPensAreThinGeometricPensWithFactorOne) {
    const PenInfo p = inspect(CMyPen(PS_DOT, RGB(0, 0, 0)));
    EXPECT_EQ(p.type, static_cast<DWORD>(OBJ_EXTPEN));
    EXPECT_EQ(p.style, kBroken);
    EXPECT_EQ(p.width, 0u);
    EXPECT_EQ(p.dashes, (std::vector<DWORD>{2, 4}));
}

TEST(CMyPen, OtherStylesGoToCreatePenUntouched) {
    for (int style : {PS_SOLID, PS_NULL, PS_INSIDEFRAME}) {
        const PenInfo p = inspect(CMyPen(style, RGB(4, 5, 6), 2));
        EXPECT_EQ(p.type, static_cast<DWORD>(OBJ_PEN)) << style;
        EXPECT_EQ(p.style, static_cast<DWORD>(style));
        EXPECT_EQ(p.width, 2u);
        EXPECT_EQ(p.color, RGB(4, 5, 6));
    }
    EXPECT_EQ(inspect(CMyPen(PS_SOLID, 0)).width, 0u);
}

TEST(CMyPen, EachPenKeepsItsOwnDashesAndColour) {
    const CMyPen a(PS_DASHDOTDOT, RGB(1, 1, 1), 1);
    const CMyPen b(PS_DASH, RGB(7, 7, 7), 3);
    EXPECT_EQ(inspect(a).dashes, (std::vector<DWORD>{8, 4, 2, 4, 2, 4}));
    EXPECT_EQ(inspect(a).color, RGB(1, 1, 1));
    EXPECT_EQ(inspect(b).dashes, (std::vector<DWORD>{51, 21}));
    EXPECT_EQ(inspect(b).color, RGB(7, 7, 7));
}

TEST(CMyPen, LogPensFollowTheZoom) {
    CPoint org(0, 0);
    CMyDC z100(100, org), z150(150, org), z400(400, org), z50(50, org);

    LOGPEN thin = logPen(PS_DASH, 0, 50);  // 0.5 view units: width 0, factor 1
    PenInfo p = inspect(CMyPen(z100, thin, RGB(1, 1, 1)));
    EXPECT_EQ(p.width, 0u);
    EXPECT_EQ(p.dashes, (std::vector<DWORD>{17, 7}));

    LOGPEN one = logPen(PS_DASH, 1, 0);
    EXPECT_EQ(inspect(CMyPen(z150, one, 0)).width, 1u);  // 1.5 truncated
    EXPECT_EQ(inspect(CMyPen(z150, one, 0)).dashes, (std::vector<DWORD>{17, 7}));
    p = inspect(CMyPen(z400, one, 0));
    EXPECT_EQ(p.width, 4u);
    EXPECT_EQ(p.dashes, (std::vector<DWORD>{68, 28}));
    EXPECT_EQ(inspect(CMyPen(z50, one, 0)).width, 0u);

    // The factor steps only at whole view units: 2.9 counts as 2.
    LOGPEN almost3 = logPen(PS_DOT, 2, 90);
    p = inspect(CMyPen(z100, almost3, 0));
    EXPECT_EQ(p.width, 2u);
    EXPECT_EQ(p.dashes, (std::vector<DWORD>{4, 8}));

    LOGPEN solid = logPen(PS_SOLID, 3, 0);
    p = inspect(CMyPen(z150, solid, 0));
    EXPECT_EQ(p.type, static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(p.width, 4u);  // 4.5 truncated
}

TEST(CMyPen, TheColourIsTheArgumentNotTheLogPens) {
    CMyDC dc;
    LOGPEN lp = logPen(PS_DASH, 1, 0, RGB(255, 0, 0));
    EXPECT_EQ(inspect(CMyPen(dc, lp, RGB(0, 0, 255))).color, RGB(0, 0, 255));
    LOGPEN solid = logPen(PS_SOLID, 1, 0, RGB(255, 0, 0));
    EXPECT_EQ(inspect(CMyPen(dc, solid, RGB(0, 255, 0))).color, RGB(0, 255, 0));
}

TEST(CMyPen, APenThatCannotBeMadeThrowsTheResourceException) {
    CMyDC dc;
    LOGPEN negative = logPen(static_cast<UINT>(-1), 1, 0);  // goes to CreatePen, which refuses it
    EXPECT_MFC_THROW(CMyPen pen(dc, negative, 0), CResourceException);
    LOGPEN unknown = logPen(42, 1, 0);
    EXPECT_MFC_THROW(CMyPen pen(dc, unknown, 0), CResourceException);
    EXPECT_MFC_THROW(CMyPen pen(-3, 0, 1), CResourceException);
}

TEST(CMyPen, SelectsIntoADCAndDeletesItsPen) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ h;
    {
        CMyPen pen(PS_DASH, RGB(0, 0, 0), 1);
        h = pen.m_hObject;
        CPen* old = dc.SelectObject(&pen);
        EXPECT_EQ(dc.GetCurrentPen(), &pen);
        dc.SelectObject(old);
    }
    EXPECT_EQ(GetObjectType(h), 0u);
    AfxUnlockTempMaps();
}

}  // namespace
