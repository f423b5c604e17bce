// The FSM item editor behind the adapter's and the plan view's seams, and the browser's opening.
#include "loadsecuring/LgsFsmEditors.h"

#include "catalogue/CLaderampe3.h"
#include "catalogue/ProgramCatalogue.h"
#include "catalogue/QImageItemPicture.h"
#include "loadsecuring/CDlgEditLgsFsmExt.h"
#include "loadsecuring/CDlgFSM.h"

#include <QImageReader>

namespace {

LgsFsmEditors::Runner& RunnerSlot()
{
    static LgsFsmEditors::Runner runner;
    return runner;
}

int Run(CDlgFSM& dialog)
{
    return RunnerSlot() ? RunnerSlot()(dialog) : dialog.exec();
}

// A picture for the frame: as it is when it fits, else fitted.
QImage ForFrame(const QImage& picture)
{
    if (picture.width() <= CDlgFSM::kBildBreite && picture.height() <= CDlgFSM::kBildHoehe)
        return picture;
    return CDlgFSM::FitPicture(picture, QSize(CDlgFSM::kBildBreite, CDlgFSM::kBildHoehe));
}

} // namespace

void LgsFsmEditors::SetRunner(Runner runner)
{
    RunnerSlot() = std::move(runner);
}

void LgsFsmEditors::Install(ProgramRun& run)
{
    CHlbAdapter::SetFsmItemEditor(&LgsFsmEditors::EditCatalogueEntry);
    IPlanDialogs::SetFsmEditor([pRun = &run](QWidget* parent, IPlanDialogs::FsmValues& values) {
        return EditPlacedItem(parent, values, pRun);
    });
    // The loading ramp's command 878: the browser at the ramp's bottom-left corner, on the program's
    // catalogue, which the ramp's strip shares.
    CLaderampe3::SetEditorOeffner([](QWidget* ramp, QPoint bottomLeft, int category, const QString& search) {
        OpenBrowserAt(ramp, ProgramCatalogue::Get(), bottomLeft, category, search);
    });
}

void LgsFsmEditors::Uninstall()
{
    CHlbAdapter::SetFsmItemEditor(nullptr);
    IPlanDialogs::SetFsmEditor(nullptr);
    CLaderampe3::SetEditorOeffner(nullptr);
}

bool LgsFsmEditors::EditCatalogueEntry(CHlbAdapter::FsmEditRequest& request)
{
    if (!request.item)
        return false;
    tagItemData& item = *request.item;
    CDlgFSM dialog(request.parent);
    FsmItemInWerte(item, dialog.m_werte);
    dialog.m_werte.nModus = request.mode;
    dialog.m_fnItemPfad = request.itemPath;
    if (item.m_pBild)
        dialog.SetBild(ForFrame(QImageItemPicture::Of(item.m_pBild.get())),
                       QString::fromStdString(item.m_strBildQuelle));
    if (Run(dialog) != CDlgFSM::kIdSave)
        return false;
    FsmWerteInItem(dialog.m_werte, item);
    request.newPath = dialog.m_ergebnisPfad;
    request.pictureChanged = dialog.BildGeaendert();
    if (dialog.BildGeaendert()) {
        if (dialog.Bild().isNull())
            item.m_pBild.reset();
        else
            item.m_pBild = std::make_unique<QImageItemPicture>(dialog.Bild());
        item.m_strBildQuelle = dialog.BildPfad().toStdString();
    }
    return true;
}

bool LgsFsmEditors::EditPlacedItem(QWidget* parent, IPlanDialogs::FsmValues& values, ProgramRun* pRun)
{
    CDlgFSM dialog(parent);
    dialog.SetProgramRun(pRun);
    FsmEditorWerte& w = dialog.m_werte;
    w.nModus = 0;
    w.bPlatziert = true;
    w.nTyp = values.nTyp;
    w.strName = values.strName;
    w.dLaenge = values.dLaenge;
    w.dBreite = values.dBreite;
    w.dHoehe = values.dHoehe;
    w.dMasse = values.dMasse;
    w.strText = values.strText;
    w.nKraft = values.nKraft;
    w.nKatSeite = values.nKatSeite;
    w.nKatKontakt = values.nKatKontakt;
    w.nKatZellen = values.nKatZellen;
    w.nSeite = values.nSeite;
    w.nKontakt = values.nKontakt;
    w.nZellen = values.nZellen;
    dialog.m_rcAnker = values.rcAnker;
    if (!values.strBild.empty()) {
        QImageReader reader(QString::fromStdString(values.strBild));
        const QImage picture = reader.read();
        if (!picture.isNull())
            dialog.SetBild(ForFrame(picture), QString::fromStdString(values.strBild));
    }
    if (Run(dialog) != CDlgFSM::kIdSave)
        return false;
    values.strName = w.strName;
    values.dHoehe = w.dHoehe;
    values.dMasse = w.dMasse;
    values.strText = w.strText;
    values.nSeite = w.nSeite;
    values.nKontakt = w.nKontakt;
    values.nZellen = w.nZellen;
    return true;
}

void LgsFsmEditors::OpenBrowser(QWidget* parent, std::shared_ptr<CHlbCatalogue> catalogue,
                                IHlbAdapterOwner* pZiehZiel)
{
    CDlgEditLgsFsmExt dialog(std::move(catalogue), parent);
    dialog.m_pZiehZiel = pZiehZiel;
    dialog.exec();
}

void LgsFsmEditors::OpenBrowserAt(QWidget* parent, std::shared_ptr<CHlbCatalogue> catalogue, QPoint start,
                                  int category, const QString& search)
{
    CDlgEditLgsFsmExt dialog(std::move(catalogue), parent);
    dialog.m_bStartWerte = true;
    dialog.m_nStartKategorie = category;
    dialog.m_strStartSuche = search;
    dialog.m_ptStart = start;
    dialog.m_pZiehZiel = dynamic_cast<IHlbAdapterOwner*>(parent);
    dialog.exec();
}
