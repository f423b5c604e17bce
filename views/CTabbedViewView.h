// The view host of a document window: one tab per view and a splitter tab that shows two views one
// above the other, and the view half of the document (finding, updating and asking the views).
#pragma once

#include "model/document/DokumentMeldung.h"
#include "views/AnsichtMeldung.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class CCmdUI;
class CDummyView;
class CGetAnsView;
class CQOR1Doc;
class ProgramRun;
class CXTPTabControlMM;
class QSplitter;
class QStackedWidget;
class QVBoxLayout;

class CTabbedViewView : public QWidget
{
    Q_OBJECT

public:
    // View kinds: the template view, the loading-plan view, the load-securing view, the 3D view, and
    // the three stand-ins of the splitter (row 0, row 1, spare).
    enum Kind
    {
        kTemplate = 0,
        kPlan = 1,
        kLgSicherung = 2,
        k3D = 3,
        kDummyRow0 = 4,
        kDummyRow1 = 5,
        kDummySpare = 6,
        kKindCount = 7,
    };
    // The kind number the tab table gives the splitter tab.
    static constexpr int kSplitterTabKind = 4;

    // Makes the view of a kind 0 to 3 for a document, or null when there is none; the host owns it.
    using ViewFactory = std::function<CGetAnsView*(int nKind, CQOR1Doc* pDoc)>;

    CTabbedViewView(CQOR1Doc* pDoc, const ViewFactory& factory, QWidget* parent = nullptr);
    ~CTabbedViewView() override;

    CQOR1Doc* GetDocument() const { return m_pDoc; }
    // The program run of the host and its views: setting it gives it to every view it holds. Without
    // one the host and its views use the services' defaults.
    ProgramRun* GetProgramRun() const { return m_pRun; }
    void SetProgramRun(ProgramRun* pRun);
    CXTPTabControlMM* GetTabBar() const { return m_pTabs; }
    QSplitter* GetSplitter() const { return m_pSplitter; }
    int GetTabCount() const { return static_cast<int>(m_tabKinds.size()); }
    // The kind a tab shows (kSplitterTabKind for the splitter tab), -1 for no such tab.
    int GetTabKind(int nTab) const;
    int GetSelectedTab() const { return m_nSelectedTab; }
    int GetRowKind(int nRow) const { return (nRow == 0 || nRow == 1) ? m_nRowKind[nRow] : -1; }

    // The window of the selected tab (the splitter for the splitter tab), or null.
    QWidget* GetSelectedTabWnd() const;
    bool IsSplitterTabSelected() const;
    // The selected tab's window as a view (null for the splitter tab); *pTab the selected index or -1.
    CGetAnsView* GetSelectedView(int* pTab = nullptr) const;
    template <typename T> T* GetSelectedTabWndOfClass() const
    {
        return dynamic_cast<T*>(GetSelectedTabWnd());
    }
    // Only while the splitter tab is selected: pane (0,0) when it is a T, else pane (1,0), else null.
    template <typename T> T* GetSplitterPaneOfClass() const
    {
        if (!IsSplitterTabSelected())
            return nullptr;
        if (T* p = dynamic_cast<T*>(m_pPaneView[0]))
            return p;
        return dynamic_cast<T*>(m_pPaneView[1]);
    }
    // The active pane of the splitter (a view with m_bActive in row 0, or in row 1 unless hidden);
    // -1/-1 and null when none.
    CGetAnsView* FindActiveView(int* pRow, int* pCol) const;
    // FindActiveView while the splitter tab is selected, else -1/-1 and null.
    CGetAnsView* GetSplitterView(int* pRow, int* pCol) const;
    // The view of the kind shown in splitter row 0 or 1.
    CGetAnsView* GetRowView(int nRow) const;
    // The view in a splitter pane now (a row view or a stand-in), or null.
    CGetAnsView* GetPaneView(int nRow) const;
    CGetAnsView* GetTemplateView() const { return m_pViews[kTemplate]; }
    CGetAnsView* GetView(int nKind) const;
    int FindTabOfKind(int nKind) const;
    int FindTabOfWnd(const CGetAnsView* pView) const;
    // Selects a tab as a click on it would, through the leave query; true when it is selected after.
    bool SelectTab(int nTab);
    // While the splitter tab is selected, shows the view of a kind (-1: exchange the rows) in the
    // active row. False, moving nothing, otherwise.
    bool ShowView(int nKind);
    // Hides or shows a splitter row.
    void SetRowHidden(int nRow, bool bHidden);
    bool IsRowHidden(int nRow) const;
    bool IsInVisibleSplitterPane(const CGetAnsView* pView) const;
    // Gives the splitter row of `pView` up to `nMore` pixels of the other row, which keeps at least a
    // quarter of the splitter's height; nothing while a row is hidden.
    void GrowRow(const CGetAnsView* pView, int nMore);

