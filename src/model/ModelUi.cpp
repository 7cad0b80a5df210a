#include "ModelUi.h"

#include <atomic>

namespace {

class CSilentModelUi : public IModelUi {
public:
    void MessageBoxOk(const CString&, int) override {}
    void InvalidateWindow(HWND) override {}
};

CSilentModelUi s_silent;
std::atomic<IModelUi*> s_pInstalled{nullptr};

}  // namespace

IModelUi* ModelUi::Install(IModelUi* pUi)
{
    return s_pInstalled.exchange(pUi);
}

IModelUi& ModelUi::Get()
{
    IModelUi* p = s_pInstalled.load();
    return p ? *p : static_cast<IModelUi&>(s_silent);
}

CModelUiRecorder::CModelUiRecorder() : m_pPrevious(ModelUi::Install(this)) {}

CModelUiRecorder::~CModelUiRecorder()
{
    ModelUi::Install(m_pPrevious);
}

void CModelUiRecorder::MessageBoxOk(const CString& strText, int nSelector)
{
    m_messages.emplace_back(strText, nSelector);
}

void CModelUiRecorder::InvalidateWindow(HWND hWnd)
{
    m_invalidated.push_back(hWnd);
}
