// A fresh folder of the running test, outside any install root.
#pragma once

#include <string>

#include "tests/support/test_env.h"

inline std::string Scratch()
{
    std::string dir = "C:\\ambrel-tests\\" + testenv::CurrentTestName();
    testenv::RemoveTree(dir);
    testenv::MakeDirectories(dir);
    return dir;
}
