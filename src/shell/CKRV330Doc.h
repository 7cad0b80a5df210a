// The document: the program's one scene object for the whole run. The view works on it through
// the pointer the document hands it before the view's initial update. User-interface thread
// (the comm worker reaches the scene object only under g_csComm).
#pragma once

#include "CDocument.h"
#include "CKTV_Data.h"

class CKRV330View;

class CKRV330Doc : public CDocument {
public:
    CKRV330Doc() = default;

    // The base's new document with an empty title.
    BOOL OnNewDocument() override;
    // Gives the view this document's scene object (before its initial update).
    void AttachView(CKRV330View& view);

    CKTV_Data& GetSceneData() { return m_KtvData; }

private:
    CKTV_Data m_KtvData;
};
