// The blocking page: finding what blocks the unit, the forces per direction and the questions before
// the blocking is dropped.
#include "loadsecuring/CPgLgSichgPage2.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/plan/CLadeeinheit.h"
#include "model/securing/BlockierungsSuche.h"
#include "model/text/FormatArg.h"
#include "model/text/HtmlText.h"
#include "model/text/ResourceText.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/CCmdUI.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/ResourcePictures.h"
#include "views/CTabbedViewView.h"
#include "views/IViewShell.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QStyle>

namespace {

constexpr int kZurueck = CPshLgSichgWizard::kIdBack;

} // namespace

CPgLgSichgPage2::CPgLgSichgPage2(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage2::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

CEditLast* CPgLgSichgPage2::Feld(int nRichtung) const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, kFelder[std::size_t(nRichtung)]));
}

bool CPgLgSichgPage2::Blockiert() const
{
    auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdBlockiert));
    return b && b->isChecked();
}

void CPgLgSichgPage2::SetBlockiert(bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdBlockiert)))
        b->setChecked(on);
    if (CPshLgSichgWizard* wizard = GetWizard()) {
        wizard->GetParams().m_bBlockiert = on ? 1 : 0;
        wizard->SetStateWord(on ? 2 : 1);
    }
}

bool CPgLgSichgPage2::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    for (int id : kFelder)
        if (auto* edit = qobject_cast<CEditLast*>(ControlId::Find(this, id))) {
            edit->SetFormat(EditValue::kInt, QStringLiteral("%i"));
            edit->SetText(std::nullopt);
        }
    // The check boxes are as wide as their captions; the second keeps its right edge.
    for (int id : {kIdBlockiert, kIdErklaerung})
        if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id))) {
            const int nBreite = b->fontMetrics().horizontalAdvance(b->text()) +
                                b->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) + 5;
            QRect r = b->geometry();
            if (id == kIdErklaerung)
                r.setLeft(r.right() + 1 - nBreite);
            else
                r.setWidth(nBreite);
            b->setGeometry(r);
        }
    return true;
}

void CPgLgSichgPage2::OnHintLink(int nId, QString)
{
    if (nId == 0x8003) {
        // The usable load area is set in the main window.
        ILgSicherungView* pView = GetWizard() ? GetWizard()->GetView() : nullptr;
        if (QWidget* pWindow = pView ? pView->GetViewWindow() : nullptr)
            QCoreApplication::postEvent(pWindow->window(), new CommandEvent(33148));
        return;
    }
    if (nId != 0x8001 && nId != 0x8002)
        return;
    ILgSicherungView* pView = GetWizard() ? GetWizard()->GetView() : nullptr;
    if (CTabbedViewView* pHost =
            IViewShell::Of(pView ? &pView->GetViewProgramRun() : nullptr).GetActiveHost())
        pHost->SelectTab(nId == 0x8001 ? 1 : 2);
}

