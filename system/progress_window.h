// The program's progress window around long work: making a package, opening
// one. The window (its template in resources/) belongs to the active window,
// which takes no input while the work runs.
#pragma once

#include <functional>

#include "framework/long_work.h"

// Runs `work` to its end; false when the user cancelled it. What the work
// throws is thrown again here, on the calling thread.
bool RunWithProgressWindow(const std::function<void(CWorkProgress&)>& work);
