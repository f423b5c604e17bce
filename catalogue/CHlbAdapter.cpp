// The catalogue adapter: filling, loading, drawing, selection, deleting and keeping adapters in step.
#include "catalogue/CHlbAdapter.h"

#include "draw2d/FontTable.h"

#include "catalogue/CDlgLadung.h"
#include "catalogue/CHListbox.h"
#include "catalogue/CHlbSearchFields.h"
#include "catalogue/IHlbAdapterOwner.h"
#include "catalogue/QImageItemPicture.h"
#include "model/base/ProgramFolders.h"
#include "model/files/FsmEditing.h"
#include "model/files/LadungEditing.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/text/TextProvider.h"
#include "platform/ShellFileOperation.h"
#include "ui/IMessageBoxService.h"
#include "ui/ResourcePictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace {
std::vector<CHlbAdapter*>& Registry()
{
    static std::vector<CHlbAdapter*> adapters;
    return adapters;
}

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

// Puts the arguments in place of the text's "%s" markers, in order.
QString FillIn(QString text, const QStringList& args)
{
    int from = 0;
    for (const QString& arg : args) {
        const int at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        text.replace(at, 2, arg);
        from = at + static_cast<int>(arg.size());
    }
    return text;
}

const int kTileWidth = 110;
const int kTileMaxWidth = 220;

// Length, width and height of an item in millimetres, as its tile shows them.
QString MaszText(const tagItemData& item)
{
    return QString::asprintf("%.0f×%.0f×%.0f", item.m_dLaenge * 1000.0, item.m_dBreite * 1000.0,
                             item.m_dHoehe * 1000.0);
}
const int kDeleteWaitMs = 2000;
} // namespace

CHlbAdapter::CHlbAdapter(std::shared_ptr<CHlbCatalogue> catalogue) : m_catalogue(std::move(catalogue))
{
    Registry().push_back(this);
}

CHlbAdapter::~CHlbAdapter()
{
    auto& adapters = Registry();
    adapters.erase(std::remove(adapters.begin(), adapters.end(), this), adapters.end());
    if (m_list) {
        m_list->SetOwner(nullptr);
        m_list->DeleteAllItems(kDeleteWaitMs);
    }
    if (m_attached && Others().empty())
        m_catalogue->Clear();
}

std::vector<CHlbAdapter*> CHlbAdapter::Others() const
{
    std::vector<CHlbAdapter*> others;
    for (CHlbAdapter* a : Registry())
        if (a != this && a->m_attached && a->m_catalogue == m_catalogue)
            others.push_back(a);
    return others;
}

void CHlbAdapter::Attach(CHListbox* list, IHlbAdapterOwner* owner)
{
    m_list = list;
    m_owner = owner;
    m_list->SetOwner(this);
    // A catalogue strip shows its tiles from the left edge, with no blank beside them.
    m_list->SetTilesToEdges(true);
    m_list->SetItemLoader(&CHlbAdapter::LoadItemPicture);
    m_list->SelectItem(-1);
    m_list->SetDefaultEasing(0, 350);
    LoadTilePictures();
    if (Others().empty())
        m_catalogue->Build();
    m_attached = true;
    if (FillList() > 0)
        SelectItem(0, false);
}

void CHlbAdapter::SetFilter(int category, const QString& text, bool selectFirst, bool notify)
{
    m_category = category;
    m_search = text;
    FillList();
    if (selectFirst && m_list->GetItemCount() > 0)
        SelectItem(0);
    if (notify)
        NotifyOtherAdapters({kSyncRefill, category, text, nullptr, nullptr});
}

void CHlbAdapter::GetFilter(int* category, QString* text) const
{
    if (category)
        *category = m_category;
    if (text)
        *text = m_search;
}