    // The template view that was activated last.
    CGetAnsView* m_pLastPlanView = nullptr;

    // The view half of the document.
    // The first view (kinds 0 to 3) that is a T, or null.
    template <typename T> T* FindView() const
    {
        for (int kind = kTemplate; kind <= k3D; ++kind)
            if (T* p = dynamic_cast<T*>(m_pViews[kind]))
                return p;
        return nullptr;
    }
    // OnUpdate of every view but the sender.
    void UpdateAllViews(CGetAnsView* pSender, UpdateHinweis eHinweis);
    // OnDocNotify of the template, loading-plan, 3D and load-securing views, in this order.
    int NotifyViews(DokumentMeldung eMeldung, int nArg);
    // CanLeave of the template, loading-plan and load-securing views, in this order; their refusals
    // ORed into *pRefused and their texts joined into *pMessage. True when none refused.
    bool CanLeaveViews(VerlassenGrund eGrund, int nArg, bool* pRefused, std::string* pMessage);
    // Repaints the template, loading-plan, load-securing and 3D views.
    void RedrawViews();
    // Repaints the splitter panes other than `pExcept`.
    void InvalidateOtherPanes(CGetAnsView* pExcept);
    // Offers a notification to the selected tab's view (the splitter's first pane when the splitter is
    // selected), then to the template, loading-plan, load-securing and 3D views except that one; the
    // first non-zero answer ends the walk and is returned. -1 without a host.
    static int PostViewNotifyAll(CTabbedViewView* pHost, bool bDeferred, AnsichtMeldung eMeldung,
                                 const AnsichtWert& wert = {});
    // Offers a command (with `pUpdate`, its update) to the current view (the selected tab's, or the
    // active pane of the split view), then to the template, loading-plan, load-securing and 3D views
    // except that one; the first that handles it ends the walk. True when one did.
    bool RouteCommand(int nId, CCmdUI* pUpdate);

    // Makes a view the active view: the old one and the new one hear of it, and so does the shell.
    void SetActiveView(CGetAnsView* pView);
    CGetAnsView* GetActiveView() const { return m_pActiveView; }
    // A view received the focus: the splitter panes take their frames again.
    void OnViewFocused(CGetAnsView* pView);

protected:
    // The tab bar asks here before the user changes the tab: CanLeaveViews with VerlassenGrund::kTabWechseln.
    bool event(QEvent* e) override;

private:
    bool CanChangeTab(int nTab);
    void OnTabChanged(int nTab);
    void EnterSplitter();
    void LeaveSplitter();
    // Takes a view out of wherever it is and puts it into a row or back into its tab.
    void PlaceInRow(int nRow, CGetAnsView* pView);
    void ReturnToTab(CGetAnsView* pView);
    void UpdatePaneInsets();

    CQOR1Doc* m_pDoc;
    CXTPTabControlMM* m_pTabs = nullptr;
    QStackedWidget* m_pStack = nullptr;
    QSplitter* m_pSplitter = nullptr;
    std::vector<int> m_tabKinds;      // kind of each tab, by tab index
    std::vector<QWidget*> m_tabPages; // page of each tab (the splitter for the splitter tab)
    QWidget* m_pPane[2] = {nullptr, nullptr};
    QVBoxLayout* m_pPaneLayout[2] = {nullptr, nullptr};
    CGetAnsView* m_pPaneView[2] = {nullptr, nullptr};
    int m_nRowKind[2] = {kTemplate, kPlan};
    CGetAnsView* m_pViews[kKindCount] = {};
    ProgramRun* m_pRun = nullptr;
    int m_nSelectedTab = -1;
    CGetAnsView* m_pActiveView = nullptr;
};
