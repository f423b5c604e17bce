// The base of the load-securing wizard's pages: header picture, hint pane, strips and the operations
// through which the wizard asks and tells its pages.
#pragma once

#include "loadsecuring/LgSichgAktion.h"
#include "loadsecuring/LgSichgViewEvent.h"
#include "ui/CDlgBase.h"
#include "ui/ProgramRun.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <memory>

class CCmdUI;
class CFahrzeug;
class CLadeeinheit;
class CPshLgSichgWizard;
class CQorBrowser;
class FormatArg;
class ILgSicherungView;
class LgSichgPageEvent;

// A page is a dialog template shown as a child widget of the wizard's page stack; the dialog base
// gives it its strips, group boxes, keyboard order, edit commits and idle update. The wizard calls
// Activate and Deactivate when the page becomes or stops being the active one.
class CPgLgSichgBase2 : public CDlgBase
{
    Q_OBJECT
public:
    // The default header picture and the two group-box colours.
    static constexpr quint32 kDefaultHeaderBitmap = 648;
    static QColor OuterFrameColor() { return QColor(233, 239, 248); }
    static QColor InnerFrameColor() { return QColor(154, 184, 222); }

    CPgLgSichgBase2(quint32 templateId, CPshLgSichgWizard* pWizard);
    ~CPgLgSichgBase2() override;

    // The operations through which the wizard asks and tells its pages, by topic. (The dialog base
    // gives the painting of controls, the strip hooks and the edit commits.)

    // Activation and the wizard's reach.
    // Once, at the first activation.
    virtual void OnFirstActivate();
    // The page has been newly entered (the wizard's reach); nVisits counts these entries.
    virtual void OnFirstEnter(int nVisits);
    // What gets the focus after activation; null for nothing.
    virtual QWidget* GetInitialFocus();
    // Before leaving for nTarget: -2 refuses, -1 accepts, an index redirects. The base gives nTarget.
    virtual int Validate(int nTarget);
    // The wizard's reach was set.
    virtual void OnReachChanged(int nOldReach, int nValue);

    // The look: header picture and group-box colours.
    // May replace the header picture's number (kDefaultHeaderBitmap).
    virtual void GetHeaderBitmapId(quint32* pId);
    // May replace the two group-box colours.
    virtual void GetGroupBoxColors(QColor* pOuter, QColor* pInner);

    // The hint pane.
    // Fills the hint; 0 shows it. The base clears the hint-dirty flag and gives an empty text.
    virtual int BuildHintHtml(std::intptr_t nArg, QString* pHtml);
    // Whether the hint pane keeps the focus on this page; the base answers 0.
    virtual int UseBrowserFocus(CQorBrowser* pBrowser);

    // The wizard's buttons.
    // The page's opinion on enabling Next, Back and the report button; nonzero when it gave one.
    virtual int OnUpdateNext(CCmdUI* pCmdUI);
    virtual int OnUpdateBack(CCmdUI* pCmdUI);
    virtual int OnUpdateReport(CCmdUI* pCmdUI);
    // The keyboard successor among the wizard's buttons: Close, Save, Report, Next, Back.
    virtual void GetNextCommandId(int nId, int* pNext);
    // A wizard button was pressed, with its value in the strip.
    virtual int OnButtonPressed(int nId, int nValue);

    // The view.
    // The view of the wizard.
    virtual ILgSicherungView* GetView() const;
    // Positive refuses the view action with *pMessage, 0 allows, -1 (the base) has no opinion.
    virtual int QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage);
    // A view notification; nonzero when handled.
    virtual int OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert);

    // The framework's activation and deactivation of the page, overridden by pages that need them.
    virtual bool OnSetActive();
    virtual bool OnKillActive();
    // A link of the hint pane: command kLinkFirst..kLinkLast with the link's argument (null when the
    // link had none). The base does nothing.
    virtual void OnHintLink(int nId, QString strArg);

    static constexpr int kLinkFirst = 0x8001;
    static constexpr int kLinkLast = 0x8005;

    // Called by the wizard: activation (newly-entered check, first-time steps, OnSetActive) and
    // deactivation (OnKillActive; the hint pane goes back).
    void Activate(bool bNewlyEntered);
    bool Deactivate();

    // The tab title: text nTextId formatted with the page number, the page count and the arguments.
    void SetPageTitle(quint32 nTextId, std::initializer_list<FormatArg> args);
    QString PageTitle() const { return m_strTitle; }
    // A notice to the view: sent with bSend, else posted.
    void NotifyView(bool bSend, LgSichgSeitenHinweis eHinweis, std::intptr_t nWert);
    // Builds the hint and shows it when the page holds the hint pane.
    void RefreshHint(std::intptr_t nArg);
    int GetMaskForSheet() const;

    CPshLgSichgWizard* GetWizard() const { return m_pWizard; }
    CLadeeinheit* GetLadeeinheit() const;
    CFahrzeug* GetFahrzeug() const;
    void SetView(ILgSicherungView* pView) { m_pView = pView; }
    // The program run of the page: the view's run (the page's own while it has no view), and the
    // answers kept for it.
    ProgramRun& GetProgramRun();
    ProgramRun::Antworten& GetAntworten() { return GetProgramRun().GetAntworten(); }

    int PageIndex() const { return m_nPageIndex; }
    void SetPageIndex(int nIndex) { m_nPageIndex = nIndex; }
    int VisitCount() const { return m_nVisits; }
    bool IsHintDirty() const { return m_bHintDirty; }
    bool IsActivePage() const;
    const QImage& HeaderPicture() const { return m_header; }
    QRect HintRect() const { return m_rcHint; }
    // The last hint HTML built.
    QString HintHtml() const { return m_strHint; }

protected:
    bool OnInitDialog() override;
    void AdjustButtonColors(QColor* color1, QColor* color2) override;
    bool event(QEvent* event) override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;

    bool m_bHintDirty = true;

private:
    void DrawHeader(QPainter& painter, QSize size);
    void HandlePageEvent(LgSichgPageEvent& e);

    QImage m_header;
    bool m_bFirstActivate = true;
    bool m_bFirstReport = true;
    int m_nVisits = 0;
    ILgSicherungView* m_pView = nullptr;
    std::unique_ptr<ProgramRun> m_pEigenerLauf;
    QRect m_rcHint;
    bool m_bHintRectTaken = false;
    int m_nPageIndex = -1;
    CPshLgSichgWizard* m_pWizard;
    QString m_strTitle;
    QString m_strHint;
};
