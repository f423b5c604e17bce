// The main window's status bar.
#include "app/CQOR2StatusBar.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/Grenzwert.h"

#include <QLabel>

namespace {

QString Format(std::uint32_t id, double value)
{
    return QString::fromStdString(FormatResChecked(id, {value}));
}

QString Format(std::uint32_t id, const std::string& prefix)
{
    return QString::fromStdString(FormatResChecked(id, {prefix}));
}

} // namespace

CQOR2StatusBar::CQOR2StatusBar(QWidget* parent)
    : QStatusBar(parent), m_mass(new QLabel(this)), m_load(new QLabel(this)), m_state(new QLabel(this))
{
    setObjectName(QStringLiteral("statusBar"));
    m_mass->setObjectName(QStringLiteral("id_%1").arg(kMassPane));
    m_load->setObjectName(QStringLiteral("id_%1").arg(kLoadPane));
    m_state->setObjectName(QStringLiteral("id_%1").arg(kStatePane));
    m_state->setTextFormat(Qt::RichText);
    m_state->setAlignment(Qt::AlignCenter);
    m_state->setMinimumWidth(420);
    m_state->setAutoFillBackground(true);
    m_mass->setMinimumWidth(180);
    m_load->setMinimumWidth(140);
    addWidget(m_mass);
    addWidget(m_load, 1);
    addPermanentWidget(m_state);
    setSizeGripEnabled(false);
    setStyleSheet(QStringLiteral("QStatusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                 "stop:0 #DCE7F5, stop:1 #C8D8ED); color: #15428B; }"
                                 "QStatusBar::item { border: none; }"
                                 "QLabel { color: #15428B; padding: 1px 6px; }"));
    ShowState(QString());
    connect(&m_timer, &QTimer::timeout, this, &CQOR2StatusBar::OnTimer);
    m_timer.start(kBlinkPeriodMs);
}

QLabel* CQOR2StatusBar::Pane(int id) const
{
    switch (id) {
    case kMassPane:
        return m_mass;
    case kLoadPane:
        return m_load;
    case kStatePane:
        return m_state;
    default:
        return nullptr;
    }
}

void CQOR2StatusBar::UpdatePanes()
{
    UpdateMassPane();
    UpdateLoadPane();
    BuildStateMessage(0);
}

void CQOR2StatusBar::UpdateMassPane()
{
    CQOR1Doc* doc = Document();
    QString text;
    if (doc && doc->GetFahrzeug()) {
        if (CFahrzeug* towing = doc->GetZugfahrzeug())
            text = Format(42, towing->GetGesamtmasse(true) * 1000.0);
        else
            text = Format(43, doc->GetFahrzeug()->GetGesamtmasse(false) * 1000.0);
    }
    m_mass->setText(text);
}

void CQOR2StatusBar::UpdateLoadPane()
{
    CQOR1Doc* doc = Document();
    QString text;
    if (CFahrzeug* vehicle = doc ? doc->GetFahrzeug() : nullptr) {
        double mass = vehicle->GetQor() ? vehicle->GetQor()->GetMasse() : 0.0;
        const CFahrzeug* partner = vehicle->GetPartner();
        if (partner && partner->GetQor() && partner->GetArt() != FahrzeugArt::kSattelzugmaschine)
            mass += partner->GetQor()->GetMasse();
        text = Format(40, mass * 1000.0);
    }
    m_load->setText(text);
}

void CQOR2StatusBar::SetStateMarkup(const QString& text)
{
    m_strShown = text;
    m_state->setText(
        QStringLiteral("<div align=\"center\"><b><span style=\"color:#365f91\">%1</span></b></div>")
            .arg(text.toHtmlEscaped()));
    QPalette palette = m_state->palette();
    palette.setColor(QPalette::Window, text.isEmpty() && !m_bBlink ? QColor(Qt::transparent) : m_colour);
    m_state->setPalette(palette);
}

void CQOR2StatusBar::ShowState(const QString& text)
{
    SetStateMarkup(text);
}

