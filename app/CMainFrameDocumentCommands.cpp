// The main window's document commands and their update handlers: open, recent files, close, new
// vehicle and combination, uncouple, the vehicle worked on, the views, and the dialogs of later parts,
// each disabled while its dialog is missing. Dropped files open as from the recent files.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CQOR2App.h"
#include "app/CQORRibbonBar.h"
#include "app/DokumentBefehle.h"
#include "app/MainRibbonLayout.h"
#include "catalogue/IHlbAdapterOwner.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/CCmdUI.h"
#include "platform/ResourceModule.h"
#include "reports/CDlgMailSettings.h"
#include "ui/IMessageBoxService.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/CViewDruck.h"
#include "views/ILastDlg.h"
#include "views/IPlanDialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace {

constexpr unsigned kFirstRecentFile = 0xE110;
constexpr unsigned kLastRecentFile = kFirstRecentFile + 15;

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

// Whether the plan view shown in the child (its tab, or a visible pane of the divided view) is blocked.
// The plan view on show in the child: its tab, or a visible splitter pane.
CQOR2View* GezeigtePlanAnsicht(const CChildFrame* child)
{
    const CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
    if (!host)
        return nullptr;
    CQOR2View* view = host->GetSelectedTabWndOfClass<CQOR2View>();
    if (!view) {
        view = host->GetSplitterPaneOfClass<CQOR2View>();
        if (view && !host->IsInVisibleSplitterPane(view))
            view = nullptr;
    }
    return view;
}

bool PlanViewBlockiert(const CChildFrame* child)
{
    const CQOR2View* view = GezeigtePlanAnsicht(child);
    return view && view->IsBlockiert();
}

// The file of a drop: the first local file.
QString DroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return QString();
}

} // namespace

