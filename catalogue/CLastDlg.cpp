// The payload-at-position dialog: position field, stepping, pick mode and the payload at the position.
#include "catalogue/CLastDlg.h"

#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SYs2X.h"
#include "ui/ControlId.h"
#include "ui/DialogTemplateLoader.h"
#include "views/CGetAnsView.h"
#include "views/ILastDlgView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

double CLastDlg::Kuerze(double dTonnen)
{
    // A small allowance keeps 2.3 from becoming 2.29 by its binary form.
    const double d = dTonnen * 100.0;
    return std::trunc(d + (d < 0.0 ? -1e-7 : 1e-7)) / 100.0;
}

CLastDlg::CLastDlg(CGetAnsView* pView) : QDialog(nullptr, Qt::Tool), m_pView(pView)
{
    QString fehler;
    DialogTemplateLoader::Load(kTemplateId, this, &fehler);
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (QLineEdit* pos = Feld(kIdPosition)) {
        pos->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), pos));
        pos->setContextMenuPolicy(Qt::NoContextMenu);
        pos->setAcceptDrops(false);
        pos->installEventFilter(this);
    }
    for (int id : {kIdNutzlast, kIdZweiterWert})
        if (QLineEdit* f = Feld(id))
            f->setReadOnly(true);
    if (auto* rechnen = qobject_cast<QPushButton*>(ControlId::Find(this, kIdBerechnen))) {
        rechnen->setDefault(true);
        connect(rechnen, &QAbstractButton::clicked, this, [this] {
            UpdateDataGuarded(true);
            UpdateFromPosition(true);
            if (QLineEdit* pos = Feld(kIdPosition)) {
                pos->setFocus();
                pos->selectAll();
            }
        });
    }
    if (auto* pick = qobject_cast<QCheckBox*>(ControlId::Find(this, kIdPickMode)))
        connect(pick, &QAbstractButton::clicked, this, [this] { TogglePickMode(nullptr); });
    if (auto* ok = qobject_cast<QAbstractButton*>(ControlId::Find(this, 1)))
        connect(ok, &QAbstractButton::clicked, this, &CLastDlg::accept);
    // The dialog never outlives its view.
    if (pView)
        connect(pView, &QObject::destroyed, this, &QObject::deleteLater);
    UpdateCaption();
    UpdateDataGuarded(false);
}

CLastDlg::~CLastDlg()
{
    // Every template view drops its pick line; the owner is repainted.
    for (QWidget* w : QApplication::allWidgets())
        if (auto* view = dynamic_cast<ILastDlgView*>(w)) {
            view->ClearPickLine();
            w->update();
        }
}

QLineEdit* CLastDlg::Feld(int id) const
{
    return qobject_cast<QLineEdit*>(ControlId::Find(this, id));
}

void CLastDlg::ZeigeOhneAktivierung()
{
    if (m_pView) {
        QWidget* client = m_pView->viewport() ? m_pView->viewport() : m_pView.data();
        const QPoint rechtsOben = client->mapToGlobal(QPoint(client->width(), 0));
        move(rechtsOben.x() - frameGeometry().width(), rechtsOben.y());
    }
    show();
}

CFahrzeug* CLastDlg::ArbeitsFahrzeug() const
{
    CQOR1Doc* doc = m_pView ? m_pView->GetDocument() : nullptr;
    return doc ? doc->GetAktivFahrzeug(true) : nullptr;
}

bool CLastDlg::IstImDokument(const CFahrzeug* p) const
{
    CQOR1Doc* doc = m_pView ? m_pView->GetDocument() : nullptr;
    return doc && p && (p == doc->GetFirstFahrzeug() || p == doc->GetAnhaenger() || p == doc->GetFahrzeug());
}

void CLastDlg::UpdateCaption()
{
    CQOR1Doc* doc = m_pView ? m_pView->GetDocument() : nullptr;
    const CFahrzeug* f =
        IstImDokument(m_pGemerkt) ? m_pGemerkt : (doc ? doc->GetAktivFahrzeug(false) : nullptr);
    setWindowTitle(QString::fromStdString(FormatResChecked(375, {f ? f->m_strName : std::string()})));
}

void CLastDlg::SetPosition(double dMm)
{
    m_dPosition = dMm;
    UpdateDataGuarded(false);
}

void CLastDlg::UpdateDataGuarded(bool bSave)
{
    m_bGuard = true;
    if (bSave) {
        if (QLineEdit* pos = Feld(kIdPosition))
            m_dPosition = pos->text().toDouble();
    } else {
        if (QLineEdit* pos = Feld(kIdPosition))
            pos->setText(QString::asprintf("%.0f", m_dPosition));
        const QString keine = QString::fromStdString(LoadResString(374));
        const int ids[2] = {kIdNutzlast, kIdZweiterWert};
        for (int i = 0; i < 2; ++i)
            if (QLineEdit* f = Feld(ids[i]))
                f->setText(m_bUngueltig ? keine : QString::asprintf("%.0f", m_dErgebnis[i] * 1000.0));
    }
    m_bGuard = false;
}

