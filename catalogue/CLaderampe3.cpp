// The loading ramp: creation, layout, the panel's commands, the strip's notifications and the keyboard.
#include "catalogue/CLaderampe3.h"

#include "draw2d/FontTable.h"

#include "catalogue/CDlgTooltipAddMultiLg.h"
#include "catalogue/CHListbox.h"
#include "catalogue/CHlbAdapter.h"
#include "catalogue/CHlbSearchFields.h"
#include "model/plan/SLadungVorlage.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "ui/CEditLast.h"
#include "ui/CRibBtn.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/ResourcePictures.h"
#include "views/IRampenView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

namespace {

CLaderampe3::EditorOeffner& Oeffner()
{
    static CLaderampe3::EditorOeffner oeffner;
    return oeffner;
}

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

// The panel's controls at their rectangles (left, top, right, bottom) before they are moved.
struct SControlRect
{
    int nId;
    int l, t, r, b;
};
constexpr int kLabelFilter = -1;
constexpr int kLabelSuche = -2;
constexpr SControlRect kRects[] = {
    {CLaderampe3::kIdLadeeinheiten, 8, 8, 102, 24},
    {CLaderampe3::kIdFsm, 8, 28, 140, 44},
    {kLabelFilter, 8, 60, 45, 78},
    {CLaderampe3::kIdFilter, 53, 54, 113, 78},
    {CLaderampe3::kIdLeeren, 116, 54, 144, 75},
    {kLabelSuche, 8, 85, 48, 102},
    {CLaderampe3::kIdSuche, 53, 83, 113, 107},
    {CLaderampe3::kIdAnsicht, 8, 115, 111, 132},
    {CLaderampe3::kIdListe, 165, 0, 710, 153},
};

// The band along the bottom of the plan's window that holds the side panel and the tile strip: it does
// not scroll with the plan, so the tiles are always in sight. Tab runs through the ramp's fixed order.
class RampenLeiste : public QWidget
{
public:
    RampenLeiste(QWidget* parent, std::function<bool(bool)> tab) : QWidget(parent), m_tab(std::move(tab))
    {
        setObjectName(QStringLiteral("rampenLeiste"));
        setAutoFillBackground(true);
        QPalette farben = palette();
        farben.setColor(QPalette::Window, QColor::fromRgb(CLaderampe3::kFarbePanel));
        setPalette(farben);
    }

protected:
    bool focusNextPrevChild(bool next) override
    {
        return m_tab ? m_tab(next) : QWidget::focusNextPrevChild(next);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QColor(120, 120, 120));
        p.drawLine(0, 0, width() - 1, 0);
    }

private:
    std::function<bool(bool)> m_tab;
};

} // namespace

bool CLaderampe3::HasEditorOeffner()
{
    return static_cast<bool>(Oeffner());
}

void CLaderampe3::SetEditorOeffner(EditorOeffner oeffner)
{
    Oeffner() = std::move(oeffner);
}

CLaderampe3::CLaderampe3(std::shared_ptr<CHlbCatalogue> catalogue) : m_catalogue(std::move(catalogue))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

CLaderampe3::~CLaderampe3()
{
    // The adapter lets go of the strip before the strip goes with the band.
    m_pSuchfelder.reset();
    m_pAdapter.reset();
    delete m_pLeiste;
}