void CMainFrame::RegisterDocumentCommands()
{
    CommandTable& t = m_commands;
    auto hasDoc = [](CCmdUI& cmdUI) { cmdUI.Enable(GetActiveDoc() != nullptr); };

    for (unsigned id : {127u, 33101u}) {
        t.On(id, [this](unsigned) { OnOpen(); });
        t.OnUpdate(id, [this](CCmdUI& cmdUI) { cmdUI.Enable(bool(m_services.open)); });
    }
    t.OnRange(kFirstRecentFile, kLastRecentFile, [](unsigned id) {
        CQOR2App* app = CQOR2App::Instance();
        const QStringList files = app ? app->RecentFiles() : QStringList();
        const int index = int(id - kFirstRecentFile);
        if (index < files.size())
            app->OpenDocumentFile(files[index]);
    });
    t.OnUpdateRange(kFirstRecentFile, kLastRecentFile, [](CCmdUI& cmdUI) { cmdUI.Enable(true); });

    t.On(33112, [this](unsigned) { CloseActiveChild(); });
    t.OnUpdate(33112, hasDoc);

    t.On(33124, [this](unsigned) { OnNewFahrzeug(); });
    t.OnUpdate(33124, [this](CCmdUI& cmdUI) { cmdUI.Enable(bool(m_services.newFahrzeug)); });
    t.On(644, [this](unsigned) { OnNewKombination(); });
    t.OnUpdate(644, [this](CCmdUI& cmdUI) { cmdUI.Enable(bool(m_services.newKombination)); });

    t.On(123, [this](unsigned) { OnAbkoppeln(); });
    t.OnUpdate(123, [](CCmdUI& cmdUI) {
        CQOR1Doc* doc = GetActiveDoc();
        cmdUI.Enable(doc && doc->GetAnhaenger());
    });

    const std::pair<unsigned, int> aktiv[] = {{531, CQOR1Doc::kAktivZugfahrzeug},
                                              {532, CQOR1Doc::kAktivAnhaenger}};
    for (const auto& [id, nIndex] : aktiv)
        t.On(id, [nIndex = nIndex](unsigned) {
            if (DokumentBefehle::WechsleAktivIndex(GetActiveDoc(), nIndex))
                PostViewNotifyAll(false, AnsichtMeldung::kFahrzeugGewechselt);
        });
    for (unsigned id : {531u, 532u}) {
        t.OnUpdate(id, [id](CCmdUI& cmdUI) {
            bool bEnable = false;
            int nCheck = 0;
            DokumentBefehle::AktivIndexZustand(GetActiveDoc(), id == 531, &bEnable, &nCheck);
            cmdUI.Enable(bEnable);
            cmdUI.SetCheck(nCheck);
        });
    }

    // The views: kind 0 to 3 into the splitter's upper row, -1 swaps the rows.
    const std::pair<unsigned, int> views[] = {{119, 0}, {120, 1}, {33288, 2}, {121, 3}, {122, -1}};
    for (const auto& [id, kind] : views) {
        t.On(id, [this, kind = kind](unsigned) { OnShowView(kind); });
        t.OnUpdate(id, [this, kind = kind](CCmdUI& cmdUI) {
            CChildFrame* child = ActiveChild();
            CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
            if (!host) {
                cmdUI.Enable(false);
                return;
            }
            cmdUI.Enable(kind < 0 ? host->IsSplitterTabSelected() : host->GetRowKind(0) != kind);
        });
    }

    // Add an axle while the vehicle view is shown (its tab, or a pane of the split view).
    t.On(33128, [this](unsigned) {
        DokumentBefehle::FuegeAchseHinzu(GetActiveDoc(), IsTemplateViewShown(), ShownTemplateView());
    });
    t.OnUpdate(33128, [this](CCmdUI& cmdUI) {
        CQOR1Doc* doc = GetActiveDoc();
        const CFahrzeug* v = doc ? doc->GetAktivFahrzeug(false) : nullptr;
        cmdUI.Enable(v && IsTemplateViewShown() && v->CanAddAchse());
    });

    // The side-difference percentage: the combo shows the value of the vehicle worked on.
    t.On(MainRibbonLayout::kPercentCombo, [](unsigned) {}); // the entry comes with OnCommand
    t.OnUpdate(MainRibbonLayout::kPercentCombo, [this](CCmdUI& cmdUI) {
        CQOR1Doc* doc = GetActiveDoc();
        const CFahrzeug* v = doc ? doc->GetAktivFahrzeug(false) : nullptr;
        const int entry = v && v->GetFahrzeugTyp() != FahrzeugArt::kSattelzugmaschine
                              ? DokumentBefehle::ProzentEintrag(v->m_nSeitenProzent)
                              : -1;
        cmdUI.Enable(entry > 0);
        auto* combo =
            m_ribbon ? qobject_cast<QComboBox*>(m_ribbon->Control(MainRibbonLayout::kPercentCombo)) : nullptr;
        if (combo && !combo->view()->isVisible())
            combo->setCurrentIndex(std::max(entry, 0));
    });

    // The report dialog of the open document.
    t.On(892, [](unsigned) {
        if (CQOR1Doc* doc = GetActiveDoc())
            doc->OnDrucken();
    });
    t.OnUpdate(892, [](CCmdUI& cmdUI) {
        CQOR1Doc* doc = GetActiveDoc();
        cmdUI.Enable(doc && doc->GetFirstFahrzeug());
    });

    // The dialogs of later parts, each enabled only when it is installed.
    t.On(33148, [this](unsigned) {
        CQOR1Doc* doc = GetActiveDoc();
        if (doc && m_services.nutzbareLF &&
            doc->CanLeaveViews(VerlassenGrund::kNutzflaecheBearbeiten, 0, nullptr, nullptr))
            m_services.nutzbareLF(this, doc);
    });
    t.OnUpdate(33148, [this](CCmdUI& cmdUI) {
        CQOR1Doc* doc = GetActiveDoc();
        const CFahrzeug* v = doc ? doc->GetAktivFahrzeug(false) : nullptr;
        cmdUI.Enable(m_services.nutzbareLF && v && v->GetArt() != FahrzeugArt::kSattelzugmaschine);
    });
    t.On(655, [this](unsigned) {
        if (m_services.importFile)
            m_services.importFile(this, QString());
    });
    t.OnUpdate(655, [this](CCmdUI& cmdUI) { cmdUI.Enable(bool(m_services.importFile)); });
    t.On(656, [this](unsigned) {
        if (CQOR1Doc* doc = GetActiveDoc(); doc && m_services.exportDoc)
            m_services.exportDoc(this, doc);
    });
    t.OnUpdate(656, [this](CCmdUI& cmdUI) { cmdUI.Enable(m_services.exportDoc && GetActiveDoc()); });
    // The catalogue browser needs no document; only a blocked plan view on show holds it back.
    t.On(33072, [this](unsigned) {
        if (m_services.editLgsFsmExt && !PlanViewBlockiert(ActiveChild()))
            m_services.editLgsFsmExt(this, GetActiveDoc());
    });
    t.OnUpdate(33072, [this](CCmdUI& cmdUI) {
        cmdUI.Enable(m_services.editLgsFsmExt && !PlanViewBlockiert(ActiveChild()));
    });
    // The load-position dialog: closed when open, else opened for the template view of the selected tab.
    t.On(33156, [this](unsigned) { OnLastDlg(); });
    t.OnUpdate(33156, [this](CCmdUI& cmdUI) {
        const bool bOffen = IPlanDialogs::Of(&m_run).GetLastDlg() != nullptr;
        CChildFrame* child = ActiveChild();
        const CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
        const bool bVorlage = host && dynamic_cast<CQOR1View*>(host->GetSelectedView()) != nullptr;
        cmdUI.Enable(bOffen || bVorlage);
        cmdUI.SetCheck(bOffen ? 1 : 0);
    });

    // A ZL item into the template view shown.
    t.On(831, [this](unsigned) {
        if (CQOR1View* view = ShownTemplateView())
            view->AddZL();
    });
    t.OnUpdate(831, [this](CCmdUI& cmdUI) { cmdUI.Enable(ShownTemplateView() != nullptr); });
    // Printing: the view of the window prints itself; the page setup is the program's.
    t.On(33095, [this](unsigned) {
        CChildFrame* child = ActiveChild();
        if (CTabbedViewView* host = child ? child->GetTabbedView() : nullptr)
            host->RouteCommand(57607, nullptr);
    });
    t.OnUpdate(33095, hasDoc);
    t.On(0xE106, [this](unsigned) { CViewDruck::Einrichten(this); });
    t.OnUpdate(0xE106, [](CCmdUI& cmdUI) { cmdUI.Enable(true); });
    // The mail settings page of the options.
    t.On(1750, [this](unsigned) { CDlgMailSettings(this).exec(); });
    t.OnUpdate(1750, [](CCmdUI& cmdUI) { cmdUI.Enable(true); });

    // Remove the selected axle, and the group flag of the selected axle.
    t.On(33130, [this](unsigned) { OnRemoveAchse(); });
    t.OnUpdate(33130, [](CCmdUI& cmdUI) { cmdUI.Enable(CanRemoveAchse()); });
    for (unsigned id : {33132u, 33358u})
        t.On(id,
             [this](unsigned) { DokumentBefehle::SchalteAchsGruppe(GetActiveDoc(), ShownTemplateView()); });
    t.OnUpdate(33132, [this](CCmdUI& cmdUI) {
        CQOR1View* view = ShownTemplateView();
        if (!view) {
            cmdUI.Enable(false);
            cmdUI.SetCheck(2);
            return;
        }
        const CFahrzeug* v = view->GetAchsFahrzeug();
        const int nAchse = view->IsAchseSelected() ? view->GetHitAchse() : -1;
        cmdUI.SetCheck(v && v->IsAchseGruppiert(nAchse) ? 1 : 0);
        cmdUI.Enable(v && v->CanSchalteAchsGruppe(nAchse));
    });
}

