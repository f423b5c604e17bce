// The securing-choice page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage3.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/ILgSicherungView.h"
#include "model/text/FormatArg.h"
#include "platform/ResourceModule.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

#include <QAbstractButton>
#include <QPainter>

namespace {

constexpr int kOk = 668;
constexpr int kAbbrechen = 705;

// The need bits of the lengthwise and the lateral directions.
constexpr int kLaengsBedarf = 0x33;
constexpr int kQuerBedarf = 0xCC;

} // namespace

CPgLgSichgPage3::CPgLgSichgPage3(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage3::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage3::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    if (const ResourceModule* pModule = ResourceModule::Current())
        for (std::size_t i = 0; i < kBilder.size(); ++i)
            m_bilder[i] = pModule->Bitmap(kBilder[i]);
    SubclassCtrl(kIdBild);
    return true;
}

int CPgLgSichgPage3::Wahl() const
{
    return GetWizard() ? GetWizard()->GetParams().m_nDetailWert : -1;
}

void CPgLgSichgPage3::SetWahl(int nWahl)
{
    if (CPshLgSichgWizard* wizard = GetWizard())
        wizard->GetParams().m_nDetailWert = nWahl;
}

bool CPgLgSichgPage3::Checked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id));
    return b && b->isChecked();
}

void CPgLgSichgPage3::SetChecked(int id, bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id)))
        b->setChecked(on);
}

void CPgLgSichgPage3::OnFirstEnter(int)
{
    CPshLgSichgWizard* wizard = GetWizard();
    if (wizard && wizard->GetStartMode() == 0)
        m_bVorschlagen = true;
    SetWahl(0);
    if (wizard)
        wizard->SetZurrpunkteVorschlagen(m_bVorschlagen);
}

bool CPgLgSichgPage3::OnSetActive()
{
    const bool bOk = CPgLgSichgBase2::OnSetActive();
    const int nWahl = Wahl();
    if (nWahl >= 0 && nWahl < int(kIdWahl.size()))
        SetChecked(kIdWahl[std::size_t(nWahl)], true);
    SetChecked(kIdVorschlagen, m_bVorschlagen);
    InvalidateCtrl(kIdBild);
    return bOk;
}

bool CPgLgSichgPage3::OnKillActive()
{
    CPshLgSichgWizard* wizard = GetWizard();
    if (wizard && wizard->GetView())
        wizard->GetView()->RepaintView();
    for (std::size_t i = 0; i < kIdWahl.size(); ++i)
        if (Checked(kIdWahl[i]))
            SetWahl(int(i));
    m_bVorschlagen = Checked(kIdVorschlagen);
    if (wizard)
        wizard->SetZurrpunkteVorschlagen(m_bVorschlagen);
    return CPgLgSichgBase2::OnKillActive();
}

