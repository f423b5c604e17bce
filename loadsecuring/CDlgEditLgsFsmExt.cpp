// The catalogue browser: the strip in place of its placeholder, start values, commands and button states.
#include "loadsecuring/CDlgEditLgsFsmExt.h"

#include "catalogue/CHListbox.h"
#include "catalogue/HListboxRecords.h"
#include "loadsecuring/DialogPlacement.h"
#include "model/text/TextProvider.h"
#include "ui/CEditLast.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IButtonStrip.h"
#include "ui/NotifyEvent.h"
#include "ui/RibBtnStrip.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kLoadUnitsId = 716;
constexpr int kFsmItemsId = 715;
constexpr int kNewId = 732;
constexpr int kEditId = 721;
constexpr int kCopyId = 875;
constexpr int kDeleteId = 872;
constexpr int kViewModeId = 1344;
constexpr int kFilterId = 1343;
constexpr int kClearId = 1342;
constexpr int kSearchId = 1345;

// The editing buttons and the resource each shows for load units and for FSM items.
struct CategoryButton
{
    int id;
    int loadUnits;
    int fsmItems;
};
constexpr CategoryButton kCategoryButtons[] = {
    {kNewId, 732, 733}, {kEditId, 721, 865}, {kCopyId, 875, 876}, {kDeleteId, 872, 873}};

CRibBtnContainer* Concrete(IButtonStrip* strip)
{
    auto* face = dynamic_cast<RibBtnStrip*>(strip);
    return face ? face->Strip() : nullptr;
}

} // namespace

CDlgEditLgsFsmExt::CDlgEditLgsFsmExt(std::shared_ptr<CHlbCatalogue> catalogue, QWidget* parent)
    : CDlgBase(kTemplateId, parent), m_adapter(std::move(catalogue))
{
    m_filterTimer.setSingleShot(true);
    m_filterTimer.setInterval(kFilterDelayMs);
    connect(&m_filterTimer, &QTimer::timeout, this, [this] { ApplyFilterText(); });
    m_searchTimer.setSingleShot(true);
    m_searchTimer.setInterval(kFilterDelayMs);
    connect(&m_searchTimer, &QTimer::timeout, this, [this] { RunSearchText(); });
    m_colourTimer.setSingleShot(true);
    m_colourTimer.setInterval(kColourResetMs);
    connect(&m_colourTimer, &QTimer::timeout, this, [this] { ResetSearchColour(); });
}

// The adapter (a member) lets go of the strip before the strip goes with the dialog's children.
CDlgEditLgsFsmExt::~CDlgEditLgsFsmExt() = default;

bool CDlgEditLgsFsmExt::OnInitDialog()
{
    QWidget* placeholder = findChild<QWidget*>(ControlId::ObjectName(kListId), Qt::FindDirectChildrenOnly);
    const QRect rect = placeholder ? placeholder->geometry() : QRect(10, 120, width() - 20, 160);
    if (placeholder) {
        placeholder->hide();
        placeholder->setObjectName(QString());
    }
    m_list = new CHListbox(this);
    m_list->Create(kHlbOwnerDrawn | kHlbAnimatedScroll, rect, this, kListId);
    if (placeholder)
        m_list->stackUnder(placeholder);
    CDlgBase::OnInitDialog();

    m_adapter.Attach(m_list, this);
    if (m_bStartWerte) {
        m_adapter.SetFilter(m_nStartKategorie, m_strStartSuche, true);
        if (!m_strStartSuche.isEmpty())
            if (auto* filter = findChild<QLineEdit*>(ControlId::ObjectName(kFilterId))) {
                m_ownChange = true;
                filter->setText(m_strStartSuche);
                m_ownChange = false;
            }
        // Only a different mode is set: setting it puts every other strip of the catalogue in that mode too.
        if (m_nStartAnsicht != m_adapter.ViewMode())
            m_adapter.SetViewMode(m_nStartAnsicht);
        if (m_nStartIndex >= 0 && m_nStartIndex < m_list->GetItemCount())
            m_adapter.SelectItem(m_nStartIndex);
        if (m_bSofortBearbeiten)
            QCoreApplication::postEvent(this, new CommandEvent(kEditId));
    }
    if (auto* filter = findChild<QLineEdit*>(ControlId::ObjectName(kFilterId)))
        connect(filter, &QLineEdit::textChanged, this, [this] {
            if (!m_ownChange)
                m_filterTimer.start();
        });
    if (auto* search = findChild<CEditLast*>(ControlId::ObjectName(kSearchId))) {
        search->SetFormat(4);
        search->SetReturnNotification(true);
        search->installEventFilter(this);
        connect(search, &QLineEdit::textEdited, this, [this, search] {
            search->SetBkColor(QColor());
            m_searchTimer.start();
        });
    }
    ShowCategoryButtons();
    m_list->setFocus(Qt::OtherFocusReason);

    if (!m_ptStart.isNull())
        move(PlaceAtStartPoint(size(), m_ptStart, AvailableScreenAt(m_ptStart)));
    KickIdle();
    return true;
}

