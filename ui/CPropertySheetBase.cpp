// The property-sheet base: pages, the shared keyboard order, Escape hook and sheet messages.
#include "ui/CPropertySheetBase.h"

#include "model/text/TextProvider.h"
#include "ui/CommandEvent.h"
#include "ui/IButtonStrip.h"
#include "ui/IPropertyPage.h"
#include "ui/IStripFactory.h"
#include "ui/NotifyEvent.h"
#include "ui/SheetEvent.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

// Sees Escape before the focused control (or the dialog page holding it) can act on it.
class SheetEscapeWatcher : public QObject
{
public:
    explicit SheetEscapeWatcher(CPropertySheetBase* sheet) : QObject(sheet), m_sheet(sheet) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier ||
            widget->window() != m_sheet || !(widget == m_sheet || widget == m_sheet->focusWidget()) ||
            !m_sheet->isVisible())
            return false;
        return m_sheet->HandleEscape();
    }

private:
    CPropertySheetBase* m_sheet;
};

CPropertySheetBase::CPropertySheetBase(int captionId, QWidget* parent, int firstPage)
    : CDlgBase(kNoTemplate, parent), m_firstPage(firstPage), m_stack(new QStackedWidget(this))
{
    if (captionId > 0)
        setWindowTitle(QString::fromStdString(LoadResString(quint32(captionId))));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    m_escapeWatcher = new SheetEscapeWatcher(this);
    qApp->installEventFilter(m_escapeWatcher);
}

CPropertySheetBase::~CPropertySheetBase()
{
    delete m_escapeWatcher;
}

int CPropertySheetBase::AddPage(QWidget* page)
{
    if (!page)
        return -1;
    page->setWindowFlags(Qt::Widget);
    return m_stack->addWidget(page);
}

int CPropertySheetBase::PageCount() const
{
    return m_stack->count();
}

QWidget* CPropertySheetBase::Page(int index) const
{
    return m_stack->widget(index);
}

QWidget* CPropertySheetBase::ActivePage() const
{
    return m_stack->currentWidget();
}

int CPropertySheetBase::ActiveIndex() const
{
    return m_stack->currentIndex();
}

bool CPropertySheetBase::SetActivePage(int index)
{
    QWidget* page = Page(index);
    if (!page)
        return false;
    m_stack->setCurrentIndex(index);
    if (auto* marked = dynamic_cast<IPropertyPage*>(page); marked && marked->NeedsRefresh()) {
        marked->SetNeedsRefresh(false);
        RebuildNavigation(page);
    }
    return true;
}

bool CPropertySheetBase::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    if (m_firstPage >= 0 && m_firstPage < PageCount())
        m_stack->setCurrentIndex(m_firstPage);
    RebuildNavigation(nullptr);
    return true;
}

QList<QWidget*> CPropertySheetBase::PageList(QWidget* page) const
{
    if (auto* own = dynamic_cast<IPropertyPage*>(page))
        return own->PageNavigation();
    if (auto* dialog = qobject_cast<CDlgBase*>(page)) {
        dialog->InitDialog();
        return dialog->NavigationList();
    }
    QList<QWidget*> list;
    for (QWidget* w : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->isHidden() && (w->focusPolicy() & Qt::TabFocus))
            list.append(w);
    return list;
}

void CPropertySheetBase::RebuildNavigation(QWidget* page)
{
    if (!page)
        page = ActivePage();
    if (!page)
        return;
    m_sheetButtons.clear();
    QList<QWidget*> anchored;
    auto* pageInfo = dynamic_cast<IPropertyPage*>(page);
    for (IButtonStrip* strip : AllStrips()) {
        if (!strip->Window() || strip->Window()->parentWidget() != this)
            continue;
        for (int id : strip->ButtonIds()) {
            QWidget* button = strip->ButtonWindow(id);
            if (!button)
                continue;
            m_sheetButtons.append(button);
            const int anchor = pageInfo ? pageInfo->SheetButtonAnchor(id) : -1;
            if (anchor != -1)
                strip->SetButtonRadioGroup(id, anchor);
            if (strip->GetButtonRadioGroup(id) != -1)
                anchored.append(button);
        }
    }
    QList<QWidget*> ring = PageList(page);
    StripFactory()->MergeNavigation(anchored, ring);
    SetNavigation(ring);
}

void CPropertySheetBase::OnEscape(int*) {}

bool CPropertySheetBase::HandleEscape()
{
    int command = 2;
    OnEscape(&command);
    if (command == -1)
        return true;
    if (command != 2) {
        QCoreApplication::postEvent(this, new CommandEvent(quint32(command)));
        return true;
    }
    OnCancel();
    return true;
}

bool CPropertySheetBase::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == SheetEvent::kNoopType || type == SheetEvent::kTakePageRingType ||
        type == SheetEvent::kPageKeyType || type == SheetEvent::kUpdateCommandsType ||
        type == SheetEvent::kRebuildNavigationType) {
        auto* message = static_cast<SheetEvent*>(event);
        int result = 0;
        if (type == SheetEvent::kTakePageRingType && message->Page()) {
            SetNavigation(PageList(message->Page()));
        } else if (type == SheetEvent::kPageKeyType && message->Key()) {
            QWidget* focus = focusWidget();
            result = focus && NavigateKey(focus, message->Key()) ? 1 : 0;
        } else if (type == SheetEvent::kUpdateCommandsType) {
            // The strips and the sheet's own controls, then the controls of dialog pages.
            KickIdle();
            for (int i = 0; i < PageCount(); ++i)
                if (auto* page = qobject_cast<CDlgBase*>(Page(i)))
                    page->KickIdle();
            result = 1;
        } else if (type == SheetEvent::kRebuildNavigationType) {
            RebuildNavigation(message->Page());
        }
        message->SetResult(result);
        return true;
    }
    if (type == NotifyEvent::kType) {
        auto* note = static_cast<NotifyEvent*>(event);
        IButtonStrip* strip = nullptr;
        for (IButtonStrip* s : AllStrips())
            if (s->Window() && s->Window() == note->From())
                strip = s;
        if (note->Code() == NotifyEvent::kButtonAdded && strip) {
            OnRibBtnAdded(strip, int(note->Id()));
            if (QWidget* current = Page(m_currentPage)) {
                for (int i = 0; i < PageCount(); ++i)
                    if (auto* page = dynamic_cast<IPropertyPage*>(Page(i)); page && i != m_currentPage)
                        page->SetNeedsRefresh(true);
                RebuildNavigation(current);
            }
            note->result = 1;
            return true;
        }
    }
    return CDlgBase::event(event);
}