int CPgLgSichgPage2::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    if (!pHtml)
        return 0;
    const ResourceModule* pModule = ResourceModule::Current();
    QString html = pModule ? pModule->Html(683) : QString();
    if (html.isEmpty())
        return 0;
    // One row per blocked direction: the caption of its field and the force.
    static constexpr int kBeschriftung[4] = {1382, 1383, 1381, 1384};
    QString zeilen;
    for (std::size_t d = 0; d < 4; ++d) {
        if (m_fs[d].m_nArt == sFSParam::kKeine)
            continue;
        auto* label = qobject_cast<QLabel*>(ControlId::Find(this, kBeschriftung[d]));
        const QString name = label ? label->text() : QString::number(d);
        CEditLast* edit = Feld(int(d));
        const int nKraft = edit ? edit->GetIntOr(m_fs[d].m_nKapazitaet) : m_fs[d].m_nKapazitaet;
        // The icon tells a wall from a form-fit item; its size is given in plain pixels, which the hint
        // pane's HTML reads ("16px" it would ignore).
        QString strBild;
        GetResourceUrl(strBild, RES_TYPE_BITMAP,
                       m_fs[d].m_nArt == sFSParam::kFsmItem ? kBildItem : kBildWand);
        zeilen += QStringLiteral("<li><p class=\"blocksatz21\"><img src=\"%1\" width=\"16\" "
                                 "height=\"16\">%2: %3 daN</p></li>\n")
                      .arg(QString::fromStdString(EscapeHtml(strBild.toStdString())),
                           QString::fromStdString(EscapeHtml(name.toStdString())))
                      .arg(nKraft);
    }
    auto* erklaerung = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdErklaerung));
    const bool bOhneText = erklaerung && erklaerung->isChecked();
    html.replace(QStringLiteral("/*$endColor*/"), QStringLiteral("#CAD9EF"));
    html.replace(QStringLiteral("<!--$<body>-->"), QStringLiteral("<body>"));
    html.replace(QStringLiteral("<!--$visibleBPAnsicht-->"),
                 bOhneText ? QStringLiteral("invisible") : QString());
    html.replace(QStringLiteral("<!--$visibleText-->"), bOhneText ? QStringLiteral("invisible") : QString());
    html.replace(QStringLiteral("<!--$firstText-->"), QStringLiteral("first"));
    html.replace(QStringLiteral("<!--$classFirstHinweis-->"),
                 zeilen.isEmpty() ? QStringLiteral("invisible") : QString());
    html.replace(QStringLiteral("<!--$listrows-->"), zeilen);
    html.replace(QStringLiteral("<!--$listrows2-->"), QString());
    html.replace(QStringLiteral("<!--$classHinweise2-->"), QStringLiteral("invisible"));
    *pHtml = html;
    return 0;
}

void CPgLgSichgPage2::SchreibeFelder()
{
    for (int d = 0; d < 4; ++d)
        if (CEditLast* edit = Feld(d)) {
            if (m_fs[std::size_t(d)].m_nArt != sFSParam::kKeine)
                edit->SetInt(m_fs[std::size_t(d)].m_nKapazitaet);
            else
                edit->SetText(std::nullopt);
        }
}

void CPgLgSichgPage2::SucheBlockierung()
{
    m_fs = {};
    m_bGefunden = false;
    CLadeeinheit* pEinheit = GetLadeeinheit();
    CFahrzeug* pFahrzeug = GetFahrzeug();
    double dLu = 0.0, dWu = 0.0;
    if (pEinheit && pFahrzeug && pFahrzeug->GetNutzbareLF(&dLu, &dWu)) {
        BlockierungsSuche::Rechteck box;
        pEinheit->GetRechteck(&box.x, &box.y, &box.dLaenge, &box.dBreite);
        // The vehicle keeps no wall values and the form-fit items no force yet: the user types them.
        m_bGefunden = BlockierungsSuche::FindBlocking(
            box, dLu, dWu, {0, 0, 0, 0}, pFahrzeug, [](const tagLGINFO*) { return 0; }, m_fs);
    }
    SchreibeFelder();
}

void CPgLgSichgPage2::LoescheBlockierung()
{
    m_fs = {};
    m_bGefunden = false;
    SchreibeFelder();
    SetBlockiert(false);
    if (CPshLgSichgWizard* wizard = GetWizard())
        for (sFSParam& f : wizard->GetParams().m_FS)
            f = sFSParam();
}

bool CPgLgSichgPage2::OnSetActive()
{
    const bool bOk = CPgLgSichgBase2::OnSetActive();
    if (CPshLgSichgWizard* wizard = GetWizard()) {
        const CWizardParams& wp = wizard->GetParams();
        if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdBlockiert)))
            b->setChecked(wp.m_bBlockiert != 0);
        for (std::size_t d = 0; d < 4; ++d)
            m_fs[d] = wp.m_FS[d];
        SchreibeFelder();
    }
    return bOk;
}

