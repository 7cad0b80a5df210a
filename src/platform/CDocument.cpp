#include "CDocument.h"

BOOL CDocument::OnNewDocument()
{
    SetTitle("");
    return TRUE;
}
