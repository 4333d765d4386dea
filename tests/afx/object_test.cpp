// Run-time class information and the exceptions.
#include "../support/test_support.h"

namespace {

class CTank : public CObject {
    DECLARE_DYNCREATE(CTank)
public:
    int level = 7;
};
IMPLEMENT_DYNCREATE(CTank, CObject)

class CSmallTank : public CTank {
    DECLARE_DYNAMIC(CSmallTank)
};
IMPLEMENT_DYNAMIC(CSmallTank, CTank)

TEST(RuntimeClass, RecordsNameBaseSchemaAndCreation) {
    const CRuntimeClass* rc = RUNTIME_CLASS(CSmallTank);
    EXPECT_STREQ(rc->m_lpszClassName, "CSmallTank");
    EXPECT_EQ(rc->m_pBaseClass, RUNTIME_CLASS(CTank));
    EXPECT_EQ(rc->m_wSchema, 0xFFFFu);
    EXPECT_EQ(rc->m_nObjectSize, static_cast<int>(sizeof(CSmallTank)));
    EXPECT_EQ(rc->m_pfnCreateObject, nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CSmallTank)->CreateObject(), nullptr);

    CObject* made = RUNTIME_CLASS(CTank)->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), RUNTIME_CLASS(CTank));
    EXPECT_EQ(static_cast<CTank*>(made)->level, 7);
    delete made;
}

TEST(RuntimeClass, IsKindOfFollowsTheBaseChain) {
    CSmallTank small;
    CObject* obj = &small;
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CSmallTank)));
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CTank)));
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(obj->IsKindOf(RUNTIME_CLASS(CGdiObject)));
    EXPECT_FALSE(obj->IsSerializable());
    CTank tank;
    EXPECT_FALSE(tank.IsKindOf(RUNTIME_CLASS(CSmallTank)));

    CPen pen;
    EXPECT_TRUE(pen.IsKindOf(RUNTIME_CLASS(CGdiObject)));
    EXPECT_STREQ(pen.GetRuntimeClass()->m_lpszClassName, "CPen");
}

TEST(Exceptions, AreThrownAsPointersAndDeletedByTheirCatcher) {
    try {
        AfxThrowArchiveException(CArchiveException::endOfFile, L"plant.hmi");
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        auto* ae = static_cast<CArchiveException*>(e);
        EXPECT_EQ(ae->m_cause, CArchiveException::endOfFile);
        EXPECT_STREQ(ae->m_strFileName, L"plant.hmi");
        wchar_t msg[128];
        EXPECT_TRUE(e->GetErrorMessage(msg, 128));
        EXPECT_NE(std::wstring(msg).find(L"plant.hmi"), std::wstring::npos);
        wchar_t tiny[5];
        EXPECT_TRUE(e->GetErrorMessage(tiny, 5));
        EXPECT_EQ(wcslen(tiny), 4u);
        e->Delete();  // a heap exception: freed (the leak checker would notice otherwise)
    }
}

TEST(Exceptions, ResourceAndMemoryExceptionsLiveInStaticStorage) {
    CException* first = nullptr;
    try {
        AfxThrowResourceException();
    } catch (CResourceException* e) {
        first = e;
        e->Delete();  // does nothing: it is thrown again next time
    }
    try {
        AfxThrowResourceException();
    } catch (CException* e) {
        EXPECT_EQ(e, first);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CResourceException)));
        e->Delete();
    }
    EXPECT_MFC_THROW(AfxThrowMemoryException(), CMemoryException);
}

TEST(Exceptions, TryCatchMacrosDeleteTheException) {
    int caught = 0;
    TRY {
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, L"x");
    }
    CATCH(CFileException, e) {
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        EXPECT_EQ(e->m_lOsError, ERROR_DISK_FULL);
        ++caught;
    }
    AND_CATCH(CException, e) {
        ADD_FAILURE() << "wrong handler";
        (void)e;
    }
    END_CATCH
    EXPECT_EQ(caught, 1);

    // THROW_LAST hands the same exception on; the outer handler deletes it.
    TRY {
        TRY {
            AfxThrowUserException();
        }
        CATCH_ALL(e) {
            (void)e;
            THROW_LAST();
        }
        END_CATCH_ALL
    }
    CATCH(CUserException, e) {
        (void)e;
        ++caught;
    }
    END_CATCH
    EXPECT_EQ(caught, 2);
}

TEST(Exceptions, OleStatusCodes) {
    COleException* e = nullptr;
    try {
        AfxThrowOleException(static_cast<SCODE>(0x80030002L));
    } catch (COleException* ole) {
        e = ole;
    }
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(COleException::Process(e), static_cast<SCODE>(0x80030002L));
    e->Delete();
    CMemoryException mem(FALSE);
    EXPECT_EQ(COleException::Process(&mem), static_cast<SCODE>(0x8007000EL));
}

}  // namespace
