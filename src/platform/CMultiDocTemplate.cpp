#include "CMultiDocTemplate.h"

#include "CWinApp.h"

#include <utility>

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, DocumentFactory makeDocument, FrameFactory makeFrame)
    : m_nIDResource(nIDResource), m_makeDocument(std::move(makeDocument)), m_makeFrame(std::move(makeFrame))
{
}

CMultiDocTemplate::~CMultiDocTemplate() { CloseAllDocuments(); }

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    if (lpszPathName || !m_makeDocument || !m_makeFrame)
        return nullptr;
    OpenDocument open{m_makeDocument(), nullptr};
    if (!open.pDoc)
        return nullptr;
    open.pDoc->m_pDocTemplate = this;
    if (!open.pDoc->OnNewDocument())
        return nullptr;
    open.pFrame = m_makeFrame();
    if (!open.pFrame)
        return nullptr;
    CCreateContext context{open.pDoc.get(), this};
    if (!open.pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, AfxGetMainWnd(), &context))
        return nullptr;
    CDocument* pDoc = open.pDoc.get();
    CFrameWnd* pFrame = open.pFrame.get();
    m_open.push_back(std::move(open));
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
    return pDoc;
}

void CMultiDocTemplate::CloseAllDocuments()
{
    // Taken out first: a view's WM_DESTROY must not find a half-closed list.
    std::vector<OpenDocument> closing = std::move(m_open);
    m_open.clear();
    for (OpenDocument& open : closing) {
        if (open.pFrame && open.pFrame->GetSafeHwnd())
            open.pFrame->DestroyWindow();
        open.pFrame.reset();
        open.pDoc.reset();
    }
}