void CPgLgSichgPage3::Meldung(int nText)
{
    IMessageBoxService::HtmlBox box;
    box.textId = nText;
    box.captionId = 273;
    box.buttons = {{kOk, kOk}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}

int CPgLgSichgPage3::Validate(int nTarget)
{
    if (nTarget != PageIndex() + 1)
        return CPgLgSichgBase2::Validate(nTarget);
    const int nWahl = Wahl();
    const int nMaske = GetMaskForSheet();
    if (nWahl == 3 && (nMaske & kLaengsBedarf)) {
        Meldung(554);
        return -2;
    }
    if (nWahl == 4 && (nMaske & kQuerBedarf)) {
        Meldung(555);
        return -2;
    }
    return CPgLgSichgBase2::Validate(nTarget);
}

void CPgLgSichgPage3::OnReachChanged(int nOldReach, int nValue)
{
    if (nValue >= nOldReach)
        return;
    m_bVorschlagen = true;
    if (GetWizard())
        GetWizard()->SetZurrpunkteVorschlagen(true);
    if (IsActivePage()) {
        SetChecked(kIdVorschlagen, true);
        RefreshHint(0);
    }
}

void CPgLgSichgPage3::GetNextCommandId(int nId, int* pNext)
{
    if (nId == CPshLgSichgWizard::kIdBack && pNext)
        *pNext = kIdNeuWaehlen;
    else
        CPgLgSichgBase2::GetNextCommandId(nId, pNext);
}

void CPgLgSichgPage3::NeuWaehlen()
{
    if (!GetAntworten().bNeuWaehlenBestaetigt) {
        IMessageBoxService::HtmlBox box;
        box.textId = 542;
        box.captionId = 273;
        box.buttons = {{kAbbrechen, kAbbrechen}, {kOk, 543}};
        box.checkBox = true;
        bool bNichtMehr = false;
        if (MessageBoxes().ShowHtml(this, box, &bNichtMehr) != kOk)
            return;
        // Confirmed once: later requests of this run go ahead at once.
        GetAntworten().bNeuWaehlenBestaetigt = true;
    }
    CPshLgSichgWizard* wizard = GetWizard();
    if (!wizard)
        return;
    if (wizard->GetView())
        wizard->GetView()->RepaintView();
    wizard->SetReach(PageIndex());
}

bool CPgLgSichgPage3::OnCommand(int id, int notifyCode, QObject* control)
{
    for (std::size_t i = 0; i < kIdWahl.size(); ++i)
        if (id == kIdWahl[i]) {
            if (Checked(id)) {
                SetWahl(int(i));
                InvalidateCtrl(kIdBild);
                NotifyView(false, LgSichgSeitenHinweis::kWahlGeaendert, int(i));
                RefreshHint(0);
            }
            return true;
        }
    if (id == kIdVorschlagen) {
        m_bVorschlagen = Checked(kIdVorschlagen);
        if (GetWizard())
            GetWizard()->SetZurrpunkteVorschlagen(m_bVorschlagen);
        return true;
    }
    if (id == kIdNeuWaehlen) {
        NeuWaehlen();
        return true;
    }
    return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
}

void CPgLgSichgPage3::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    const int nReach = GetWizard() ? GetWizard()->GetReach() : -1;
    for (std::size_t i = 0; i < kIdWahl.size(); ++i)
        if (id == kIdWahl[i]) {
            query.Enable(nReach == PageIndex());
            query.SetCheck(Wahl() == int(i) ? 1 : 0);
            return;
        }
    if (id == kIdVorschlagen) {
        query.Enable(nReach == PageIndex());
        return;
    }
    if (id == kIdNeuWaehlen) {
        query.Enable(nReach > PageIndex());
        return;
    }
    CPgLgSichgBase2::OnUpdateCommand(query);
}

bool CPgLgSichgPage3::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kIdBild)
        return CPgLgSichgBase2::OnPaintCtrl(ctrl, id, painter);
    const QRect area = ctrl->rect();
    const int nWahl = Wahl();
    if (nWahl < 0 || nWahl >= int(m_bilder.size()) || m_bilder[std::size_t(nWahl)].isNull()) {
        painter.fillRect(area, QColor(200, 216, 237));
        const QString text = ResourceModule::Current() ? ResourceModule::Current()->String(500) : QString();
        QRect rc = area;
        rc.translate(0, -12);
        painter.setPen(Qt::black);
        painter.drawText(rc, Qt::AlignCenter | Qt::TextWordWrap, text);
        return true;
    }
    const QImage& bild = m_bilder[std::size_t(nWahl)];
    painter.drawImage(QPoint(area.center().x() - bild.width() / 2, area.center().y() - bild.height() / 2),
                      bild);
    return true;
}

int CPgLgSichgPage3::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    const ResourceModule* pModule = ResourceModule::Current();
    QString html = pModule && pHtml ? pModule->Html(kHint) : QString();
    if (html.isEmpty())
        return 0;
    // The note on choosing again while it can be done, the note on one axis for the straight choices.
    const bool bWieder = GetWizard() && GetWizard()->GetReach() > PageIndex();
    html.replace(QStringLiteral("<!--$<body>-->"), QStringLiteral("<body>"));
    html.replace(QStringLiteral("/*$endColor*/"), QStringLiteral("#CAD9EF"));
    html.replace(QStringLiteral("<!--$firstText-->"), QStringLiteral("first"));
    html.replace(QStringLiteral("<!--$visibleKasten1-->"),
                 bWieder ? QStringLiteral("first") : QStringLiteral("invisible"));
    html.replace(QStringLiteral("<!--$visibleKasten2-->"),
                 Wahl() >= 3 ? QStringLiteral("first") : QStringLiteral("invisible"));
    *pHtml = html;
    return 0;
}
