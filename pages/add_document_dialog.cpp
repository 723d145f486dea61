#include "pages/add_document_dialog.h"

#include "framework/file_dialog.h"
#include "pages/derived_title.h"
#include "resources/resource.h"

namespace {
const char kDocumentFilter[] =
    "Documents (*.pdf; *.html; *.htm; *.jpg; *.jpeg; *.swf)|*.pdf;*.html;*.htm;*.jpg;*.jpeg;*.swf|"
    "PDF Files (*.pdf)|*.pdf|"
    "Web Files (*.html; *.htm; *.jpg; *.jpeg; *.swf)|*.html;*.htm;*.jpg;*.jpeg;*.swf||";
const char kPhotoFilter[] = "Photos (*.jpg; *.jpeg; *.swf)|*.jpg;*.jpeg;*.swf|"
                            "Documents (*.pdf; *.html; *.htm)|*.pdf;*.html;*.htm||";
} // namespace

CAddDocument::CAddDocument(CWnd* pParent) : CDialog(IDD_ADD_DOCUMENT, pParent) {}

void CAddDocument::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ENTRY_TITLE, m_strTitle);
}

BOOL CAddDocument::OnInitDialog()
{
    CDialog::OnInitDialog();
    // When an entry is edited, its path is shown from the start.
    ShowChosenFile();
    if (m_bPhotoMode) {
        SetDlgItemText(IDC_SELECT_DOCUMENTS, "Add Photo(s)");
        SetDlgItemText(IDC_TITLE_LABEL, "Photo Title:");
        RedrawWindow();
    }
    return TRUE;
}

void CAddDocument::ShowChosenFile()
{
    CWnd chosen(GetDlgItem(IDC_CHOSEN_FILE));
    chosen.SetWindowText(m_strFile);
    chosen.ShowWindow(SW_SHOW);
    RedrawWindow();
}

BOOL CAddDocument::OnCommand(UINT nID, UINT nCode)
{
    if (nID == IDC_SELECT_DOCUMENTS && nCode == BN_CLICKED) {
        OnSelectDocuments();
        return TRUE;
    }
    return FALSE;
}

void CAddDocument::OnSelectDocuments()
{
    UpdateData(TRUE);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                       m_bPhotoMode ? kPhotoFilter : kDocumentFilter);
    if (dialog.DoModal() != IDOK) return;

    // Each choice goes in front, so the lists hold the latest first.
    const std::vector<std::string>& paths = dialog.GetPathNames();
    for (const std::string& path : paths) {
        m_listChosenFiles.AddHead(path);
        m_listChosenTitles.AddHead(DerivedTitle(path));
    }
    m_strFile.clear();

    // Several files at once, or a second choice, need no title from the
    // user: each file brings its own.
    if (m_listChosenFiles.GetCount() > 1) {
        EndDialog(IDOK);
        return;
    }

    const std::string first = dialog.GetPathName();
    if (!first.empty()) {
        m_strFile = first;
        ShowChosenFile();
        m_strTitle = DerivedTitle(first);
    }
    UpdateData(FALSE);
}

void CAddDocument::OnOK()
{
    UpdateData(TRUE);
    // A file entry needs both; the dialog stays open until it has them.
    if (m_strTitle.empty() || m_strFile.empty()) return;
    EndDialog(IDOK);
}