bool CLaderampe3::Create(QWidget* pOwnerView, int nId, int nX, int nY)
{
    m_pView = dynamic_cast<IRampenView*>(pOwnerView);
    if (!m_pView || !m_pView->RampenFlaeche() || !m_catalogue)
        return false;
    m_pViewWidget = pOwnerView;
    m_nId = nId;
    m_nX = nX;
    m_nY = nY;
    m_nFensterHoehe = 100;
    setParent(m_pView->RampenFlaeche());
    ControlId::Set(this, nId);
    m_pLeiste = new RampenLeiste(m_pView->RampenFlaeche(),
                                 [this](bool next) { return TabWeiter(window()->focusWidget(), next); });
    m_pLeiste->hide();
    // The band keeps to the bottom of the plan's window as that changes size.
    m_pView->RampenFlaeche()->installEventFilter(this);
    resize(m_nBreite, m_nFensterHoehe);
    // The message font of the desktop at the size the panel's rectangles are made for.
    m_font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    m_font.setPixelSize(12);
    m_fontName = FontTable::MakeFont("Arial", -12);
    m_fontSenkrecht = m_fontName;
    m_muster = LoadCxImageFromResource(571, PICTURE_FORMAT_BITMAP);
    m_bmEnde.LoadBitmap(572);
    m_bmSchwerpunkt.LoadBitmap(266);
    ErzeugeControls();
    hide();
    return true;
}

void CLaderampe3::ErzeugeControls()
{
    QWidget* leiste = m_pLeiste;
    m_pLadeeinheiten = new QRadioButton(Text(475), leiste);
    m_pFsm = new QRadioButton(Text(496), leiste);
    m_pLabelFilter = new QLabel(Text(508), leiste);
    m_pFilter = new QLineEdit(leiste);
    m_pLeeren = new QPushButton(QStringLiteral("x"), leiste);
    m_pLabelSuche = new QLabel(Text(457), leiste);
    m_pSuche = new CEditLast(leiste);
    m_pSuche->SetFormat(EditValue::kText);
    m_pAnsicht = new QCheckBox(Text(506), leiste);
    m_pListe = new CHListbox(leiste);
    const std::pair<QWidget*, int> ids[] = {{m_pLadeeinheiten, kIdLadeeinheiten},
                                            {m_pFsm, kIdFsm},
                                            {m_pFilter, kIdFilter},
                                            {m_pLeeren, kIdLeeren},
                                            {m_pSuche, kIdSuche},
                                            {m_pAnsicht, kIdAnsicht}};
    for (const auto& [w, id] : ids) {
        ControlId::Set(w, id);
        w->installEventFilter(this);
    }
    m_pLadeeinheiten->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(m_pLadeeinheiten), static_cast<QWidget*>(m_pFsm),
                       static_cast<QWidget*>(m_pLabelFilter), static_cast<QWidget*>(m_pFilter),
                       static_cast<QWidget*>(m_pLeeren), static_cast<QWidget*>(m_pLabelSuche),
                       static_cast<QWidget*>(m_pSuche), static_cast<QWidget*>(m_pAnsicht)})
        w->setFont(m_font);
    connect(m_pLadeeinheiten, &QRadioButton::clicked, this, [this] { OnBefehl(kIdLadeeinheiten); });
    connect(m_pFsm, &QRadioButton::clicked, this, [this] { OnBefehl(kIdFsm); });
    connect(m_pAnsicht, &QCheckBox::clicked, this, [this] { OnBefehl(kIdAnsicht); });
    connect(m_pLeeren, &QPushButton::clicked, this, [this] { OnBefehl(kIdLeeren); });

    m_pListe->Create(3, ControlRect(kIdListe), leiste, kIdListe);
    m_pAdapter = std::make_unique<CHlbAdapter>(m_catalogue);
    // The search field searches the strip, the filter field filters it, both after a pause.
    m_pSuchfelder = std::make_unique<CHlbSearchFields>(*m_pAdapter);
    m_pSuchfelder->AttachSearchEdit(m_pSuche);
    m_pSuchfelder->AttachFilterEdit(m_pFilter, nullptr);
    m_pAdapter->Attach(m_pListe, this);

    // Strip 444 lies in the band beside the radio buttons.
    m_pStreifenEditor = new CRibBtnContainer(true, true, false);
    if (m_pStreifenEditor->Create(kStreifenEditor, leiste, 0, 0, 0, QString())) {
        m_pStreifenEditor->SetNotifyWindow(this);
        m_pStreifenEditor->AddButton(kIdEditor, this);
        m_pStreifenEditor->SetButtonIcon(kIdEditor, 732);
        m_pStreifenEditor->SetButtonToolTip(kIdEditor, 684);
        m_pStreifenEditor->SetBackgroundBitmapColor(1, 0xEDD8C8);
        m_pStreifenEditor->SetBackgroundBitmapColor(2, 0xEDD8C8);
        if (CRibBtn* b = m_pStreifenEditor->FindButton(kIdEditor))
            b->installEventFilter(this);
    }
    m_pStreifenMehrere = new CRibBtnContainer(true, false, false);
    if (m_pStreifenMehrere->Create(kStreifenMehrere, leiste, 0, 0, 0, Text(521))) {
        // The strip stands in the band, but the ramp decides whether its button can be pressed.
        m_pStreifenMehrere->SetNotifyWindow(this);
        m_pStreifenMehrere->AddButton(kIdMehrere, this, MehrereText());
    }

    m_pPopup = new CDlgTooltipAddMultiLg(this, this);
    m_pPopup->ShowPinButton(false);
    // The strip selected its first tile before the popup was there: it proposes that tile's mass.
    if (m_pEintrag)
        m_pPopup->SetMasse(m_pEintrag->item.m_dMasse);
    // The strip passes Tab on through the ramp's order as the panel's controls do.
    for (QWidget* w : m_pListe->findChildren<QWidget*>())
        w->installEventFilter(this);
    LayoutControls();
    SchreibeMehrere();
    AktualisiereKnoepfe();
}

