// The base of every view of a document: scrolling, the back buffer, the active-view frame and the
// view-notification protocol.
#pragma once

#include "model/document/DokumentMeldung.h"
#include "views/AnsichtMeldung.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QMargins>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QMenu;

class CCmdUI;
class CFahrzeug;
class CQOR1Doc;
class CTabbedViewView;
class ProgramRun;

class CGetAnsView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Width of the frame around the active view in a splitter pane.
    static constexpr int kActiveInset = 2;

    explicit CGetAnsView(CQOR1Doc* pDoc = nullptr, QWidget* parent = nullptr);
    ~CGetAnsView() override;

    CQOR1Doc* GetDocument() const { return m_pDoc; }
    void SetDocument(CQOR1Doc* pDoc) { m_pDoc = pDoc; }
    // The tabbed view host that holds this view, or null.
    CTabbedViewView* GetHost() const { return m_pHost; }
    void SetHost(CTabbedViewView* pHost) { m_pHost = pHost; }
    // The program run whose answers and settings the view uses: the one given with SetProgramRun
    // (it must outlive the view), else one of the view's own.
    ProgramRun& GetProgramRun();
    void SetProgramRun(ProgramRun* pRun);
    // The run the view was given or made for itself so far; null before either.
    const ProgramRun* ProgramRunIfAny() const { return m_pRun; }

    // Enables the command when the document has a plan for the vehicle worked on and answers false;
    // otherwise disables it and answers true.
    virtual bool UpdateCmdUIHasPlan(CCmdUI* pCmdUI);
    // What the view is told besides the document's messages; non-zero when consumed. The base has the
    // host draw the document's views again when another vehicle is worked on.
    virtual int OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert);
    virtual int MetresToPixels(double dMetres);
    virtual double PixelsToMetres(int nPixels);
    // True refuses the change named by the reason and appends this view's text to the message.
    virtual bool CanLeave(VerlassenGrund eGrund, int nArg, std::string* pMessage);
    // What the document tells its views after a change; the base does nothing.
    virtual void OnDocNotify(DokumentMeldung eMeldung, int nArg);
    virtual int OnWizardNotify(int nCode, int nArg);
    // Called by the host once the view has its place; the base does nothing.
    virtual void OnInitialUpdate();
    // A document change; `pSender` is the view that caused it (or null). The base repaints.
    virtual void OnUpdate(CGetAnsView* pSender, UpdateHinweis eHinweis);
    // The host made `pActivated` the active view in place of `pDeactivated`; this is one of them.
    virtual void OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated);
    // The x pixel position of the plan origin; the template view overrides it, the base answers 0.
    virtual int GetOriginX() const;
    // A command of the ribbon, a menu or a strip that the view runs; false for one it does not run.
    virtual bool OnBefehl(int nId);
    // The view's state of a command (after the frame's); false for a command the view has no rule for.
    virtual bool OnUpdateBefehl(int nId, CCmdUI& cmdUI);

    // With bDeferred the notification is posted to this view and the answer is 0; otherwise
    // OnViewNotify runs at once and its answer is returned.
    int PostViewNotify(bool bDeferred, AnsichtMeldung eMeldung, const AnsichtWert& wert = {});
    // Marks the vehicle (the vehicle worked on with load area when null) and the document modified and
    // updates the frame title.
    void MarkModified(CFahrzeug* pFahrzeug);
    // The cursor position in client (viewport) coordinates.
    bool GetCursorPosClient(QPoint* pPoint) const;
    // The plan origin x of the document's template view, for drawing in line with it.
    int GetPlanOriginX() const;
    // True while the host shows its splitter tab and this view is the pane of row 0, or of row 1 when
    // no row is hidden.
    bool IsInVisibleSplitterPane() const;
    // True when this view is the window of the host's selected tab.
    bool IsSelectedTabView() const;
    // The insets of the view's picture: the ones given, else derived from the view's place (2 for the
    // active view in a visible splitter pane, else 0).
    QPoint ResolveInsets(const std::optional<QPoint>& raender = std::nullopt) const;

    // The view's picture: a white RGB32 image of `size` with OnDraw painted into it, scrolled by the
    // current scroll position. Tests and exports call it without a window on screen. A view may keep
    // what did not change since its last picture.
    virtual QImage RenderPicture(QSize size);
    // What a paint shows: the picture at the viewport's size with the overlay figures on top.
    QImage RenderFrame();

    // Total, page and line sizes of the scrolled area; a null page is a tenth of the total, a null line
    // a tenth of the page.
    void SetScrollSizes(QSize total, QSize page = QSize(), QSize line = QSize());
    QSize GetTotalSize() const { return m_sizeTotal; }
    QPoint GetScrollPosition() const;

    int m_eView = -1;
    bool m_bActive = false;
    int m_nShiftX = 0;
    int m_nShiftY = 0;
    int m_n3DWert = 0;
    QMargins m_rcBorder;

protected:
    // The view was given another program run (best right after it was made): what it took from the
    // services of the run before is taken again from the new run's.
    virtual void OnProgramRunSet() {}
    // Pops up the context menu `m` at `globalPos`: the menu frees itself when it closes, and the command
    // of a chosen item goes to `befehl`. A null menu shows nothing.
    void ZeigeKontextMenu(QMenu* m, const QPoint& globalPos, std::function<void(int)> befehl);
    // Draws the view's picture; the base draws nothing.
    virtual void OnDraw(QPainter& painter);
    // Draws the transient figures (outlines, hover frames, guide lines) over the picture.
    virtual void DrawOverlay(QPainter& painter);

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();

    CQOR1Doc* m_pDoc = nullptr;
    CTabbedViewView* m_pHost = nullptr;
    ProgramRun* m_pRun = nullptr;
    std::unique_ptr<ProgramRun> m_pEigenerLauf;
    QSize m_sizeTotal;
    QSize m_sizePage;
    QSize m_sizeLine;
};