void CDlgEditLgsFsmExt::ApplyFilterText()
{
    m_filterTimer.stop();
    auto* filter = findChild<QLineEdit*>(ControlId::ObjectName(kFilterId));
    int category = 0;
    QString current;
    m_adapter.GetFilter(&category, &current);
    const QString text = filter ? filter->text().trimmed() : QString();
    if (text != current)
        m_adapter.SetFilter(category, text, true);
}

void CDlgEditLgsFsmExt::RunSearchText()
{
    m_searchTimer.stop();
    auto* search = findChild<CEditLast*>(ControlId::ObjectName(kSearchId));
    const QString text = search ? search->text() : QString();
    if (!text.isEmpty()) {
        m_adapter.TypedSearch(text);
        search->selectAll();
    }
    // Return pressed while the search waited: the hit it found is taken now.
    if (m_returnPending && m_adapter.TypedHit() >= 0)
        m_adapter.SelectItem(m_adapter.TypedHit());
    m_returnPending = false;
}

void CDlgEditLgsFsmExt::ResetSearchColour()
{
    m_colourTimer.stop();
    if (auto* search = findChild<CEditLast*>(ControlId::ObjectName(kSearchId)))
        search->SetBkColor(QColor());
}

void CDlgEditLgsFsmExt::OnNotify(NotifyEvent& event)
{
    if (int(event.Id()) == kSearchId && event.Code() == CEditLast::kNotifyReturn) {
        // Return in the search field takes the hit instead of closing the dialog.
        if (m_searchTimer.isActive()) {
            m_returnPending = true;
            RunSearchText();
        } else if (m_adapter.TypedHit() >= 0) {
            m_adapter.SelectItem(m_adapter.TypedHit());
        }
        event.result = 1;
        return;
    }
    CDlgBase::OnNotify(event);
}

bool CDlgEditLgsFsmExt::eventFilter(QObject* watched, QEvent* event)
{
    // Entering the search field starts a new search.
    if (event->type() == QEvent::FocusIn && ControlId::Of(qobject_cast<QWidget*>(watched)) == kSearchId) {
        if (auto* search = qobject_cast<CEditLast*>(watched)) {
            m_searchTimer.stop();
            search->SetText(std::nullopt);
            search->SetBkColor(QColor());
        }
    }
    return CDlgBase::eventFilter(watched, event);
}

void CDlgEditLgsFsmExt::TypedSearchResult(const QString& text, bool found)
{
    // The text typed on the tiles shows in the search field, green when found, red when not.
    if (auto* search = findChild<CEditLast*>(ControlId::ObjectName(kSearchId))) {
        if (search->text() != text)
            search->SetText(text);
        search->SetBkColor(found ? QColor(200, 242, 169) : QColor(254, 136, 146));
        m_colourTimer.start();
    }
}

void CDlgEditLgsFsmExt::SearchCleared()
{
    if (auto* search = findChild<CEditLast*>(ControlId::ObjectName(kSearchId))) {
        search->SetText(std::nullopt);
        search->SetBkColor(QColor());
    }
}

void CDlgEditLgsFsmExt::EntryActivated(const sHLBItemData* entry)
{
    // A double click edits a user's entry at once.
    if (entry && entry == m_adapter.SelectedEntry() && !m_adapter.IsSelectedItemStandard())
        OnCommandHook(kEditId);
}

void CDlgEditLgsFsmExt::ShowCategoryButtons()
{
    int category = 0;
    m_adapter.GetFilter(&category, nullptr);
    const int shown = category == 0 ? 0 : 1;
    if (shown == m_shownCategory)
        return;
    m_shownCategory = shown;
    for (const CategoryButton& b : kCategoryButtons) {
        CRibBtnContainer* strip = Concrete(FindRibBtnContainer(b.id));
        if (!strip)
            continue;
        const int resource = shown == 0 ? b.loadUnits : b.fsmItems;
        strip->SetButtonResource(quint32(b.id), quint32(resource));
        strip->SetButtonValue(quint32(b.id), resource);
    }
}