QWidget* CLaderampe3::Control(int nId) const
{
    switch (nId) {
    case kIdListe:
        return m_pListe;
    case kIdLadeeinheiten:
        return m_pLadeeinheiten;
    case kIdFsm:
        return m_pFsm;
    case kIdFilter:
        return m_pFilter;
    case kIdLeeren:
        return m_pLeeren;
    case kIdSuche:
        return m_pSuche;
    case kIdAnsicht:
        return m_pAnsicht;
    case kIdEditor:
        return m_pStreifenEditor ? m_pStreifenEditor->FindButton(kIdEditor) : nullptr;
    default:
        return nullptr;
    }
}

QRect CLaderampe3::ControlRect(int nId) const
{
    // The panel's rectangles in the band, shifted by the first layout offset. A text wider than its
    // rectangle widens it, and what stands right of it moves on, so that no text is cut; the strip fills
    // the band right of the panel.
    const auto breit = [](const QWidget* w, int nBreite) {
        return w ? std::max(nBreite, w->sizeHint().width()) : nBreite;
    };
    const auto tabelle = [](int id) {
        for (const SControlRect& r : kRects)
            if (r.nId == id)
                return QRect(QPoint(r.l, r.t), QPoint(r.r - 1, r.b - 1));
        return QRect();
    };
    QRect rc = tabelle(nId);
    const int nLabel = std::max(breit(m_pLabelFilter, 37), breit(m_pLabelSuche, 40));
    const int nFeld = 8 + nLabel + 8;
    switch (nId) {
    case kIdLadeeinheiten:
        rc.setWidth(breit(m_pLadeeinheiten, rc.width()));
        break;
    case kIdFsm:
        rc.setWidth(breit(m_pFsm, rc.width()));
        break;
    case kLabelFilter:
    case kLabelSuche:
        rc.setWidth(nLabel);
        break;
    case kIdFilter:
    case kIdSuche:
        rc.moveLeft(nFeld);
        break;
    case kIdLeeren:
        rc.moveLeft(nFeld + 63);
        break;
    case kIdAnsicht:
        rc.setWidth(breit(m_pAnsicht, rc.width()));
        break;
    case kIdListe: {
        const int nPanel = PanelBreite();
        rc = QRect(nPanel, 0, std::max(0, (m_pLeiste ? m_pLeiste->width() : 0) - (16 - m_nOffsetA) - nPanel),
                   kLeistenHoehe);
        break;
    }
    default:
        break;
    }
    return rc.translated(16 - m_nOffsetA, 0);
}

