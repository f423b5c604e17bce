// The catalogue browser: load units or FSM items as tiles, to search, filter, create, edit, copy and delete.
#pragma once

#include "catalogue/CHlbAdapter.h"
#include "catalogue/IHlbAdapterOwner.h"
#include "ui/CDlgBase.h"

#include <QPoint>
#include <QString>
#include <QTimer>

#include <memory>

class CHListbox;

// A frame around a tile strip and its catalogue adapter, which lists, searches, edits and deletes.
// The caller sets the start values before exec(); nothing is read back.
class CDlgEditLgsFsmExt : public CDlgBase, public IHlbAdapterOwner
{
public:
    static constexpr quint32 kTemplateId = 862;
    static constexpr int kListId = 1341;
    static constexpr int kFilterDelayMs = 300;
    static constexpr int kColourResetMs = 850;

    explicit CDlgEditLgsFsmExt(std::shared_ptr<CHlbCatalogue> catalogue, QWidget* parent = nullptr);
    ~CDlgEditLgsFsmExt() override;

    // Start values: used only with the flag set.
    bool m_bStartWerte = false;
    int m_nStartKategorie = 0; // 0 load units, else FSM items
    int m_nStartAnsicht = 0;
    QString m_strStartSuche;
    int m_nStartIndex = -1;
    bool m_bSofortBearbeiten = false; // edit the start entry at once (posts 721)
    // The start point (0, 0: none): the dialog's left edge 4 pixels right of it, its bottom edge on it.
    QPoint m_ptStart;
    // Takes the tiles dragged out of the dialog's strip (the loading ramp places them on its plan).
    IHlbAdapterOwner* m_pZiehZiel = nullptr;

    CHlbAdapter& Adapter() { return m_adapter; }
    CHListbox* List() const { return m_list; }
    // The commands of the buttons, as a click runs them.
    bool RunCommand(int id) { return OnCommandHook(id); }
    // The filter field's text after its delay (callable directly).
    void ApplyFilterText();
    // The search field's text after its delay: a typed search, its text selected (callable directly).
    void RunSearchText();
    // The search field's colour goes back to white a while after a search (callable directly).
    void ResetSearchColour();
    bool SearchPending() const { return m_searchTimer.isActive(); }

    // The adapter's notifications.
    void TypedSearchResult(const QString& text, bool found) override;
    void SearchCleared() override;
    void EntryActivated(const sHLBItemData* entry) override;
    bool TileDragStart(const CHlbCatalogue::Entry& entry, QPoint global) override;
    void TileDragMove(QPoint global) override;
    void TileDragEnd(QPoint global) override;

protected:
    bool OnInitDialog() override;
    bool OnCommandHook(int id) override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    void OnRibBtnAdded(IButtonStrip* strip, int buttonId) override;
    void AdjustRibBtnNavNext(int buttonId, int* anchorId) override;
    void OnNotify(NotifyEvent& event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Swaps the captions of the editing buttons to the category's when it changed.
    void ShowCategoryButtons();

    CHlbAdapter m_adapter;
    CHListbox* m_list = nullptr;
    QTimer m_filterTimer;
    QTimer m_searchTimer;
    QTimer m_colourTimer;
    bool m_returnPending = false; // Return came while the search waited for its delay
    int m_shownCategory = -1;
    bool m_ownChange = false;
};