bool CPgLgSichgPage2::OnKillActive()
{
    if (CPshLgSichgWizard* wizard = GetWizard()) {
        CWizardParams& wp = wizard->GetParams();
        for (int d = 0; d < 4; ++d)
            if (CEditLast* edit = Feld(d))
                m_fs[std::size_t(d)].m_nKapazitaet = edit->GetIntOr(0);
        for (std::size_t d = 0; d < 4; ++d)
            wp.m_FS[d] = m_fs[d];
        wp.m_bBlockiert = Blockiert() ? 1 : 0;
    }
    return CPgLgSichgBase2::OnKillActive();
}

int CPgLgSichgPage2::Validate(int nTarget)
{
    if (nTarget != PageIndex() - 1 || !Blockiert())
        return CPgLgSichgBase2::Validate(nTarget);
    if (!GetAntworten().bZurueckOhneFrage) {
        IMessageBoxService::HtmlBox box;
        box.textId = 443;
        box.captionId = 273;
        box.buttons = {{kZurueck, 444}, {708, 708}};
        box.checkBox = true;
        bool bNichtMehr = false;
        if (MessageBoxes().ShowHtml(this, box, &bNichtMehr) != kZurueck)
            return -2;
        // Only the answer that lets the user go back is kept: a kept refusal would lock this page.
        GetAntworten().bZurueckOhneFrage = bNichtMehr;
    }
    LoescheBlockierung();
    return -1;
}

int CPgLgSichgPage2::OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert)
{
    const std::intptr_t nValue = LgSichgZahl(wert);
    switch (eMeldung) {
    case LgSichgMeldung::kTabGewechselt:
        m_bWeiterErlaubt = nValue == 2;
        if (nValue == 1 && Blockiert()) {
            LoescheBlockierung();
            if (!GetAntworten().bVerschiebungGemeldet) {
                GetAntworten().bVerschiebungGemeldet = true;
                IMessageBoxService::HtmlBox box;
                box.textId = 694;
                box.captionId = 273;
                box.buttons = {{668, 668}};
                MessageBoxes().ShowHtml(this, box, nullptr);
            }
        }
        break;
    case LgSichgMeldung::kNutzflaecheBearbeitet:
        if (Blockiert())
            SucheBlockierung();
        break;
    case LgSichgMeldung::kAnsichtAktiviert:
        m_bWeiterErlaubt = GetView() != nullptr;
        break;
    default:
        return 0;
    }
    if (IsActivePage())
        RefreshHint(0);
    return 0;
}

int CPgLgSichgPage2::OnUpdateNext(CCmdUI* pCmdUI)
{
    if (!pCmdUI)
        return 0;
    pCmdUI->Enable(m_bWeiterErlaubt);
    return 1;
}

void CPgLgSichgPage2::GetNextCommandId(int nId, int* pNext)
{
    if (nId == CPshLgSichgWizard::kIdBack && pNext)
        *pNext = kIdInfo;
    else
        CPgLgSichgBase2::GetNextCommandId(nId, pNext);
}

bool CPgLgSichgPage2::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdBlockiert:
        if (Blockiert()) {
            SucheBlockierung();
            SetBlockiert(m_bGefunden);
        } else {
            LoescheBlockierung();
        }
        RefreshHint(0);
        return true;
    case kIdInfo: {
        IMessageBoxService::HtmlBox box;
        box.textId = 567;
        box.captionId = 273;
        box.buttons = {{668, 668}};
        MessageBoxes().ShowHtml(this, box, nullptr);
        return true;
    }
    case kIdErklaerung:
        RefreshHint(0);
        return true;
    default:
        return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
    }
}

void CPgLgSichgPage2::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    for (int d = 0; d < 4; ++d)
        if (id == kFelder[std::size_t(d)]) {
            query.Enable(m_fs[std::size_t(d)].m_nArt != sFSParam::kKeine);
            return;
        }
    if (id == kIdInfo) {
        query.Enable(Blockiert());
        return;
    }
    CPgLgSichgBase2::OnUpdateCommand(query);
}