QPoint CLaderampe3::StreifenEditorPos() const
{
    // Right of the radio buttons, at the top of the panel.
    const QRect fsm = ControlRect(kIdFsm), ladung = ControlRect(kIdLadeeinheiten);
    return QPoint(std::max(fsm.right(), ladung.right()) + 8, ladung.top());
}

QPoint CLaderampe3::StreifenMehrerePos() const
{
    // Right of the search field and of the check box under it, below the clear button, so that none of
    // them covers another (a longer text of the check box pushes it on).
    const int nRechts = std::max(ControlRect(kIdSuche).right(), ControlRect(kIdAnsicht).right());
    return QPoint(nRechts + 1 + 2, ControlRect(kIdLeeren).bottom() + 3);
}

int CLaderampe3::PanelBreite() const
{
    // The panel reaches past its widest row, at least to where the strip began in the table.
    int nRechts = 165 - 10;
    for (int id : {int(kIdLadeeinheiten), int(kIdFsm), int(kIdLeeren), int(kIdAnsicht)})
        nRechts = std::max(nRechts, ControlRect(id).right() - (16 - m_nOffsetA));
    if (m_pStreifenEditor && m_pStreifenEditor->HasWindow())
        nRechts = std::max(nRechts, StreifenEditorPos().x() - (16 - m_nOffsetA) + m_pStreifenEditor->width());
    if (m_pStreifenMehrere && m_pStreifenMehrere->HasWindow())
        nRechts =
            std::max(nRechts, StreifenMehrerePos().x() - (16 - m_nOffsetA) + m_pStreifenMehrere->width());
    return nRechts + 10;
}

void CLaderampe3::LayoutControls()
{
    if (!m_pListe)
        return;
    const std::pair<QWidget*, int> ctrls[] = {{m_pLadeeinheiten, kIdLadeeinheiten},
                                              {m_pFsm, kIdFsm},
                                              {m_pLabelFilter, kLabelFilter},
                                              {m_pFilter, kIdFilter},
                                              {m_pLeeren, kIdLeeren},
                                              {m_pLabelSuche, kLabelSuche},
                                              {m_pSuche, kIdSuche},
                                              {m_pAnsicht, kIdAnsicht},
                                              {m_pListe, kIdListe}};
    for (const auto& [w, id] : ctrls)
        w->setGeometry(ControlRect(id));
    if (m_pStreifenMehrere && m_pStreifenMehrere->HasWindow())
        m_pStreifenMehrere->SetWindowPosAndShape(StreifenMehrerePos().x(), StreifenMehrerePos().y());
    if (m_pStreifenEditor && m_pStreifenEditor->HasWindow())
        m_pStreifenEditor->SetWindowPosAndShape(StreifenEditorPos().x(), StreifenEditorPos().y());
}

int CLaderampe3::VorderRandPixel() const
{
    // The vehicle model keeps no offset of the load area's front in the drawing.
    return 0;
}

QRect CLaderampe3::GetRampenRect() const
{
    return QRect(m_nX - VorderRandPixel(), 0, m_nLaenge, m_nHoehe);
}

void CLaderampe3::SetOffsets(int nA, int nB)
{
    m_nOffsetA = nA;
    m_nOffsetB = nB;
    LayoutControls();
}

bool CLaderampe3::CalcExtent(int nX, int nY)
{
    if (nX != -1)
        m_nX = nX;
    if (nY != -1)
        m_nY = nY;
    CFahrzeug* f = m_pView ? m_pView->RampenFahrzeug() : nullptr;
    if (!f)
        return false;
    // The vehicle model keeps no front margins of the load area in the drawing, so they add nothing.
    m_nLaenge = m_pView->RampenPixel(f->GetLFLaenge());
    m_nHoehe = m_pView->RampenPixel(static_cast<double>(kRampenHoehe));
    m_nBreite = GetRampenRect().right() + 1;
    m_nFensterHoehe = m_nHoehe;
    m_bLayoutOffen = true;
    LayoutControls();
    return true;
}