void CLastDlg::UpdateFromPosition(bool bNotify)
{
    if (!m_bGuard)
        UpdateDataGuarded(true);
    if (m_pGemerkt && !IstImDokument(m_pGemerkt)) {
        m_bPickMode = false;
        m_pGemerkt = nullptr;
        if (auto* pick = qobject_cast<QCheckBox*>(ControlId::Find(this, kIdPickMode)))
            pick->setChecked(false);
    }
    CFahrzeug* f = ArbeitsFahrzeug();
    if (!f) {
        m_bUngueltig = true;
        m_dErgebnis[0] = m_dErgebnis[1] = 0.0;
        UpdateDataGuarded(false);
        return;
    }
    // A semi-trailer tractor measures from its coupling; every other vehicle from the load-area front.
    double dVersatz = 0.0;
    if (f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        if (auto* z = dynamic_cast<CSattelzugmaschine*>(f))
            dVersatz = z->GetSattelX();
    const double x = std::clamp(m_dPosition / 1000.0 + dVersatz, 0.0, std::max(0.0, f->GetLFLaenge()));
    SYs2X punkt;
    punkt.m_dX = x;
    if (f->CalcKurvenpunkt(&punkt) == 1) {
        m_bUngueltig = false;
        m_dErgebnis[0] = Kuerze(punkt.m_dMaxLast);
        m_dErgebnis[1] = std::max(0.0, Kuerze(punkt.m_dMinLast));
    } else {
        m_bUngueltig = true;
        m_dErgebnis[0] = m_dErgebnis[1] = 0.0;
    }
    m_dPosition = std::round((x - dVersatz) * 1000.0);
    UpdateDataGuarded(false);
    if (bNotify)
        if (auto* view = dynamic_cast<ILastDlgView*>(m_pView.data()))
            view->SetPickPosition(x, f, true);
}

void CLastDlg::Schritt(int nRichtung)
{
    if (!m_bGuard)
        UpdateDataGuarded(true);
    CFahrzeug* f = ArbeitsFahrzeug();
    const double neu = m_dPosition + (nRichtung >= 0 ? kSchrittMm : -kSchrittMm);
    const double laenge = f ? f->GetLFLaenge() * 1000.0 : 0.0;
    // A step past either end of the load area is not taken.
    if (neu < 0.0 || neu > laenge + 1e-6)
        return;
    m_dPosition = neu;
    UpdateDataGuarded(false);
    UpdateFromPosition(true);
}

void CLastDlg::TogglePickMode(const QPoint* pt)
{
    m_bPickMode = !m_bPickMode;
    if (m_bPickMode) {
        CQOR1Doc* doc = m_pView ? m_pView->GetDocument() : nullptr;
        m_pGemerkt = doc ? doc->GetAktivFahrzeug(false) : nullptr;
    } else {
        m_pGemerkt = nullptr;
        if (pt)
            if (auto* view = dynamic_cast<ILastDlgView*>(m_pView.data())) {
                view->ClearPickLine();
                m_pView->viewport()->update();
            }
    }
    if (auto* pick = qobject_cast<QCheckBox*>(ControlId::Find(this, kIdPickMode)))
        pick->setChecked(m_bPickMode);
}

bool CLastDlg::event(QEvent* event)
{
    switch (int(event->type())) {
    case kMsgTitel:
        UpdateCaption();
        return true;
    case kMsgEnter:
        UpdateFromPosition(true);
        return true;
    case kMsgPlus:
        Schritt(1);
        return true;
    case kMsgMinus:
        Schritt(-1);
        return true;
    default:
        return QDialog::event(event);
    }
}

bool CLastDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Feld(kIdPosition) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Pasting is swallowed like every other character that is not a digit.
        if (key->matches(QKeySequence::Paste))
            return true;
        const QString text = key->text();
        if (key->key() == Qt::Key_Backspace || text.isEmpty() || !text.at(0).isPrint())
            return false;
        if (text == QLatin1String("+") || text == QLatin1String("-")) {
            Schritt(text == QLatin1String("+") ? 1 : -1);
            return true;
        }
        return !text.at(0).isDigit();
    }
    return QDialog::eventFilter(watched, event);
}

void CLastDlg::accept()
{
    UpdateDataGuarded(true);
    QDialog::accept();
    deleteLater();
}
