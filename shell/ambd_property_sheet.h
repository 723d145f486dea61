// CAMBDPropertySheet: the program's one window. The pages carry every action,
// so the sheet's standard buttons are hidden; it can be minimised.
#pragma once

#include "framework/property_sheet.h"

class CAMBDPropertySheet : public CPropertySheet {
public:
    CAMBDPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CAMBDPropertySheet() override;

protected:
    BOOL OnInitDialog() override;
    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
};

// The Apply Now button of a property sheet.
constexpr int kApplyNowButtonId = 12321;