void CLaderampe3::Reposition(int nY)
{
    if (!m_pView)
        return;
    if (nY != -1)
        m_nTop = nY;
    const QPoint scroll = m_pView->RampenScroll();
    setGeometry(-scroll.x(), m_nTop - scroll.y(), m_nBreite, m_nFensterHoehe);
    update();
    LegeLeiste();
    m_bLayoutOffen = false;
}

void CLaderampe3::LegeLeiste()
{
    // Along the bottom of the plan's window, as wide as it.
    const QWidget* flaeche = parentWidget();
    if (!m_pLeiste || !flaeche)
        return;
    m_pLeiste->setGeometry(0, flaeche->height() - kLeistenHoehe, flaeche->width(), kLeistenHoehe);
    LayoutControls();
}

void CLaderampe3::Show(bool bShow)
{
    if (bShow && CalcExtent(-1, -1))
        Reposition(-1);
    setVisible(bShow);
    if (m_pLeiste) {
        LegeLeiste();
        m_pLeiste->setVisible(bShow);
        if (bShow)
            m_pLeiste->raise();
    }
    if (!bShow && m_pPopup)
        m_pPopup->hide();
}

void CLaderampe3::ResetIndices()
{
    m_nIndex = -1;
    m_nFsmIndex = -1;
}

void CLaderampe3::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    LayoutControls();
}

void CLaderampe3::focusInEvent(QFocusEvent* /*e*/)
{
    if (m_pSuche)
        m_pSuche->setFocus(Qt::OtherFocusReason);
}

// --- selection and the strip's notifications ------------------------------------------------------

void CLaderampe3::SelectionChanged(const sHLBItemData* /*entry*/)
{
    m_nIndex = m_pListe ? m_pListe->GetCurSel() : -1;
    m_pEintrag = m_nIndex >= 0 && m_pAdapter ? m_pAdapter->SelectedSharedEntry() : nullptr;
    if (!m_pEintrag)
        m_nIndex = -1;
    if (m_pEintrag && m_pPopup)
        m_pPopup->SetMasse(m_pEintrag->item.m_dMasse);
    SchreibeMehrere();
    AktualisiereKnoepfe();
    update();
}

void CLaderampe3::EintragWeg()
{
    m_pEintrag.reset();
    m_nIndex = -1;
    m_bMarken = m_bMarkenGedrueckt = false;
    SchreibeMehrere();
    AktualisiereKnoepfe();
    update();
}

void CLaderampe3::ViewModeChanged(int mode)
{
    if (m_pAnsicht)
        m_pAnsicht->setChecked(mode != 0);
}

void CLaderampe3::ListRefilled()
{
    if (!m_pAdapter)
        return;
    int nKategorie = 0;
    m_pAdapter->GetFilter(&nKategorie, nullptr);
    if (m_pLadeeinheiten) {
        m_pLadeeinheiten->setChecked(nKategorie == 0);
        m_pFsm->setChecked(nKategorie != 0);
    }
    // The field's own write, which restarts no search.
    if (m_pSuche)
        m_pSuche->SetText(std::nullopt);
    if (m_pAnsicht)
        m_pAnsicht->setChecked(m_pAdapter->ViewMode() != 0);
    // An entry deleted, edited or filtered out through any strip no longer stands on the ramp.
    if (m_pEintrag && !m_pAdapter->Shows(m_pEintrag.get()))
        EintragWeg();
}

void CLaderampe3::EntryActivated(const sHLBItemData* /*entry*/)
{
    QCoreApplication::postEvent(this, new CommandEvent(kIdEditor));
}

// --- commands -------------------------------------------------------------------------------------