int CHlbAdapter::FillList()
{
    if (!m_list)
        return 0;
    m_typedHit = -1;
    m_hot = nullptr; // the strip forgets its hover area with its tiles
    m_list->DeleteAllItems(kDeleteWaitMs);
    // The old tiles are gone, so the entries they showed may go too.
    m_shown = m_catalogue->Filter(m_category, m_search.toStdString());
    m_scaled.clear();
    for (const auto& entry : m_shown)
        m_list->AddItem(QString::fromStdString(CHlbCatalogue::DisplayName(entry->item)), entry.get(), 0);
    if (m_fields)
        m_fields->ShowFilterText(m_search);
    if (m_owner)
        m_owner->ListRefilled();
    return static_cast<int>(m_shown.size());
}

void CHlbAdapter::SelectItem(int index, bool scroll)
{
    if (!m_list)
        return;
    m_list->SelectItem(index);
    if (scroll && index >= 0)
        m_list->ScrollToItem(index, 9);
}

const sHLBItemData* CHlbAdapter::SelectedEntry() const
{
    if (!m_list)
        return nullptr;
    const int index = m_list->GetCurSel();
    if (index < 0 || index >= static_cast<int>(m_shown.size()))
        return nullptr;
    return m_shown[static_cast<std::size_t>(index)].get();
}

CHlbCatalogue::Entry CHlbAdapter::SelectedSharedEntry() const
{
    const sHLBItemData* entry = SelectedEntry();
    for (const auto& e : m_shown)
        if (e.get() == entry)
            return e;
    return nullptr;
}

bool CHlbAdapter::BeginDrag(const HListboxDrag& drag)
{
    if (!m_owner || drag.index < 0 || drag.index >= static_cast<int>(m_shown.size()))
        return false;
    return m_owner->TileDragStart(m_shown[static_cast<std::size_t>(drag.index)], drag.globalPos);
}

void CHlbAdapter::DragMove(const HListboxDrag& drag)
{
    if (m_owner)
        m_owner->TileDragMove(drag.globalPos);
}

void CHlbAdapter::EndDrag(const HListboxDrag& drag)
{
    if (m_owner)
        m_owner->TileDragEnd(drag.globalPos);
}

bool CHlbAdapter::Shows(const sHLBItemData* entry) const
{
    return entry &&
           std::any_of(m_shown.begin(), m_shown.end(), [entry](const auto& e) { return e.get() == entry; });
}

bool CHlbAdapter::IsSelectedItemStandard() const
{
    const sHLBItemData* entry = SelectedEntry();
    return entry && entry->standard;
}

void CHlbAdapter::SetViewMode(int mode, bool noNotify)
{
    m_viewMode = mode;
    m_scaled.clear();
    if (m_list)
        m_list->Canvas()->update();
    if (m_owner)
        m_owner->ViewModeChanged(mode);
    if (!noNotify)
        NotifyOtherAdapters({kSyncViewMode, mode, {}, nullptr, nullptr});
}

bool CHlbAdapter::DeleteSelectedItem(QString* error)
{
    const sHLBItemData* entry = SelectedEntry();
    if (!CHlbCatalogue::CanDelete(entry))
        return false;
    const QString kind = Text(m_category == 0 ? 286 : 447);
    const QString question =
        FillIn(Text(477), {QString::fromStdString(CHlbCatalogue::DisplayName(entry->item)), kind});
    // The program's plain box: the name is the user's and never read as markup.
    const bool yes =
        m_confirm ? m_confirm(Text(425), question)
                  : MessageBoxes().Show(m_list.data(), Text(425), question, IMessageBoxService::Icon::Warning,
                                        IMessageBoxService::Buttons::YesNo) == IMessageBoxService::kYes;
    if (!yes)
        return false;
    // The file goes first: an entry whose file stays would come back at the next start.
    const int result = ShellFileOperation(entry->path, {}, FO_DELETE, FOF_NOCONFIRMATION | FOF_SILENT);
    if (result != SFO_OK && result != SFO_SOURCE_MISSING) {
        const QString reason = QString::fromStdString(ShellFileOperationErrorText(result));
        if (error)
            *error = reason;
        else
            MessageBoxes().Show(m_list.data(), Text(425), reason, IMessageBoxService::Icon::Warning,
                                IMessageBoxService::Buttons::Ok);
        return false;
    }
    m_catalogue->Remove(entry);
    const int index = m_list->GetCurSel();
    FillList();
    if (m_list->GetItemCount() > 0)
        SelectItem(std::min(index, m_list->GetItemCount() - 1), false);
    NotifyOtherAdapters({kSyncRefillAll, -1, {}, nullptr, nullptr});
    return true;
}

void CHlbAdapter::NotifyOtherAdapters(const SyncNote& note)
{
    for (CHlbAdapter* other : Others())
        other->OnSync(note);
}

void CHlbAdapter::OnSync(const SyncNote& note)
{
    switch (note.code) {
    case kSyncViewMode:
        SetViewMode(note.value, true);
        break;
    case kSyncRefill:
        m_category = note.value;
        m_search = note.text;
        RefillKeeping(nullptr);
        break;
    case kSyncEdited:
        // The edited entry stays selected where its old record was.
        RefillKeeping(SelectedEntry() == note.replaced ? note.entry : nullptr);
        break;
    case kSyncRefillAll:
        RefillKeeping(nullptr);
        break;
    default:
        break;
    }
}

void CHlbAdapter::RefillKeeping(const sHLBItemData* prefer)
{
    // Holds the selected entry while the tiles go, so its address cannot be taken by another.
    CHlbCatalogue::Entry selected;
    if (const sHLBItemData* current = SelectedEntry())
        for (const auto& e : m_shown)
            if (e.get() == current)
                selected = e;
    FillList();
    int index = -1;
    for (std::size_t i = 0; i < m_shown.size(); ++i)
        if (m_shown[i].get() == prefer || (index < 0 && m_shown[i] == selected))
            index = static_cast<int>(i);
    if (index < 0 && !m_shown.empty())
        index = 0;
    SelectItem(index, false);
}

int CHlbAdapter::EntrySaved(const sHLBItemData* replaced, CHlbCatalogue::Entry entry)
{
    const sHLBItemData* saved = entry.get();
    if (replaced)
        m_catalogue->Replace(replaced, entry);
    else
        m_catalogue->Insert(entry);
    if (!CHlbCatalogue::InCategory(saved->item, m_category))
        m_category = saved->item.m_nArt < 5 ? 0 : 1;
    if (!CHlbCatalogue::MatchesSearch(CHlbCatalogue::DisplayName(saved->item), m_search.toStdString()))
        m_search.clear();
    FillList();
    int index = -1;
    for (std::size_t i = 0; i < m_shown.size(); ++i)
        if (m_shown[i].get() == saved)
            index = static_cast<int>(i);
    SelectItem(index);
    NotifyOtherAdapters({kSyncEdited, -1, {}, replaced, saved});
    return index;
}

namespace {

CHlbAdapter::FsmItemEditor& FsmEditorSlot()
{
    static CHlbAdapter::FsmItemEditor editor;
    return editor;
}

} // namespace

void CHlbAdapter::SetFsmItemEditor(FsmItemEditor editor)
{
    FsmEditorSlot() = std::move(editor);
}

bool CHlbAdapter::HasFsmItemEditor()
{
    return bool(FsmEditorSlot());
}

bool CHlbAdapter::CanEditItem(int mode) const
{
    if (m_category != 0 && !HasFsmItemEditor())
        return false;
    const sHLBItemData* selected = SelectedEntry();
    switch (mode) {
    case 0:
        return selected && !selected->standard;
    case 1:
        return true;
    case 2:
        return CHlbCatalogue::CanCopy(selected);
    default:
        return false;
    }
}

int CHlbAdapter::EditItem(int mode, QWidget* parent)
{
    if (!CanEditItem(mode))
        return -1;
    const CatalogueFolders& folders = m_catalogue->Folders();
    // Held for the time the editor runs.
    CHlbCatalogue::Entry selected;
    if (mode != 1)
        for (const CHlbCatalogue::Entry& shown : m_shown)
            if (shown.get() == SelectedEntry())
                selected = shown;
    tagItemData item;
    if (selected) {
        item = selected->item;
        // A picture its tile has not loaded yet is read now, so the save keeps it.
        if (!item.m_pBild && !item.m_strBildDatei.empty()) {
            QImageReader reader(PicturePath(folders, item.m_strBildDatei));
            const QImage picture = reader.read();
            if (!picture.isNull())
                item.m_pBild = std::make_unique<QImageItemPicture>(picture);
        }
    }
    std::filesystem::path path;
    if (m_category == 0) {
        CDlgLadung dialog(item, mode, folders, parent);
        if (dialog.exec() != CDlgLadung::kIdSave)
            return -1;
        path = item.m_strPfad;
    } else {
        if (mode == 1 && m_neuVorlage)
            item = *m_neuVorlage;
        if (mode == 1)
            item.m_nArt = 6;
        FsmEditRequest request;
        request.parent = parent;
        request.mode = mode;
        request.item = &item;
        request.itemPath = [&folders](const std::string& name) {
            return FsmItemPath(folders.fsmItems, name);
        };
        if (!FsmEditorSlot()(request))
            return -1;
        const std::filesystem::path current =
            mode == 0 && selected ? std::filesystem::path(selected->path) : "";
        const PictureWriter writer = [](const ItemPicture& picture, const std::filesystem::path& target) {
            return QImageItemPicture::Of(&picture).save(QString::fromStdString(target.string()), "PNG");
        };
        bool pictureKept = false;
        if (!SaveFsmItem(item, current, request.newPath, request.pictureChanged, folders.pictures, writer,
                         &pictureKept)) {
            const QString where =
                QString::fromStdString((request.newPath.empty() ? current : request.newPath).string());
            MessageBoxes().Show(parent, Text(273), Text(9470).replace(QLatin1String("%s"), where),
                                IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
            return -1;
        }
        if (pictureKept)
            MessageBoxes().Show(parent, Text(273), Text(9471), IMessageBoxService::Icon::Warning,
                                IMessageBoxService::Buttons::Ok);
        path = request.newPath.empty() ? current : request.newPath;
    }
    auto entry = std::make_shared<sHLBItemData>();
    entry->item = item;
    entry->path = path.string();
    entry->item.m_strPfad = entry->path;
    return EntrySaved(mode == 0 ? selected.get() : nullptr, std::move(entry));
}

int CHlbAdapter::AddItemFromLoadUnit(const tagItemData& loadUnit, QWidget* parent)
{
    if (!HasFsmItemEditor())
        return -1;
    // The FSM editor runs as for a new FSM item; a cancel leaves the strip as it was.
    const int category = m_category;
    m_category = 1;
    m_neuVorlage = std::make_unique<tagItemData>(FsmAusLadeeinheit(loadUnit));
    const int index = EditItem(1, parent);
    m_neuVorlage.reset();
    if (index < 0)
        m_category = category;
    return index;
}

QString CHlbAdapter::PicturePath(const CatalogueFolders& folders, const std::string& pictureName)
{
    const auto at = pictureName.find_last_of("\\/");
    const std::string file = at == std::string::npos ? pictureName : pictureName.substr(at + 1);
    if (file.empty() || file == "." || file == ".." || folders.pictures.empty())
        return {};
    return QString::fromStdString((folders.pictures / file).string());
}

QString CHlbAdapter::LoadPath(const CatalogueFolders& folders, const sHLBItemData& entry)
{
    if (!entry.item.m_strBildDatei.empty())
        return PicturePath(folders, entry.item.m_strBildDatei);
    if (!entry.standard)
        return {};
    static const int kTyped[] = {0, 1, 2, 5, 8, 9, 10, 11, 12};
    if (std::find(std::begin(kTyped), std::end(kTyped), entry.item.m_nArt) == std::end(kTyped))
        return {};
    return QString::fromStdString((StandardPictureFolder() / GetLadungTypBild(entry.item.m_nArt)).string());
}

bool CHlbAdapter::LoadItemPicture(const HListboxLoadRequest& request, QVariant* output)
{
    const QString path = request.input.toString();
    if (path.isEmpty())
        return true;
    QImageReader reader(path, "PNG");
    QImage image = reader.read();
    if (!image.isNull())
        *output = image;
    return true;
}

bool CHlbAdapter::MeasureItem(const HListboxItem& tile, int /*state*/, int* width)
{
    // As wide as its name and its dimensions need, so that neither is cut; within reason.
    *width = kTileWidth;
    if (const auto* entry = static_cast<const sHLBItemData*>(tile.ownerData)) {
        const tagItemData& item = entry->item;
        const QString name = QString::fromStdString(CHlbCatalogue::DisplayName(item));
        const int nName = QFontMetrics(FontTable::MakeFont("Arial", -14)).horizontalAdvance(name);
        const int nMasze =
            QFontMetrics(FontTable::MakeFont("Segoe UI", -12)).horizontalAdvance(MaszText(item));
        *width = std::clamp(std::max(nName, nMasze) + 12, kTileWidth, kTileMaxWidth);
    }
    return true;
}

bool CHlbAdapter::MayLoad(const HListboxItem& tile)
{
    const auto* entry = static_cast<const sHLBItemData*>(tile.ownerData);
    return entry == nullptr || entry->item.m_pBild == nullptr;
}

QVariant CHlbAdapter::LoadInput(const HListboxItem& tile)
{
    const auto* entry = static_cast<const sHLBItemData*>(tile.ownerData);
    if (!entry || entry->item.m_pBild)
        return {};
    return LoadPath(m_catalogue->Folders(), *entry);
}

void CHlbAdapter::ItemLoadChanged(const HListboxItem* tile, int state)
{
    if (!tile || state != kTileLoaded || !tile->ownerData)
        return;
    // The tile still shows the entry (the strip drops late results), so the entry is alive in m_shown.
    auto* entry = static_cast<sHLBItemData*>(tile->ownerData);
    const QImage image = tile->loadOutput.value<QImage>();
    if (!image.isNull() && !entry->item.m_pBild)
        entry->item.m_pBild = std::make_unique<QImageItemPicture>(image);
    // The other strips showing this entry may draw it now.
    for (CHlbAdapter* other : Others())
        if (other->m_list)
            other->m_list->Canvas()->update();
}

bool CHlbAdapter::ScrollRequest(HListboxScroll& request)
{
    switch (request.reason) {
    case 1:
        request.kind = 1;
        return false;
    case 2:
    case 4:
    case 6:
        request.kind = 3;
        return false;
    case 3:
        request.kind = 1;
        return false;
    case 5:
        request.kind = 0;
        return false;
    default:
        return false;
    }
}

void CHlbAdapter::SelectionChanged(int /*oldIndex*/, int /*newIndex*/)
{
    if (m_owner)
        m_owner->SelectionChanged(SelectedEntry());
}

void CHlbAdapter::ItemActivated(int index)
{
    if (m_owner && index >= 0 && index < static_cast<int>(m_shown.size()))
        m_owner->EntryActivated(m_shown[static_cast<std::size_t>(index)].get());
}

void CHlbAdapter::TypedSearch(const QString& text)
{
    m_typedHit = -1;
    const std::string key = text.toStdString();
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        if (CHlbCatalogue::MatchesSearch(CHlbCatalogue::DisplayName(m_shown[i]->item), key)) {
            m_typedHit = static_cast<int>(i);
            break;
        }
    }
    if (m_owner)
        m_owner->TypedSearchResult(text, m_typedHit >= 0);
    if (m_fields)
        m_fields->ShowTypedSearch(text, m_typedHit >= 0);
    if (m_typedHit >= 0)
        SelectItem(m_typedHit);
}

