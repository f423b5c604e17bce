// The catalogue tree: asks its holder for vetoes and menus, tells it of changes, marks sample items.
#include "catalogue/CFileTreeCtrlQor.h"

#include "catalogue/CatalogueImages.h"
#include "catalogue/IFileTreeHolder.h"
#include "platform/MenuResource.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include <memory>

CFileTreeCtrlQor::CFileTreeCtrlQor(QWidget* parent) : CFileTreeCtrl(parent)
{
    m_bRootByName = true;
    // The holder hears of expansions after the tree has filled the item.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        QMetaObject::invokeMethod(
            this,
            [this, path = GetItemPath(item)] {
                if (m_pHolder)
                    m_pHolder->ItemExpanded(path);
            },
            Qt::QueuedConnection);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        QMetaObject::invokeMethod(
            this,
            [this, path = GetItemPath(item)] {
                if (m_pHolder)
                    m_pHolder->ItemCollapsed(path);
            },
            Qt::QueuedConnection);
    });
}

CFileTreeCtrlQor::~CFileTreeCtrlQor() = default;

CFileTreeCtrlItemInfoQor* CFileTreeCtrlQor::InfoOf(QTreeWidgetItem* item)
{
    return item ? dynamic_cast<CFileTreeCtrlItemInfoQor*>(&Item(item)->Info()) : nullptr;
}

bool CFileTreeCtrlQor::IsSampleItem(QTreeWidgetItem* item) const
{
    const CFileTreeCtrlItemInfoQor* info = InfoOf(item);
    return info && info->m_bSample;
}

CFileTreeCtrlItem* CFileTreeCtrlQor::InsertFileItem(QTreeWidgetItem* parent,
                                                    const CFileTreeCtrlItemInfo& info, bool hasChildren)
{
    if (dynamic_cast<const CFileTreeCtrlItemInfoQor*>(&info))
        return CFileTreeCtrl::InsertFileItem(parent, info, hasChildren);
    CFileTreeCtrlItemInfoQor record;
    static_cast<CFileTreeCtrlItemInfo&>(record) = info;
    // A root is a sample when the holder said so; everything else inherits its parent's mark.
    record.m_bSample =
        parent == invisibleRootItem() ? IsSampleRoot(info.m_strFilePath) : IsSampleItem(parent);
    return CFileTreeCtrl::InsertFileItem(parent, record, hasChildren);
}

QIcon CFileTreeCtrlQor::GetItemIcon(const CFileTreeCtrlItemInfo& info) const
{
    const auto* record = dynamic_cast<const CFileTreeCtrlItemInfoQor*>(&info);
    if (record && CatalogueImages::Has(record->m_nIcon))
        return CatalogueImages::Icon(record->m_nIcon);
    return CFileTreeCtrl::GetItemIcon(info);
}

void CFileTreeCtrlQor::OnSelectionChanged(const QString& path)
{
    m_bAllowRename = !IsSampleItem(currentItem());
    CFileTreeCtrl::OnSelectionChanged(path);
}

void CFileTreeCtrlQor::TellChanged()
{
    if (m_pHolder)
        m_pHolder->CatalogueChanged();
}

void CFileTreeCtrlQor::RestartWatcher(const QString&)
{
    StartWatcher();
}

void CFileTreeCtrlQor::OnFolderChanged()
{
    if (!m_bWatchEnabled)
        return;
    RebuildKeepingState();
    if (!m_bQuietRefresh)
        TellChanged();
}

void CFileTreeCtrlQor::RefreshCatalogue(bool quiet, bool keepSelection)
{
    if (!keepSelection) {
        const QSignalBlocker blocker(this);
        setCurrentItem(nullptr);
    }
    RebuildKeepingState();
    if (!quiet)
        TellChanged();
}