bool CLaderampe3::OnBefehl(int nId)
{
    int nKategorie = 0;
    QString suche;
    if (m_pAdapter)
        m_pAdapter->GetFilter(&nKategorie, &suche);
    switch (nId) {
    case kIdEditor: {
        if (!Oeffner())
            return true;
        QWidget* panel[] = {m_pLadeeinheiten,  m_pFsm,   m_pLabelFilter, m_pFilter, m_pLeeren,
                            m_pLabelSuche,     m_pSuche, m_pAnsicht,     m_pListe,  m_pStreifenEditor,
                            m_pStreifenMehrere};
        for (QWidget* w : panel)
            if (w)
                w->hide();
        m_bEditorOffen = true;
        update();
        QPointer<CLaderampe3> self(this);
        Oeffner()(this, m_pLeiste->mapToGlobal(QPoint(0, m_pLeiste->height())), nKategorie, suche);
        if (!self)
            return true;
        m_bEditorOffen = false;
        for (QWidget* w : panel)
            if (w)
                w->setVisible(true);
        update();
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    case kIdLadeeinheiten:
        if (nKategorie != 0)
            m_pAdapter->SetFilter(0, QString(), true);
        return true;
    case kIdFsm:
        if (nKategorie == 0)
            m_pAdapter->SetFilter(1, QString(), true);
        return true;
    case kIdAnsicht:
        m_pAdapter->SetViewMode(m_pAnsicht->isChecked() ? 1 : 0);
        return true;
    case kIdLeeren:
        m_pSuchfelder->Clear();
        return true;
    case kIdMehrere:
        if (nKategorie != 0 || !m_pEintrag)
            return true;
        if (m_pStreifenMehrere)
            m_pStreifenMehrere->hide();
        m_pPopup->ShowAtCursor(-35, 35, CDlgTooltip::kAbove);
        return true;
    default:
        return false;
    }
}

void CLaderampe3::AktualisiereKnoepfe()
{
    for (CRibBtnContainer* s : {m_pStreifenEditor, m_pStreifenMehrere})
        if (s && s->HasWindow())
            s->UpdateCmdUI();
}

QString CLaderampe3::MehrereText() const
{
    const int nAnzahl = m_pPopup ? m_pPopup->GetAnzahl() : 1;
    if (!m_pEintrag)
        return QString::asprintf("%ix\n???", nAnzahl);
    return QString::asprintf("%ix\n%.0fkg", nAnzahl, m_pEintrag->item.m_dMasse * 1000.0);
}

void CLaderampe3::SchreibeMehrere()
{
    if (m_pStreifenMehrere && m_pStreifenMehrere->HasWindow())
        m_pStreifenMehrere->SetButtonText(kIdMehrere, MehrereText());
}

void CLaderampe3::AnzahlGeaendert(int /*nAnzahl*/)
{
    SchreibeMehrere();
}

void CLaderampe3::MehrereHinzufuegen(int nAnzahl, double dTonnen)
{
    if (!m_pEintrag || !m_pView)
        return;
    m_pView->RampenMehrere(Vorlage(), nAnzahl, dTonnen, m_nDrehung);
    m_pView->RampenFokus();
}

SLadungVorlage CLaderampe3::Vorlage() const
{
    return m_pEintrag ? VorlageAus(m_pEintrag->item) : SLadungVorlage();
}

SLadungVorlage CLaderampe3::VorlageAus(const tagItemData& i)
{
    SLadungVorlage v;
    v.nArt = i.m_nArt;
    v.strName = i.m_strName;
    v.dLaenge = i.m_dLaenge;
    v.dBreite = i.m_dBreite;
    v.dHoehe = i.m_dHoehe;
    v.dSPLaenge = i.m_dSPLaenge;
    v.dSPBreite = i.m_dSPBreite;
    v.dSPHoehe = i.m_dSPHoehe;
    v.dMasse = i.m_dMasse;
    v.strText = i.m_strText;
    v.strBildDatei = i.m_strBildDatei;
    v.strBildQuelle = i.m_strBildQuelle;
    return v;
}

bool CLaderampe3::event(QEvent* e)
{
    if (e->type() == CommandEvent::kType) {
        OnBefehl(static_cast<int>(static_cast<CommandEvent*>(e)->Id()));
        return true;
    }
    if (e->type() == CommandUpdateEvent::EventType()) {
        auto* u = static_cast<CommandUpdateEvent*>(e);
        int nKategorie = 0;
        if (m_pAdapter)
            m_pAdapter->GetFilter(&nKategorie, nullptr);
        if (u->Id() == kIdMehrere)
            u->Enable(nKategorie == 0 && m_pEintrag != nullptr);
        else if (u->Id() == kIdEditor)
            u->Enable(static_cast<bool>(Oeffner()));
        return true;
    }
    if (e->type() == CDlgTooltip::ClosedEvent::kType) {
        if (static_cast<CDlgTooltip::ClosedEvent*>(e)->Panel() == m_pPopup && m_pStreifenMehrere)
            m_pStreifenMehrere->show();
        return true;
    }
    return QWidget::event(e);
}

// --- keyboard -------------------------------------------------------------------------------------

const std::vector<int>& CLaderampe3::TabReihe()
{
    static const std::vector<int> reihe = {kIdListe,  kIdLadeeinheiten, kIdFsm,     kIdFilter,
                                           kIdLeeren, kIdSuche,         kIdAnsicht, kIdEditor};
    return reihe;
}

void CLaderampe3::FokusAuf(int nId)
{
    if (nId == kIdEditor) {
        if (m_pStreifenEditor)
            m_pStreifenEditor->SetButtonFocus(kIdEditor);
        return;
    }
    if (nId == kIdListe) {
        // The strip shows the focus on its selected tile.
        m_pListe->Canvas()->setFocus(Qt::TabFocusReason);
        return;
    }
    QWidget* w = Control(nId);
    if (!w)
        return;
    w->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
        edit->setCursorPosition(static_cast<int>(edit->text().size()));
        edit->selectAll();
    }
}

