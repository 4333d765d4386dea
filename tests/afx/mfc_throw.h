// Expecting MFC exceptions, which are thrown as pointers the catcher deletes.
#pragma once

#include <afx.h>

#include <gtest/gtest.h>

#define EXPECT_MFC_THROW(statement, exception_class)                                   \
    do {                                                                               \
        bool thrown_ = false;                                                          \
        try {                                                                          \
            statement;                                                                 \
        } catch (exception_class * e_) {                                               \
            thrown_ = true;                                                            \
            e_->Delete();                                                              \
        }                                                                              \
        EXPECT_TRUE(thrown_) << #statement " did not throw " #exception_class;         \
    } while (0)