bool CDlgEditLgsFsmExt::OnCommandHook(int id)
{
    int category = 0;
    m_adapter.GetFilter(&category, nullptr);
    switch (id) {
    case kLoadUnitsId:
    case kFsmItemsId: {
        const int wanted = id == kLoadUnitsId ? 0 : 1;
        if ((category == 0) == (wanted == 0))
            break;
        m_filterTimer.stop();
        if (auto* filter = findChild<QLineEdit*>(ControlId::ObjectName(kFilterId))) {
            m_ownChange = true;
            filter->clear();
            m_ownChange = false;
        }
        m_adapter.SetFilter(wanted, QString(), true);
        ShowCategoryButtons();
        break;
    }
    case kNewId:
        m_adapter.EditItem(1, this);
        break;
    case kEditId:
        m_adapter.EditItem(0, this);
        break;
    case kCopyId:
        m_adapter.EditItem(2, this);
        break;
    case kDeleteId:
        m_adapter.DeleteSelectedItem();
        break;
    case kViewModeId:
        m_adapter.SetViewMode(m_adapter.ViewMode() ? 0 : 1);
        break;
    case kClearId:
        if (auto* filter = findChild<QLineEdit*>(ControlId::ObjectName(kFilterId))) {
            m_ownChange = true;
            filter->clear();
            m_ownChange = false;
        }
        m_filterTimer.stop();
        m_adapter.SetFilter(category, QString(), true);
        break;
    default:
        return false;
    }
    KickIdle();
    return true;
}

bool CDlgEditLgsFsmExt::OnCommand(int id, int notifyCode, QObject* control)
{
    if (id == kFilterId && notifyCode != 0)
        return true;
    return CDlgBase::OnCommand(id, notifyCode, control);
}

void CDlgEditLgsFsmExt::OnUpdateCommand(CommandUpdateEvent& query)
{
    int category = 0;
    m_adapter.GetFilter(&category, nullptr);
    switch (query.Id()) {
    case kLoadUnitsId:
        query.SetCheck(category == 0 ? 1 : 0);
        break;
    case kFsmItemsId:
        query.SetCheck(category != 0 ? 1 : 0);
        break;
    case kNewId:
        query.Enable(m_adapter.CanEditItem(1));
        break;
    case kEditId:
        query.Enable(m_adapter.CanEditItem(0));
        break;
    case kCopyId:
        query.Enable(m_adapter.CanCopySelectedItem() && m_adapter.CanEditItem(2));
        break;
    case kDeleteId:
        query.Enable(m_adapter.CanDeleteSelectedItem());
        break;
    case kViewModeId:
        query.SetCheck(m_adapter.ViewMode() ? 1 : 0);
        break;
    default:
        CDlgBase::OnUpdateCommand(query);
        break;
    }
}

void CDlgEditLgsFsmExt::OnRibBtnAdded(IButtonStrip* strip, int buttonId)
{
    CDlgBase::OnRibBtnAdded(strip, buttonId);
    CRibBtnContainer* concrete = Concrete(strip);
    if (!concrete)
        return;
    switch (buttonId) {
    case kLoadUnitsId:
        concrete->SetButtonCheckMode(quint32(buttonId), 1);
        concrete->SetButtonIcon(quint32(buttonId), 402);
        break;
    case kFsmItemsId:
    case kViewModeId:
        concrete->SetButtonCheckMode(quint32(buttonId), 1);
        break;
    case kNewId:
    case kEditId:
    case kCopyId:
    case kDeleteId:
        concrete->SetButtonValue(quint32(buttonId), buttonId);
        break;
    case kIdOk:
        concrete->SetButtonText(quint32(buttonId), QString::fromStdString(LoadResString(801)));
        break;
    default:
        break;
    }
}

void CDlgEditLgsFsmExt::AdjustRibBtnNavNext(int buttonId, int* anchorId)
{
    if (buttonId == kLoadUnitsId)
        *anchorId = kIdOk;
    else if (buttonId == kNewId)
        *anchorId = kListId;
}

bool CDlgEditLgsFsmExt::TileDragStart(const CHlbCatalogue::Entry& entry, QPoint global)
{
    return m_pZiehZiel && m_pZiehZiel->TileDragStart(entry, global);
}

void CDlgEditLgsFsmExt::TileDragMove(QPoint global)
{
    if (m_pZiehZiel)
        m_pZiehZiel->TileDragMove(global);
}

void CDlgEditLgsFsmExt::TileDragEnd(QPoint global)
{
    if (m_pZiehZiel)
        m_pZiehZiel->TileDragEnd(global);
}
