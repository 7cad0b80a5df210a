#include "OleData.h"

#include "CWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

namespace {
std::string BlockOf(const QMimeData* m)
{
    if (!m || !m->hasText())
        return std::string();
    std::string s = m->text().toUtf8().toStdString();
    s.push_back('\0');
    return s;
}

DWORD KeyStateOf(Qt::MouseButtons b, Qt::KeyboardModifiers k)
{
    DWORD s = 0;
    if (b & Qt::LeftButton)
        s |= MK_LBUTTON_DRAG;
    if (k & Qt::ControlModifier)
        s |= MK_CONTROL_DRAG;
    return s;
}

Qt::DropAction ActionOf(DROPEFFECT e)
{
    if (e & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (e & DROPEFFECT_COPY)
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}
}  // namespace

void COleDataSource::CacheText(const std::string& block)
{
    const size_t nul = block.find('\0');
    m_block = nul == std::string::npos ? block : block.substr(0, nul + 1);
    m_bHasText = true;
}

void COleDataSource::SetClipboard()
{
    if (m_bHasText) {
        std::string text = m_block;
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        QApplication::clipboard()->setText(QString::fromUtf8(text.data(), int(text.size())));
    }
    delete this;
}

DROPEFFECT COleDataSource::DoDragDrop(DROPEFFECT dwEffects, CWnd* pSource)
{
    QWidget* w = pSource ? pSource->GetWidget() : nullptr;
    if (!w || !m_bHasText)
        return DROPEFFECT_NONE;
    std::string text = m_block;
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    auto* drag = new QDrag(w);
    auto* mime = new QMimeData;
    mime->setText(QString::fromUtf8(text.data(), int(text.size())));
    drag->setMimeData(mime);
    Qt::DropActions allowed;
    if (dwEffects & DROPEFFECT_COPY)
        allowed |= Qt::CopyAction;
    if (dwEffects & DROPEFFECT_MOVE)
        allowed |= Qt::MoveAction;
    const Qt::DropAction done = drag->exec(allowed, Qt::CopyAction);
    return done == Qt::MoveAction ? DROPEFFECT_MOVE : done == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

BOOL COleDataObject::AttachClipboard()
{
    m_pData = QApplication::clipboard()->mimeData();
    m_bClipboard = true;
    return m_pData != nullptr;
}

BOOL COleDataObject::IsDataAvailable(UINT nFormat) const
{
    return nFormat == CF_TEXT && m_pData && m_pData->hasText();
}

std::string COleDataObject::GetTextBlock() const
{
    // The clipboard's data may change under us between calls: read it afresh.
    if (m_bClipboard)
        return BlockOf(QApplication::clipboard()->mimeData());
    return BlockOf(m_pData);
}

struct COleDropTarget::Impl : QObject {
    COleDropTarget* owner = nullptr;
    CWnd* wnd = nullptr;
    QPointer<QWidget> widget;

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != widget || !wnd)
            return false;
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* de = static_cast<QDragMoveEvent*>(e);
            COleDataObject data;
            data.Attach(de->mimeData());
            const CPoint pt(de->position().toPoint().x(), de->position().toPoint().y());
            const DWORD keys = KeyStateOf(de->buttons(), de->modifiers());
            const DROPEFFECT eff = e->type() == QEvent::DragEnter ? owner->OnDragEnter(wnd, &data, keys, pt)
                                                                  : owner->OnDragOver(wnd, &data, keys, pt);
            if (eff == DROPEFFECT_NONE) {
                de->ignore();
            } else {
                de->setDropAction(ActionOf(eff));
                de->accept();
            }
            return true;
        }
        case QEvent::DragLeave:
            owner->OnDragLeave(wnd);
            return true;
        case QEvent::Drop: {
            auto* de = static_cast<QDropEvent*>(e);
            COleDataObject data;
            data.Attach(de->mimeData());
            const CPoint pt(de->position().toPoint().x(), de->position().toPoint().y());
            const DROPEFFECT eff = de->dropAction() == Qt::MoveAction ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
            if (owner->OnDrop(wnd, &data, eff, pt)) {
                de->setDropAction(ActionOf(eff));
                de->accept();
            } else {
                de->ignore();
            }
            return true;
        }
        default:
            return false;
        }
    }
};

COleDropTarget::COleDropTarget() : d(new Impl) { d->owner = this; }

COleDropTarget::~COleDropTarget() { COleDropTarget::Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (!w)
        return FALSE;
    d->wnd = pWnd;
    d->widget = w;
    w->setAcceptDrops(true);
    w->installEventFilter(d.get());
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (QWidget* w = d->widget) {
        w->removeEventFilter(d.get());
        w->setAcceptDrops(false);
    }
    d->widget = nullptr;
    d->wnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }
