// Fills a tile strip with the entries of the shared catalogue and answers the strip's questions.
//
// Every adapter on one catalogue keeps the others in step: a refill, a selection, a view mode or an
// edit made through one is passed to the rest. Tiles carry the entry as owner data; the adapter keeps
// the shown entries alive until the tiles are gone, so a late loader result never reaches a freed one.
#pragma once

#include "catalogue/CHListbox.h"
#include "catalogue/IHListboxOwner.h"
#include "model/files/CHlbCatalogue.h"

#include <QImage>
#include <QPointer>
#include <QSize>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class CHListbox;
class CHlbSearchFields;
class IHlbAdapterOwner;
class QWidget;

class CHlbAdapter : public IHListboxOwner
{
public:
    explicit CHlbAdapter(std::shared_ptr<CHlbCatalogue> catalogue);
    ~CHlbAdapter() override;
    CHlbAdapter(const CHlbAdapter&) = delete;
    CHlbAdapter& operator=(const CHlbAdapter&) = delete;

    // Takes the strip: builds the catalogue when this is its first adapter, fills and selects the first tile.
    void Attach(CHListbox* list, IHlbAdapterOwner* owner = nullptr);

    // Category 0 load units, else FSM items. Refills; tells the other adapters unless `notify` is false.
    void SetFilter(int category, const QString& text, bool selectFirst, bool notify = true);
    void GetFilter(int* category, QString* text) const;
    int FillList();
    void SelectItem(int index, bool scroll = true);
    const sHLBItemData* SelectedEntry() const;
    // The selected entry with a share of its ownership, so a holder never reaches a freed one.
    CHlbCatalogue::Entry SelectedSharedEntry() const;
    // Whether the strip shows the entry (it is in the catalogue and passes the filter).
    bool Shows(const sHLBItemData* entry) const;
    int ViewMode() const { return m_viewMode; }
    // Changing the view mode drops the scaled tile pictures.
    void SetViewMode(int mode, bool noNotify = false);
    // How often a tile picture was scaled; a tile drawn again with the same picture and size reuses it.
    int PictureScalings() const { return m_scalings; }

    bool CanCopySelectedItem() const { return CHlbCatalogue::CanCopy(SelectedEntry()); }
    bool CanDeleteSelectedItem() const { return CHlbCatalogue::CanDelete(SelectedEntry()); }
    bool IsSelectedItemStandard() const;

    // Asks `confirm` (a message box unless replaced); removes the entry's file first and keeps the entry
    // when that fails, with the reason in `error`. Answers whether the entry was deleted.
    bool DeleteSelectedItem(QString* error = nullptr);
    // Takes an entry the editor saved: a new one (`replaced` null) is inserted, an edited one replaces
    // its old record. Switches to the entry's category, selects it and tells the other adapters.
    // Answers its tile index.
    int EntrySaved(const sHLBItemData* replaced, CHlbCatalogue::Entry entry);
    // What the FSM item editor gets and gives back: the record to edit (a copy of the entry with its
    // picture, or a new record of type 6), the mode (0 edit, 1 new, 2 copy) and the file a name would be
    // written to. After a save it sets `newPath` (new, copied or renamed; empty writes over the entry's
    // file) and whether the picture changed.
    struct FsmEditRequest
    {
        QWidget* parent = nullptr;
        int mode = 0;
        tagItemData* item = nullptr;
        std::function<std::filesystem::path(const std::string& name)> itemPath;
        std::filesystem::path newPath;
        bool pictureChanged = false;
    };
    // Answers true when the user saved.
    using FsmItemEditor = std::function<bool(FsmEditRequest& request)>;
    // The program installs the FSM item editor at start-up; without one FSM entries are not edited.
    static void SetFsmItemEditor(FsmItemEditor editor);
    static bool HasFsmItemEditor();
    // Whether EditItem can run in the mode for the current category and selection: an editor for the
    // category, and for 0 a selected entry that is not standard, for 2 one that can be copied.
    bool CanEditItem(int mode) const;
    // Opens the editor of the category for a new entry (1), the selected one (0) or a copy of it (2);
    // writes the entry and its picture, takes it into the catalogue and selects it. Answers its tile
    // index, -1 when nothing was saved.
    int EditItem(int mode, QWidget* parent);
    // Opens the FSM item editor on a new item of type 6 made from a load unit (FsmAusLadeeinheit) and
    // takes it into the catalogue when saved. Answers its tile index, -1 when nothing was saved or no
    // FSM item editor is installed.
    int AddItemFromLoadUnit(const tagItemData& loadUnit, QWidget* parent);
    using ConfirmDelete = std::function<bool(const QString& caption, const QString& text)>;
    void SetConfirmDelete(ConfirmDelete confirm) { m_confirm = std::move(confirm); }

    // The file of a picture name inside the picture folder: only the name's last part counts.
    static QString PicturePath(const CatalogueFolders& folders, const std::string& pictureName);
    // What the loader of an entry reads: its own picture, a standard entry's type picture, or nothing.
    static QString LoadPath(const CatalogueFolders& folders, const sHLBItemData& entry);
    // Decodes the picture at the request's path (input); always succeeds, leaving no output on failure.
    static bool LoadItemPicture(const HListboxLoadRequest& request, QVariant* output);

    // The owner notifications of the strip.
    bool MeasureItem(const HListboxItem& tile, int state, int* width) override;
    void ItemLoadChanged(const HListboxItem* tile, int state) override;
    bool DrawItem(HListboxDraw& draw) override;
    bool ScrollRequest(HListboxScroll& request) override;
    void SelectionChanged(int oldIndex, int newIndex) override;
    void ItemActivated(int index) override;
    bool MayLoad(const HListboxItem& tile) override;
    QVariant LoadInput(const HListboxItem& tile) override;
    void TypedSearch(const QString& text) override;
    // Clears the hit and tells the owner the search is cleared.
    void EndTypedSearch() override;
    // The pointer resting on a tile makes it hot (drawn white) until it leaves the tile.
    bool HoverAreaEntered(int index, const QPoint& point, QRect* area) override;
    void HoverAreaLeft(int index) override;
    const sHLBItemData* HotEntry() const { return m_hot; }
    bool FindQuery(int index, const QString& key, bool flag) override;
    // A tile dragged out of the strip goes to the owner with its entry.
    bool BeginDrag(const HListboxDrag& drag) override;
    void DragMove(const HListboxDrag& drag) override;
    void EndDrag(const HListboxDrag& drag) override;

    int TypedHit() const { return m_typedHit; }

    // The tile pictures of the language module: the marks of a standard and a user entry, of the
    // selected tile (standard, user) and of the hovered tile with a picture; in the picture's place a
    // picture still loading, one that cannot be read, and the type pictures of entries without one
    // (large tiles: load unit, FSM item; compact tiles: one for both).
    static constexpr quint32 kBildStandard = 776;
    static constexpr quint32 kBildKeinBildKlein = 777;
    static constexpr quint32 kBildBenutzer = 778;
    static constexpr quint32 kBildLupe = 779;
    static constexpr quint32 kBildGewaehltBenutzer = 780;
    static constexpr quint32 kBildGewaehltStandard = 781;
    static constexpr quint32 kBildLaedt = 782;
    static constexpr quint32 kBildFehlt = 783;
    static constexpr quint32 kBildFsm = 869;
    static constexpr quint32 kBildLadeeinheit = 870;
    // What stands in the picture's place of a tile without a picture (0: the tile shows its picture).
    static quint32 PlatzhalterBild(const sHLBItemData& entry, int loadState, int viewMode);
    // The search and filter fields of the strip's window, told of typed searches and refills.
    void SetSearchFields(CHlbSearchFields* fields) { m_fields = fields; }
    CHListbox* List() const { return m_list.data(); }

private:
    enum SyncCode
    {
        kSyncRefill = 1,
        kSyncViewMode = 3,
        kSyncEdited = 4,
        kSyncRefillAll = 5,
    };
    struct SyncNote
    {
        int code = 0;
        int value = -1;
        QString text;
        const sHLBItemData* replaced = nullptr; // an edited entry: its old and new record
        const sHLBItemData* entry = nullptr;
    };
    void NotifyOtherAdapters(const SyncNote& note);
    void OnSync(const SyncNote& note);
    // Refills and selects `prefer` when shown, else keeps the current entry, else the first tile.
    void RefillKeeping(const sHLBItemData* prefer);
    std::vector<CHlbAdapter*> Others() const;
    void LoadTilePictures();
    const QImage& TileBild(quint32 id) const;

    std::shared_ptr<CHlbCatalogue> m_catalogue;
    QPointer<CHListbox> m_list;
    IHlbAdapterOwner* m_owner = nullptr;
    std::vector<CHlbCatalogue::Entry> m_shown;
    int m_category = 0;
    QString m_search;
    int m_viewMode = 0;
    int m_typedHit = -1;
    const sHLBItemData* m_hot = nullptr;
    // The tile pictures scaled for the current view mode, by shown entry. The source picture's cache key
    // and the size tell whether the scaled one still fits.
    struct ScaledPicture
    {
        qint64 source = 0;
        QSize size;
        QImage image;
    };
    std::unordered_map<const sHLBItemData*, ScaledPicture> m_scaled;
    int m_scalings = 0;
    std::unordered_map<quint32, QImage> m_tileBilder;
    bool m_attached = false;
    ConfirmDelete m_confirm;
    CHlbSearchFields* m_fields = nullptr;
    // The record a new FSM item starts from instead of an empty one.
    std::unique_ptr<tagItemData> m_neuVorlage;
};
