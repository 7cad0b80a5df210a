#include "CKRV330Doc.h"

#include "CKRV330View.h"

BOOL CKRV330Doc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    SetTitle("");
    return TRUE;
}

void CKRV330Doc::AttachView(CKRV330View& view) { view.SetSceneData(&m_KtvData); }
