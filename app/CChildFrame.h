// The window of one open vehicle or combination file: it makes and owns the document, hosts the
// tabbed view host and closes with a save of its document.
#pragma once

#include "model/document/LockedVehicleFileAccess.h"
#include "views/CTabbedViewView.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QRubberBand>

#include <memory>

class CAppStateParams;
class CGetAnsView;
class CQOR1Doc;
class ProgramRun;
class View3DDevice;
class CQtDocumentHost;
struct DocumentServices;

class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    // Button ids of the question after a failed save.
    static constexpr int kSaveAs = 61005;
    static constexpr int kCloseWithoutSaving = 61006;
    static constexpr int kCancel = 61007;

    // The views made for the window keep their answers in `pRun`; its 3D view renders on `device3D`
    // (both outlive the window).
    CChildFrame(const DocumentServices* services, ProgramRun* pRun, View3DDevice& device3D,
                QWidget* parent = nullptr);
    ~CChildFrame() override;

    // The views of the windows made from now on (MakeView when not set).
    static void SetViewFactory(CTabbedViewView::ViewFactory factory);
    // The program's views of kinds 0 to 3 (template, loading plan, load securing, 3D); null for the
    // others, which the host makes itself. The 3D view renders on `device3D`.
    static CGetAnsView* MakeView(int nKind, CQOR1Doc* pDoc, View3DDevice& device3D);

    // Makes the document with the creation value and the application state and the view host showing
    // it; `path` is the window's first caption.
    bool CreateWithDocument(const QString& path, int nValue, CAppStateParams* pState);

    CQOR1Doc* GetDocument() const { return m_pDoc.get(); }
    CTabbedViewView* GetTabbedView() const { return m_pTabbedView; }
    CQtDocumentHost* GetHost() const { return m_pHost.get(); }
    CGetAnsView* GetCurrentView() const { return m_pCurrentView; }
    int GetCreateValue() const { return m_nCreateValue; }
    // Remembers a non-null view as the current one.
    void SetCurrentView(CGetAnsView* pView);

    // The close check: the views (reason 7) must agree, then, unless `bNoSave`, the document is
    // written; when that fails the user chooses another name, closing without saving, or cancel.
    bool CanClose(bool bNoSave, bool bSaveAs);
    // The main frame's close request (no-save and save-as flags): false when refused; otherwise the
    // window is gone when control returns to the event loop.
    bool CloseFromFrame(bool bNoSave, bool bSaveAs);

    // Shows the tab kept in the window's application state (int 0: the tab, int 1: the row of the split
    // view that becomes current); without one, or with a tab that does not exist, the row-0 view of the
    // split view becomes current and the tab stays.
    void RestoreTab();

    // Dragging a view onto the other pane of the split view exchanges the two. The drag follows the
    // mouse (global positions) until the button is released.
    void BeginViewDrag(CGetAnsView* pView);
    bool IsViewDragging() const { return m_bViewDrag; }
    CGetAnsView* GetDropTarget() const { return m_pDropTarget; }
    void ViewDragMove(const QPoint& global);
    void ViewDragRelease(const QPoint& global);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const DocumentServices* m_pServices;
    ProgramRun* m_pRun;
    View3DDevice& m_device3D;
    // The host and the file access outlive the document, whose destructor still uses them.
    std::unique_ptr<CQtDocumentHost> m_pHost;
    LockedVehicleFileAccess m_access;
    std::unique_ptr<CQOR1Doc> m_pDoc;
    CTabbedViewView* m_pTabbedView = nullptr;
    CGetAnsView* m_pCurrentView = nullptr;
    CAppStateParams* m_pState = nullptr;
    int m_nCreateValue = 0;
    bool m_bClosing = false; // the close check already ran
    bool m_bViewDrag = false;
    CGetAnsView* m_pDragView = nullptr;
    CGetAnsView* m_pDropTarget = nullptr;
    QPointer<QRubberBand> m_pDropFrame; // lives in the target's viewport, so it may go with it
};
