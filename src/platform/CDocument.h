// A document: the data behind the views of one open file (here: one scene object). Its
// template makes it, gives it a frame with its view, and deletes it after the frame.
// User-interface thread.
#pragma once

#include "WinDefs.h"

class CMultiDocTemplate;

class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // A new, empty document: FALSE when it cannot be made. The base gives it an empty title.
    virtual BOOL OnNewDocument();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : ""; }
    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

private:
    friend class CMultiDocTemplate;
    CString m_strTitle;
    CMultiDocTemplate* m_pDocTemplate = nullptr;  // set by the template that made it
};