void CQOR2StatusBar::BuildStateMessage(int mode)
{
    if (mode == 2 || mode == 3) {
        m_bSuspended = mode == 3;
        return;
    }
    if (m_bSuspended && mode == 0)
        return;
    const QString before = m_strText;
    m_bBlink = false;
    m_bAlarm = false;
    m_strText.clear();
    CQOR1Doc* doc = Document();
    CFahrzeug* vehicle = doc ? doc->GetAktivFahrzeug(false) : nullptr;
    if (!vehicle) {
        if (before != m_strText)
            ShowState(m_strText);
        return;
    }
    const int bits = vehicle->CheckGrenzwerte(false);
    m_nBits = bits;
    CFahrzeug* front = doc->GetFirstFahrzeug();
    CFahrzeug* trailer = doc->GetAnhaenger();
    std::string prefix;
    int percent = front ? front->m_nSeitenProzent : vehicle->m_nSeitenProzent;
    bool overload = false;
    double limit = 0.0;
    if (trailer) {
        if (bits & Grenzwert::kBeimZugfahrzeug) {
            prefix = LoadResString(44) + " ";
        } else if (bits & Grenzwert::kBeimAnhaenger) {
            prefix = LoadResString(45) + " ";
            percent = trailer->m_nSeitenProzent;
        }
        limit = front->GetAchse9Leerlast();
        overload = front->GetGesamtmasse(true) > limit;
    }
    struct Rule
    {
        bool holds;
        std::uint32_t text;
        QColor colour;
        bool alarm;
    };
    const bool frontTractor =
        trailer && vehicle == front && front->GetArt() == FahrzeugArt::kSattelzugmaschine;
    const Rule rules[] = {
        {(bits & Grenzwert::kKurveUngueltig) != 0 && !frontTractor, 46, QColor(255, 0, 0), false},
        {overload, 320, QColor(255, 0, 128), true},
        {(bits & Grenzwert::kAchsgruppeUeberlastet) != 0, 47, QColor(255, 0, 128), true},
        {(bits & Grenzwert::kStuetzlast) != 0, 48, QColor(255, 0, 128), true},
        {(bits & Grenzwert::kSattellast) != 0, 49, QColor(255, 0, 128), true},
        {(bits & Grenzwert::kMindestanteil) != 0, 50, QColor(255, 128, 64), false},
        {(bits & Grenzwert::kGesamtgewicht) != 0, 51, QColor(243, 58, 243), true},
        {(bits & Grenzwert::kQuerSchwerpunkt) != 0, 52, QColor(245, 251, 55), false},
    };
    bool matched = false;
    for (const Rule& rule : rules) {
        if (!rule.holds)
            continue;
        if (rule.text == 320)
            m_strText = Format(320, limit * 1000.0);
        else if (rule.text == 52)
            m_strText = QString::fromStdString(FormatResChecked(52, {prefix, percent}));
        else
            m_strText = Format(rule.text, prefix);
        m_colour = rule.colour;
        m_bBlink = true;
        m_bAlarm = rule.alarm;
        m_nStyle = kStyleMessage;
        matched = true;
        break;
    }
    if (!matched) {
        m_strText = QString::fromStdString(LoadResString(53));
        m_colour = QColor(193, 250, 137);
    }
    if (mode == 1)
        m_bBlink = false;
    if (m_strText != before || !m_bBlink) {
        // A new text shows at once; its blinking starts from the shown phase.
        m_bShown = true;
        m_nTicks = 0;
        ShowState(m_strText);
    }
}

void CQOR2StatusBar::OnTimer()
{
    if (!m_bBlink) {
        if (m_strShown != m_strText)
            ShowState(m_strText);
        return;
    }
    ++m_nTicks;
    const int limit = m_bShown ? 7 : 1;
    if (m_nTicks > limit) {
        m_nTicks = 0;
        m_bShown = !m_bShown;
        m_bRedraw = true;
    }
    if (m_bRedraw) {
        m_bRedraw = false;
        ShowState(m_bShown ? m_strText : QString());
    }
}
