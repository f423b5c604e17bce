// The main window's documents: opening, closing, the partner of a towing vehicle, new combinations and
// vehicles, and what the views ask of the active child.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CQOR2App.h"
#include "app/CQtDocumentHost.h"
#include "app/DokumentBefehle.h"
#include "app/VehicleFileChecks.h"
#include "model/base/LockedFile.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/plan/CQOR.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "ui/IMessageBoxService.h"
#include "view3d/CQOR3DView.h"
#include "views/CQOR1View.h"
#include "views/CQORMultiView.h"
#include "views/CTabbedViewView.h"

#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QPixmap>

namespace {

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

std::filesystem::path FsPath(const QString& path)
{
    return std::filesystem::path(path.toStdString());
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// The active child and what the views ask of it.

CChildFrame* CMainFrame::ActiveChild() const
{
    if (!m_mdi)
        return nullptr;
    if (auto* child = qobject_cast<CChildFrame*>(m_mdi->currentSubWindow()))
        return child;
    // One document at a time: the only child is the active one even while the frame is inactive.
    for (QMdiSubWindow* window : m_mdi->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(window))
            return child;
    return nullptr;
}

CQOR1Doc* CMainFrame::GetActiveDoc()
{
    const CMainFrame* frame = Instance();
    CChildFrame* child = frame ? frame->ActiveChild() : nullptr;
    return child ? child->GetDocument() : nullptr;
}

namespace {

QList<CChildFrame*> ChildFrames()
{
    QList<CChildFrame*> children;
    const CMainFrame* frame = CMainFrame::Instance();
    if (QMdiArea* mdi = frame ? frame->MdiArea() : nullptr)
        for (QMdiSubWindow* window : mdi->subWindowList())
            if (auto* child = qobject_cast<CChildFrame*>(window))
                children.append(child);
    return children;
}

} // namespace

int CMainFrame::GetFirstChildFramePosition()
{
    return ChildFrames().isEmpty() ? -1 : 0;
}

CChildFrame* CMainFrame::GetNextChildFrame(int& pos)
{
    const QList<CChildFrame*> children = ChildFrames();
    if (pos < 0 || pos >= children.size()) {
        pos = -1;
        return nullptr;
    }
    CChildFrame* child = children[pos];
    pos = pos + 1 < children.size() ? pos + 1 : -1;
    return child;
}

int CMainFrame::GetActiveTabIndex()
{
    const CMainFrame* frame = Instance();
    CChildFrame* child = frame ? frame->ActiveChild() : nullptr;
    return child && child->GetTabbedView() ? child->GetTabbedView()->GetSelectedTab() : -1;
}

int CMainFrame::PostViewNotifyAll(bool bDeferred, AnsichtMeldung eMeldung, const AnsichtWert& wert)
{
    const CMainFrame* frame = Instance();
    CChildFrame* child = frame ? frame->ActiveChild() : nullptr;
    if (!child || !child->GetTabbedView())
        return 0;
    return CTabbedViewView::PostViewNotifyAll(child->GetTabbedView(), bDeferred, eMeldung, wert);
}

bool CMainFrame::IsActiveViewModeSet()
{
    // The template view's payload chart or the 3D view's own switch.
    const CMainFrame* frame = Instance();
    CChildFrame* child = frame ? frame->ActiveChild() : nullptr;
    CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
    if (!host)
        return false;
    const CQOR1View* vorlage = host->FindView<CQOR1View>();
    const CQOR3DView* view3D = host->FindView<CQOR3DView>();
    return (vorlage && vorlage->IsDiagrammShown()) || (view3D && view3D->GetShowFrame() != 0);
}

bool CMainFrame::Update3DViewRenderFlag()
{
    const CMainFrame* frame = Instance();
    CChildFrame* child = frame ? frame->ActiveChild() : nullptr;
    if (!child)
        return false;
    CTabbedViewView* host = child->GetTabbedView();
    // The 3D view renders while it can be seen: the selected tab's view or a visible splitter pane.
    if (CQOR3DView* view3D = host ? host->FindView<CQOR3DView>() : nullptr)
        view3D->SetRenderFlag(1, view3D->IsSelectedTabView() || view3D->IsInVisibleSplitterPane());
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Opening and closing.

void CMainFrame::ShowOpenError(const QString& path)
{
    MessageBoxes().Show(this, Text(168), VehicleFileChecks::OpenErrorText(path),
                        IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
}

std::unique_ptr<CFahrzeug> CMainFrame::LoadFahrzeug(const QString& path, int entry,
                                                    std::unique_ptr<LockedFile>* pFile, int* pWert,
                                                    bool bOffenHalten)
{
    std::string name;
    std::unique_ptr<CFahrzeug> pFahrzeug =
        LoadFahrzeugFromFile(FsPath(path), entry, pFile, pWert, bOffenHalten, &name);
    if (!pFahrzeug)
        ShowOpenError(path);
    return pFahrzeug;
}

int CMainFrame::IsFileOpen(const QString& path, int entry) const
{
    CChildFrame* child = ActiveChild();
    return VehicleFileChecks::OpenState(child ? child->GetDocument() : nullptr, path, entry);
}

bool CMainFrame::CloseActiveChild(bool bNoSave)
{
    CChildFrame* child = ActiveChild();
    if (!child)
        return true;
    return child->CloseFromFrame(bNoSave, false);
}

bool CMainFrame::CloseActiveChildForNew()
{
    CChildFrame* child = ActiveChild();
    CQOR1Doc* doc = child ? child->GetDocument() : nullptr;
    if (!doc)
        return CloseActiveChild();
    const bool bAenderungen = doc->IsModified() || CQOR1Doc::IsFahrzeugModified(doc->GetFirstFahrzeug()) ||
                              CQOR1Doc::IsFahrzeugModified(doc->GetAnhaenger());
    if (!bAenderungen)
        return CloseActiveChild();
    constexpr int kSpeichern = 1338, kOhne = CChildFrame::kCloseWithoutSaving,
                  kAbbrechen = CChildFrame::kCancel;
    IMessageBoxService::HtmlBox box;
    box.caption = Text(273);
    const std::string name = doc->GetPathName().empty() ? doc->GetTitel(false) : doc->GetPathName();
    box.text = QString::fromStdString(FormatResChecked(1748, {EscapeHtml(name)}));
    box.iconId = 814;
    box.buttons = {{kSpeichern, kSpeichern}, {kOhne, kOhne}, {kAbbrechen, kAbbrechen}};
    const int answer = MessageBoxes().ShowHtml(this, box, nullptr);
    if (answer == kSpeichern)
        return CloseActiveChild();
    if (answer == kOhne)
        return CloseActiveChild(true);
    return false;
}

bool CMainFrame::CloseActiveChildForExit()
{
    CQOR1Doc* doc = ActiveChild() ? ActiveChild()->GetDocument() : nullptr;
    if (doc && !doc->CanLeaveViews(VerlassenGrund::kProgrammBeenden, 0, nullptr, nullptr))
        return false;
    return CloseActiveChild();
}

CChildFrame* CMainFrame::CreateChildFrame(const QString& path, bool bMotorfahrzeug, CAppStateParams* pState)
{
    auto* child = new CChildFrame(&m_services, &m_run, m_device3D);
    if (!m_mdi || !child->CreateWithDocument(path, bMotorfahrzeug ? 1 : 0, pState)) {
        delete child;
        MessageBoxes().Show(this, Text(168), Text(167) + QLatin1Char('.'), IMessageBoxService::Icon::Error,
                            IMessageBoxService::Buttons::Ok);
        return nullptr;
    }
    // The window's icon is the catalogue picture of its vehicle's kind (truck or trailer).
    const CQOR2App* app = CQOR2App::Instance();
    const int image = app ? app->FirstCatalogueImage() + (bMotorfahrzeug ? 0 : 1) : -1;
    if (app && image >= 0 && image < app->CatalogueImages().Count())
        child->setWindowIcon(QIcon(QPixmap::fromImage(app->CatalogueImages().Image(image))));
    else {
        QPixmap empty(16, 16); // no toolkit logo either
        empty.fill(Qt::transparent);
        child->setWindowIcon(QIcon(empty));
    }
    m_mdi->addSubWindow(child);
    child->showMaximized();
    m_mdi->setActiveSubWindow(child);
    return child;
}

bool CMainFrame::OpenFile(const QString& path, int entry, bool bSingle)
{
    if (IsFileOpen(path, entry) != 0)
        return true;
    if (!CloseActiveChild())
        return false;
    if (!QFileInfo(path).isFile() || !LockedFile::Open(FsPath(path), LockedFile::Mode::Read)) {
        ShowOpenError(path);
        return false;
    }
    const bool bMotor = VehicleFileChecks::StartsWithMotorVehicle(path);
    CQOR2App* app = CQOR2App::Instance();
    CAppStateParams* pState =
        app ? GetAppStateParams(app->AppStates(), QFileInfo(path).completeBaseName().toStdString().c_str())
            : nullptr;

    // The vehicle first, so that a file that cannot be read leaves no half-made window.
    std::unique_ptr<LockedFile> pFile;
    int nWert = 0;
    std::unique_ptr<CFahrzeug> pFahrzeug = LoadFahrzeug(path, 0, &pFile, &nWert, true);
    if (!pFahrzeug)
        return false;
    CChildFrame* child = CreateChildFrame(path, bMotor, pState);
    if (!child)
        return false;
    const CQOR1Doc::OeffnenErgebnis ergebnis = child->GetDocument()->Oeffne(
        std::move(pFahrzeug), std::make_unique<LockedVehicleFile>(std::move(pFile)), path.toStdString(),
        nWert, entry, bSingle);
    m_bEinzel = ergebnis.bEinzelFahrzeug;
    if (ergebnis.bPartnerNichtLesbar)
        ShowOpenError(path);
    if (ergebnis.bZLEntfernt)
        ZeigeZLEntfernt();
    return true;
}

void CMainFrame::OpenPendingPath(const QString& path)
{
    if (path.endsWith(QStringLiteral("ei"))) {
        if (m_services.importFile)
            m_services.importFile(this, path);
        else
            MessageBoxes().Show(this, Text(273),
                                QString::fromStdString(FormatResChecked(61009, {path.toStdString()})),
                                IMessageBoxService::Icon::Information, IMessageBoxService::Buttons::Ok);
        return;
    }
    OpenFile(path, -1, false);
}

// ---------------------------------------------------------------------------------------------------
// The partner of a towing vehicle.

bool CMainFrame::AttachPartner(std::unique_ptr<CFahrzeug> pAnhaenger, int nEntry)
{
    bool bZLEntfernt = false;
    if (!GetActiveDoc()->KoppleAnhaenger(std::move(pAnhaenger), nEntry, &bZLEntfernt))
        return false;
    if (bZLEntfernt)
        ZeigeZLEntfernt();
    return true;
}

void CMainFrame::ZeigeZLEntfernt()
{
    MessageBoxes().Show(this, Text(170), Text(169) + QLatin1Char('.'), IMessageBoxService::Icon::Information,
                        IMessageBoxService::Buttons::Ok);
}

bool CMainFrame::LoadPartnerEntry(const QString& path, int entry)
{
    CQOR1Doc* doc = GetActiveDoc();
    if (!doc || !doc->GetFahrzeug())
        return false;
    // That entry is the partner already: nothing to exchange.
    if (IsFileOpen(path, entry) == 2)
        return true;
    if (doc->GetAnhaenger() && !RemovePartner(false))
        return false;
    std::unique_ptr<CFahrzeug> pAnhaenger = LoadFahrzeug(path, entry, nullptr, nullptr, false);
    if (!pAnhaenger)
        return false;
    return AttachPartner(std::move(pAnhaenger), entry);
}

bool CMainFrame::LoadPartnerFromFile(const QString& path)
{
    CQOR1Doc* doc = GetActiveDoc();
    if (!doc || !doc->GetFahrzeug())
        return false;
    if (doc->GetAnhaenger() && !RemovePartner(false))
        return false;
    std::unique_ptr<CFahrzeug> pAnhaenger = LoadFahrzeug(path, 0, nullptr, nullptr, false);
    if (!pAnhaenger)
        return false;
    // A vehicle from another file becomes a new entry of the document's file when it is saved; until
    // then the coupling is a change of its own, written like any other.
    if (!AttachPartner(std::move(pAnhaenger), -1))
        return false;
    doc->GetAnhaenger()->m_bModified = 1;
    doc->UpdateModifiedState();
    return true;
}

bool CMainFrame::RemovePartner(bool bNoSave)
{
    CQOR1Doc* doc = GetActiveDoc();
    CFahrzeug* pAnhaenger = doc ? doc->GetAnhaenger() : nullptr;
    if (!pAnhaenger)
        return false;
    if (!bNoSave && doc->SaveFahrzeugDateien(false, false, true) != CQOR1Doc::kGespeichert) {
        // The combination stays as it is, and the user learns why.
        const std::string name = doc->GetPathName().empty() ? doc->GetTitel(false) : doc->GetPathName();
        MessageBoxes().Show(this, Text(273), QString::fromStdString(FormatResChecked(1403, {name})),
                            IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
        return false;
    }
    CChildFrame* child = ActiveChild();
    CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
    if (CQORMultiView* multi = host ? host->FindView<CQORMultiView>() : nullptr)
        multi->ClearSelection(false);
    // The towing vehicle alone is no longer what the combination's file holds: it is saved under a
    // name of its own, and the file keeps both vehicles.
    doc->KoppleAb();
    return true;
}

// ---------------------------------------------------------------------------------------------------
// New combinations and vehicles.

bool CMainFrame::NewKombination(const QString& zugPath, const QString& newPath, const QString& anhaengerPath,
                                double dKupplungMm)
{
    auto fail = [this] {
        MessageBoxes().Show(this, Text(273), Text(643), IMessageBoxService::Icon::Error,
                            IMessageBoxService::Buttons::Ok);
        return false;
    };
    if (!VehicleFileChecks::CopyForCombination(zugPath, newPath, anhaengerPath))
        return fail();
    if (!OpenFile(newPath, 0, false) || !LoadPartnerFromFile(anhaengerPath))
        return fail();
    CQOR1Doc* doc = GetActiveDoc();
    doc->SetEinzelFahrzeug(false);
    m_bEinzel = false;
    CFahrzeug* pAnhaenger = doc->GetAnhaenger();
    CFahrzeug* pZug = doc->GetFirstFahrzeug();
    // The towing vehicle opened from the new file would be named after it: it keeps its own name, as the
    // trailer does, which the report dialog and the reports show beside the trailer's.
    pZug->m_strName = QFileInfo(zugPath).completeBaseName().toStdString();
    doc->UpdateFrameTitle();
    pZug->m_bModified = 1;
    pAnhaenger->m_bModified = 1;
    pAnhaenger->m_dKupplungswert[0] = dKupplungMm / 1000.0;
    doc->OnFahrzeugChanged(true);
    if (doc->SaveFahrzeugDateien(false, false, true) != CQOR1Doc::kGespeichert)
        return fail();
    return true;
}

void CMainFrame::OnNewFahrzeug()
{
    if (!m_services.newFahrzeug)
        return;
    if (CQOR1Doc* doc = GetActiveDoc())
        if (!doc->CanLeaveViews(VerlassenGrund::kNeuesDokument, 0, nullptr, nullptr))
            return;
    if (!CloseActiveChildForNew())
        return;
    DocumentServices::NeuChoice choice;
    if (!m_services.newFahrzeug(this, choice))
        return;
    const QString file = DokumentBefehle::BeispielDatei(choice);
    if (file.isEmpty())
        return;
    const CQOR2App* app = CQOR2App::Instance();
    const QString path =
        (app ? app->ProgramFolder() : QString()) + QStringLiteral("/Samples/Vehicles/") + file;
    std::unique_ptr<CFahrzeug> pFahrzeug = LoadFahrzeug(path, 0, nullptr, nullptr, false);
    if (!pFahrzeug)
        return;
    const QString name = DokumentBefehle::NeuerName(choice);
    DokumentBefehle::RichteNeuesFahrzeugEin(*pFahrzeug, choice, name);
    if (CChildFrame* child =
            CreateChildFrame(name, DokumentBefehle::IstMotorfahrzeugArt(choice.nArt), nullptr))
        DokumentBefehle::UebernimmNeuesFahrzeug(*child->GetDocument(), std::move(pFahrzeug));
}