void CHlbAdapter::EndTypedSearch()
{
    m_typedHit = -1;
    if (m_owner)
        m_owner->SearchCleared();
}

bool CHlbAdapter::HoverAreaEntered(int index, const QPoint& point, QRect* area)
{
    if (!m_list || index < 0 || index >= static_cast<int>(m_shown.size()))
        return false;
    const QRect tile = m_list->GetItemRect(index);
    if (!tile.contains(point))
        return false;
    *area = tile;
    m_hot = m_shown[static_cast<std::size_t>(index)].get();
    m_list->Canvas()->update();
    return true;
}

void CHlbAdapter::HoverAreaLeft(int /*index*/)
{
    m_hot = nullptr;
    if (m_list)
        m_list->Canvas()->update();
}

bool CHlbAdapter::FindQuery(int index, const QString& key, bool /*flag*/)
{
    if (index < 0 || index >= static_cast<int>(m_shown.size()))
        return false;
    return CHlbCatalogue::MatchesSearch(
        CHlbCatalogue::DisplayName(m_shown[static_cast<std::size_t>(index)]->item), key.toStdString());
}

void CHlbAdapter::LoadTilePictures()
{
    for (const quint32 id :
         {kBildStandard, kBildKeinBildKlein, kBildBenutzer, kBildLupe, kBildGewaehltBenutzer,
          kBildGewaehltStandard, kBildLaedt, kBildFehlt, kBildFsm, kBildLadeeinheit})
        m_tileBilder[id] = LoadCxImageFromResource(id, PICTURE_FORMAT_BITMAP);
}

