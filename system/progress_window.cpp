#include "system/progress_window.h"

#include "resources/resource.h"

bool RunWithProgressWindow(const std::function<void(CWorkProgress&)>& work)
{
    CLongWork longWork(IDD_PROGRESS, IDC_PROGRESS_STEP, IDC_PROGRESS_BAR);
    return longWork.Run(::GetActiveWindow(), work);
}