bool CLaderampe3::focusNextPrevChild(bool next)
{
    return TabWeiter(window()->focusWidget(), next);
}

bool CLaderampe3::TabWeiter(QWidget* fokus, bool next)
{
    const std::vector<int>& reihe = TabReihe();
    int nAt = -1;
    for (std::size_t i = 0; i < reihe.size() && nAt < 0; ++i) {
        QWidget* w = Control(reihe[i]);
        if (w && fokus && (w == fokus || w->isAncestorOf(fokus)))
            nAt = static_cast<int>(i);
    }
    if (nAt < 0)
        return QWidget::focusNextPrevChild(next);
    const int n = static_cast<int>(reihe.size());
    for (int k = 1; k <= n; ++k) {
        const int nId = reihe[static_cast<std::size_t>(((nAt + (next ? k : -k)) % n + n) % n)];
        // Of the two radio buttons only the checked one takes the focus.
        if ((nId == kIdLadeeinheiten && !m_pLadeeinheiten->isChecked()) ||
            (nId == kIdFsm && !m_pFsm->isChecked()))
            continue;
        // A disabled editor button is passed over.
        if (QWidget* w = Control(nId); !w || !w->isEnabled())
            continue;
        FokusAuf(nId);
        return true;
    }
    return true;
}

bool CLaderampe3::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == parentWidget() && e->type() == QEvent::Resize) {
        LegeLeiste();
        return false;
    }
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    auto* k = static_cast<QKeyEvent*>(e);
    const int nId = ControlId::Of(watched);
    if ((watched == m_pLadeeinheiten || watched == m_pFsm) &&
        (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down)) {
        QRadioButton* andere = watched == m_pLadeeinheiten ? m_pFsm : m_pLadeeinheiten;
        andere->setChecked(true);
        static_cast<QRadioButton*>(watched)->setChecked(false);
        andere->setFocus(Qt::TabFocusReason);
        OnBefehl(ControlId::Of(andere));
        return true;
    }
    // The panel and the strip lie in the band, outside the ramp, so their Tab comes here.
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && m_pLeiste && m_pLeiste->isAncestorOf(w) &&
        (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
        !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return TabWeiter(static_cast<QWidget*>(watched),
                         k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && (nId == kIdEditor || nId == kIdLeeren)) {
        OnBefehl(nId);
        return true;
    }
    return QWidget::eventFilter(watched, e);
}