const QImage& CHlbAdapter::TileBild(quint32 id) const
{
    static const QImage none;
    const auto it = m_tileBilder.find(id);
    return it == m_tileBilder.end() ? none : it->second;
}

quint32 CHlbAdapter::PlatzhalterBild(const sHLBItemData& entry, int loadState, int viewMode)
{
    if (entry.item.m_pBild)
        return 0;
    if (loadState == kTileNotLoaded || loadState == kTileLoading)
        return kBildLaedt;
    // Loaded and still without a picture: a picture the entry names could not be read; else the kind.
    if (!entry.item.m_strBildDatei.empty())
        return kBildFehlt;
    if (viewMode != 0)
        return kBildKeinBildKlein;
    return entry.item.m_nArt >= 5 ? kBildFsm : kBildLadeeinheit;
}

bool CHlbAdapter::DrawItem(HListboxDraw& draw)
{
    const auto* entry = static_cast<const sHLBItemData*>(draw.ownerData);
    if (!entry || !draw.painter)
        return false;
    QPainter& p = *draw.painter;
    const QRect r = draw.rect;
    const bool selected = draw.stateBits & kDrawSelected;
    const bool hot = entry == m_hot;
    QColor background = hot ? QColor(Qt::white) : QColor(245, 245, 245);
    if (selected)
        background = entry->standard ? QColor(216, 251, 210) : QColor(189, 207, 234);
    p.fillRect(r, background);
    p.setPen(hot ? QColor(48, 10, 7) : QColor(180, 180, 180));
    p.drawRect(r.adjusted(0, 0, -1, -1));

    const QFont nameFont = FontTable::MakeFont("Arial", -14);
    const QFont smallFont = FontTable::MakeFont("Segoe UI", -12);
    const int band = QFontMetrics(nameFont).height();
    int top = r.top() + 2;
    // The marks: the entry's kind (standard or the user's own) at the left, the selection at the right;
    // on the title band in the large tiles, in the picture's corners in the compact ones.
    const QImage& kind = TileBild(entry->standard ? kBildStandard : kBildBenutzer);
    const QImage& tick = TileBild(entry->standard ? kBildGewaehltStandard : kBildGewaehltBenutzer);
    QPoint kindAt(r.left() + 3, r.top() + 3);
    QPoint tickAt(r.right() - 2 - tick.width(), r.top() + 3);
    if (m_viewMode == 0) {
        p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 2, band),
                   entry->standard ? QColor(50, 111, 47) : QColor(57, 107, 181));
        kindAt.setY(r.top() + 1 + (band - kind.height()) / 2);
        tickAt.setY(r.top() + 1 + (band - tick.height()) / 2);
        top += band;
    }
    const int textLines = 3 * QFontMetrics(smallFont).height();
    const QRect pictureArea(r.left() + 6, top + 2, r.width() - 12, r.bottom() - textLines - top - 6);
    const QImage picture = QImageItemPicture::Of(entry->item.m_pBild.get());
    if (!picture.isNull() && pictureArea.height() > 4) {
        ScaledPicture& cached = m_scaled[entry];
        if (cached.source != picture.cacheKey() || cached.size != pictureArea.size()) {
            cached = {picture.cacheKey(), pictureArea.size(),
                      picture.scaled(pictureArea.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)};
            ++m_scalings;
        }
        const QImage& scaled = cached.image;
        const QRect placed(pictureArea.left() + (pictureArea.width() - scaled.width()) / 2,
                           pictureArea.top() + (pictureArea.height() - scaled.height()) / 2, scaled.width(),
                           scaled.height());
        p.drawImage(placed.topLeft(), scaled);
        // The pointer resting on a tile with a picture: the magnifier at the picture's lower right.
        const QImage& lupe = TileBild(kBildLupe);
        if (hot && !lupe.isNull())
            p.drawImage(std::min(placed.right(), pictureArea.right()) - lupe.width() + 1,
                        std::min(placed.bottom(), pictureArea.bottom()) - lupe.height() + 1, lupe);
    } else if (const quint32 id = PlatzhalterBild(*entry, draw.loadState, m_viewMode); id != 0) {
        const QImage& bild = TileBild(id);
        if (!bild.isNull())
            p.drawImage(pictureArea.left() + (pictureArea.width() - bild.width()) / 2,
                        pictureArea.top() + (pictureArea.height() - bild.height()) / 2, bild);
    }
    if (!kind.isNull())
        p.drawImage(kindAt, kind);
    if (selected && !tick.isNull())
        p.drawImage(tickAt, tick);
    QRect text(r.left() + 4, pictureArea.bottom() + 2, r.width() - 8, r.bottom() - pictureArea.bottom() - 2);
    p.setPen(Qt::black);
    p.setFont(nameFont);
    const QString name = QString::fromStdString(CHlbCatalogue::DisplayName(entry->item));
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop,
               QFontMetrics(nameFont).elidedText(name, Qt::ElideRight, text.width()));
    p.setFont(smallFont);
    text.setTop(text.top() + QFontMetrics(nameFont).height());
    const tagItemData& item = entry->item;
    const QString masse = QString::asprintf("%.0f kg", item.m_dMasse * 1000.0);
    const QString masze = MaszText(item);
    p.setPen(QColor(48, 10, 7));
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop, masse);
    text.setTop(text.top() + QFontMetrics(smallFont).height());
    // Figures are never cut: dimensions wider than the tile take a smaller font.
    QFont maszFont = smallFont;
    const int breite = QFontMetrics(smallFont).horizontalAdvance(masze);
    if (breite > text.width() && text.width() > 0)
        maszFont.setPixelSize(std::max(7, smallFont.pixelSize() * text.width() / breite));
    p.setFont(maszFont);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop, masze);
    if ((draw.stateBits & kDrawFocused) && selected) {
        p.setPen(QPen(QColor(48, 10, 7), 1, Qt::DotLine));
        p.drawRect(r.adjusted(2, 2, -3, -3));
    }
    return true;
}