CQOR1View* CMainFrame::ShownTemplateView() const
{
    CChildFrame* child = ActiveChild();
    const CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
    return IsTemplateViewShown() ? dynamic_cast<CQOR1View*>(host->GetTemplateView()) : nullptr;
}

bool CMainFrame::CanRemoveAchse()
{
    CMainFrame* frame = Instance();
    return DokumentBefehle::KannAchseEntfernen(frame ? frame->ShownTemplateView() : nullptr);
}

void CMainFrame::OnRemoveAchse()
{
    if (!CanRemoveAchse())
        return;
    CQOR1View* view = ShownTemplateView();
    CQOR1Doc* doc = GetActiveDoc();
    if (MessageBoxes().Show(this, Text(149), Text(148), IMessageBoxService::Icon::Question,
                            IMessageBoxService::Buttons::YesNo) == IMessageBoxService::kYes)
        DokumentBefehle::EntferneAchse(doc, view);
}

void CMainFrame::OnLastDlg()
{
    if (ILastDlg* dlg = IPlanDialogs::Of(&m_run).GetLastDlg()) {
        IPlanDialogs::Of(&m_run).ToggleLastDlg(dlg->GetOwnerView(), 0.0);
        return;
    }
    CChildFrame* child = ActiveChild();
    CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
    auto* view = host ? dynamic_cast<CQOR1View*>(host->GetSelectedView()) : nullptr;
    if (!view)
        return;
    CQOR1View::SPositionInfo info;
    view->CalcPositionInfo(&info, QPoint(-1, -1));
    IPlanDialogs::Of(&m_run).ToggleLastDlg(view, info.dPosition * 1000.0);
    view->viewport()->update();
}

