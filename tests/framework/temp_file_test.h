// A test that works on one file in the prefix's temporary folder, named after
// the test and removed before and after it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/test_env.h"

class TempFileTest : public ::testing::Test {
protected:
    explicit TempFileTest(const char* extension) : m_extension(extension) {}

    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, temp));
        m_path = std::string(temp) + "ambrel-" + testenv::CurrentTestName() + m_extension;
        ::DeleteFileA(m_path.c_str());
    }
    void TearDown() override { ::DeleteFileA(m_path.c_str()); }

    std::string m_path;

private:
    const char* m_extension;
};