bool CFileTreeCtrlQor::Delete(QTreeWidgetItem* item)
{
    if (!item)
        return false;
    bool noConfirmation = false;
    if (m_pHolder && m_pHolder->VetoDelete(item, &noConfirmation))
        return false;
    m_bNoDeleteQuestion = noConfirmation;
    const bool deleted = CFileTreeCtrl::Delete(item);
    m_bNoDeleteQuestion = false;
    if (deleted)
        TellChanged();
    return deleted;
}

bool CFileTreeCtrlQor::EndLabelEdit(QTreeWidgetItem* item, const QString& text)
{
    if (!CFileTreeCtrl::EndLabelEdit(item, text))
        return false;
    TellChanged();
    return true;
}

bool CFileTreeCtrlQor::DropOnto(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool copy)
{
    if (!CFileTreeCtrl::DropOnto(dragged, target, copy))
        return false;
    TellChanged();
    return true;
}

bool CFileTreeCtrlQor::OnCommand(unsigned command)
{
    if (CFileTreeCtrl::OnCommand(command))
        return true;
    if (m_pHolder)
        m_pHolder->TreeCommand(command);
    return m_pHolder != nullptr;
}

void CFileTreeCtrlQor::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->pos());
    if (item && Item(item)->Info().m_bFileItem) {
        setCurrentItem(item);
        QMetaObject::invokeMethod(
            this, [this] { OnCommand(kCmdFileDoubleClicked); }, Qt::QueuedConnection);
        return;
    }
    CFileTreeCtrl::mouseDoubleClickEvent(event);
}

namespace {

// Adds the entries of a menu resource's items that the holder keeps; answers how many were added.
int AddEntries(QMenu* menu, const QList<MenuResource::Item>& items, IFileTreeHolder* holder)
{
    int added = 0;
    bool separatorDue = false;
    for (const MenuResource::Item& item : items) {
        switch (item.kind) {
        case MenuResource::Item::SEPARATOR:
            separatorDue = added > 0;
            break;
        case MenuResource::Item::POPUP: {
            auto* sub = new QMenu(MenuResource::Caption(item.id), menu);
            if (AddEntries(sub, item.children, holder) == 0) {
                delete sub;
                break;
            }
            if (separatorDue)
                menu->addSeparator();
            separatorDue = false;
            menu->addMenu(sub);
            ++added;
            break;
        }
        case MenuResource::Item::ITEM: {
            IFileTreeHolder::MenuEntry entry;
            entry.id = unsigned(item.id);
            entry.text = MenuResource::Caption(item.id);
            if (holder->RemoveMenuEntry(entry))
                break;
            if (separatorDue)
                menu->addSeparator();
            separatorDue = false;
            QAction* action = menu->addAction(entry.text.left(1024));
            action->setData(int(entry.id));
            action->setEnabled(entry.enabled);
            action->setCheckable(entry.checked);
            action->setChecked(entry.checked);
            if (!item.shortcut.isEmpty())
                action->setShortcut(item.shortcut);
            ++added;
            break;
        }
        }
    }
    return added;
}

} // namespace

void CFileTreeCtrlQor::ShowContextMenu(QTreeWidgetItem*, const QPoint& point)
{
    if (!m_pHolder)
        return;
    IFileTreeHolder::MenuRequest request;
    if (!m_pHolder->WantsMenu(request))
        return;
    QString error;
    const std::optional<MenuResource> resource = MenuResource::Load(request.menuId, &error);
    if (!resource || request.subMenu < 0 || request.subMenu >= resource->Popups().size())
        return;
    QMenu menu(this);
    if (AddEntries(&menu, resource->Popups().at(request.subMenu).children, m_pHolder) == 0)
        return;
    const QPointer<CFileTreeCtrlQor> alive(this);
    m_pHolder->MenuShowing();
    QAction* chosen = ExecMenu(&menu, viewport()->mapToGlobal(point));
    const unsigned command = chosen ? unsigned(MenuResource::CommandOf(chosen)) : 0u;
    if (!alive)
        return;
    m_pHolder->MenuClosed();
    if (command != 0)
        OnCommand(command);
}