bool CMainFrame::IsTemplateViewShown() const
{
    CChildFrame* child = ActiveChild();
    const CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
    if (!host || !host->GetTemplateView())
        return false;
    if (host->IsSplitterTabSelected())
        return host->IsInVisibleSplitterPane(host->GetTemplateView());
    return host->GetSelectedView() == host->GetTemplateView();
}

void CMainFrame::OnOpen()
{
    if (!m_services.open)
        return;
    if (CQOR1Doc* doc = GetActiveDoc())
        if (!doc->CanLeaveViews(VerlassenGrund::kDokumentOeffnen, 0, nullptr, nullptr))
            return;
    DocumentServices::OpenChoice choice;
    if (!m_services.open(this, choice) || choice.path.isEmpty())
        return;
    if (OpenFile(choice.path, 0, choice.bSingle) && choice.bPartner)
        LoadPartnerEntry(choice.path, 1);
}

void CMainFrame::OnNewKombination()
{
    if (!m_services.newKombination)
        return;
    if (CQOR1Doc* doc = GetActiveDoc())
        if (!doc->CanLeaveViews(VerlassenGrund::kNeuesDokument, 0, nullptr, nullptr))
            return;
    if (!CloseActiveChildForNew())
        return;
    DocumentServices::KombiChoice choice;
    if (m_services.newKombination(this, choice))
        NewKombination(choice.zugPath, choice.newPath, choice.anhaengerPath, choice.dKupplungMm);
}

void CMainFrame::OnAbkoppeln()
{
    CQOR1Doc* doc = GetActiveDoc();
    if (!doc || !doc->GetAnhaenger())
        return;
    if (!doc->CanLeaveViews(VerlassenGrund::kAbkoppeln, 0, nullptr, nullptr))
        return;
    const int nTyp = doc->GetAnhaenger()->GetFahrzeugTyp();
    if (RemovePartner(false))
        doc->NotifyViews(DokumentMeldung::kAbgekoppelt, nTyp);
}

void CMainFrame::OnShowView(int nKind)
{
    CChildFrame* child = ActiveChild();
    if (!child || !child->GetTabbedView())
        return;
    child->GetTabbedView()->ShowView(nKind);
    Update3DViewRenderFlag();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended, so the source is not kept waiting by a question.
    QMetaObject::invokeMethod(
        this,
        [path] {
            if (CQOR2App* app = CQOR2App::Instance())
                app->OpenDocumentFile(path);
        },
        Qt::QueuedConnection);
}

IHlbAdapterOwner* CMainFrame::GetPlanZiehZiel() const
{
    const CQOR2View* view = GezeigtePlanAnsicht(ActiveChild());
    return view ? dynamic_cast<IHlbAdapterOwner*>(view->GetLaderampe()) : nullptr;
}
