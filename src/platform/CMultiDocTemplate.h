// A document template: ties a document class to the frame class that shows it (the frame makes
// the view). Opening a document makes the document, loads a new frame for it into the
// application's main window and runs the frame's first update, which runs the view's.
//
// The template owns its open documents and their frames. Closing destroys the frame's window
// (the view's WM_DESTROY runs) and deletes the frame before the document, so a view never
// outlives the data it points into. User-interface thread.
#pragma once

#include "CDocument.h"
#include "CFrameWnd.h"

#include <functional>
#include <memory>
#include <vector>

class CMultiDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;

    // nIDResource: the frames are loaded from it.
    CMultiDocTemplate(UINT nIDResource, DocumentFactory makeDocument, FrameFactory makeFrame);
    // Closes every open document.
    ~CMultiDocTemplate();
    CMultiDocTemplate(const CMultiDocTemplate&) = delete;
    CMultiDocTemplate& operator=(const CMultiDocTemplate&) = delete;

    // A new, empty document (lpszPathName null; files are not opened here) in a new frame;
    // bMakeVisible shows the frame. Null when the document or its frame cannot be made.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    // Destroys every frame with its window, then deletes the documents.
    void CloseAllDocuments();

    UINT GetResourceId() const { return m_nIDResource; }
    int GetDocumentCount() const { return int(m_open.size()); }
    CDocument* GetDocument(int i) const { return m_open[size_t(i)].pDoc.get(); }
    CFrameWnd* GetFrame(int i) const { return m_open[size_t(i)].pFrame.get(); }

private:
    struct OpenDocument {
        std::unique_ptr<CDocument> pDoc;
        std::unique_ptr<CFrameWnd> pFrame;  // declared after the document: it goes first
    };

    UINT m_nIDResource;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    std::vector<OpenDocument> m_open;
};
