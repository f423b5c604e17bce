// The lashing-device list: rows from the vehicle, their texts, sorting and colours.
#include "loadsecuring/ZurrmittelListe.h"

#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrmittel.h"

#include <QBrush>
#include <QHeaderView>
#include <QTreeWidget>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kRolleGeraet = Qt::UserRole;
constexpr int kRolleStandard = Qt::UserRole + 1;

std::string Format(const char* fmt, double d)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, d);
    return buf;
}

} // namespace

std::string ZurrmittelListe::WertText(double dWert)
{
    if (std::fabs(dWert) <= 0.05)
        return LoadResString(559);
    return Format("%.0f", dWert);
}

std::string ZurrmittelListe::AnzahlText(int nAnzahl)
{
    return nAnzahl == 0 ? std::string("~") : std::to_string(nAnzahl);
}

std::vector<ZurrmittelListe::Zeile> ZurrmittelListe::Zeilen(const CFahrzeug& fahrzeug)
{
    std::vector<Zeile> zeilen;
    auto fuege = [&](CZurrmittel* p, bool bStandard) {
        Zeile z;
        z.pGeraet = p;
        z.bStandard = bStandard;
        if (bStandard) {
            z.texte[0] = p->GetTypText();
            z.texte[1] = p->m_strName + " (" + LoadResString(479) + ")";
        } else {
            z.texte[0] = p->GetTypText();
            if (p->m_nTyp == 0 && p->m_nTypZusatz != 0)
                z.texte[0] += FormatS("($S)", 1, 487u);
            z.texte[1] = p->m_strName;
        }
        z.texte[2] = WertText(p->m_dVorspannkraft);
        z.texte[3] = Format("%.0f", p->m_dZurrkraft);
        z.texte[4] = AnzahlText(p->m_nAnzahl);
        zeilen.push_back(std::move(z));
    };
    for (CZurrmittel* p : fahrzeug.GetZurrmittelKatalog())
        if (p)
            fuege(p, true);
    for (CZurrmittel* p : fahrzeug.GetZurrmittelBenutzt())
        if (p)
            fuege(p, false);
    return zeilen;
}

void ZurrmittelListe::Einrichten(QTreeWidget* pListe)
{
    if (!pListe)
        return;
    // Kind, name, standard tension force, lashing capacity, count. The header texts have numbers of their
    // own: the ones the list once used carry command and message texts.
    pListe->setColumnCount(kSpalten);
    QStringList koepfe;
    for (std::uint32_t id : kKopfTexte) {
        // A figure's unit stands on a second line of its header: the figure columns are no wider than
        // their figures need, and the names keep the room.
        koepfe.append(
            QString::fromStdString(LoadResString(id)).replace(QStringLiteral(" ["), QStringLiteral("\n[")));
    }
    pListe->setHeaderLabels(koepfe);
    const int breiten[kSpalten] = {65, 118, 130, 75, 50};
    for (int i = 0; i < kSpalten; ++i)
        pListe->setColumnWidth(i, breiten[i]);
    pListe->headerItem()->setTextAlignment(4, Qt::AlignCenter);
    pListe->setRootIsDecorated(false);
    pListe->setAllColumnsShowFocus(true);
    pListe->setSelectionMode(QAbstractItemView::SingleSelection);
    pListe->setSelectionBehavior(QAbstractItemView::SelectRows);
    pListe->header()->setMinimumSectionSize(25);
    // The kind, the two forces and the count as wide as their header and figures need, so that no figure
    // is cut; the name takes the rest of the table's width (a cut name shows whole in its tooltip).
    pListe->header()->setStretchLastSection(false);
    for (int i = 0; i < kSpalten; ++i)
        pListe->header()->setSectionResizeMode(i,
                                               i == 1 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    pListe->header()->setSectionsClickable(true);
    pListe->header()->setSortIndicatorShown(true);
    pListe->setSortingEnabled(false);
}

void ZurrmittelListe::Fuelle(QTreeWidget* pListe, const CFahrzeug* pFahrzeug, int nSpalte, bool bAufsteigend)
{
    if (!pListe)
        return;
    pListe->clear();
    if (pFahrzeug) {
        for (const Zeile& z : Zeilen(*pFahrzeug)) {
            auto* item = new QTreeWidgetItem(pListe);
            for (int i = 0; i < kSpalten; ++i)
                item->setText(i, QString::fromStdString(z.texte[static_cast<std::size_t>(i)]));
            item->setTextAlignment(4, Qt::AlignCenter);
            // A name the column cuts shows whole in the row's tooltip.
            item->setToolTip(1, item->text(1));
            item->setData(0, kRolleGeraet, QVariant::fromValue(static_cast<void*>(z.pGeraet)));
            item->setData(0, kRolleStandard, z.bStandard);
        }
    }
    Sortiere(pListe, nSpalte, bAufsteigend);
}

void ZurrmittelListe::Sortiere(QTreeWidget* pListe, int nSpalte, bool bAufsteigend)
{
    if (!pListe)
        return;
    const Qt::SortOrder order = bAufsteigend ? Qt::AscendingOrder : Qt::DescendingOrder;
    pListe->header()->setSortIndicator(nSpalte, order);
    pListe->sortItems(nSpalte, order);
    Faerbe(pListe);
}

void ZurrmittelListe::Faerbe(QTreeWidget* pListe)
{
    if (!pListe)
        return;
    const QBrush standard(QColor(200, 216, 237));
    const QBrush weiss(Qt::white);
    for (int r = 0; r < pListe->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = pListe->topLevelItem(r);
        const QBrush& b = IstStandard(item) ? standard : weiss;
        for (int i = 0; i < kSpalten; ++i)
            item->setBackground(i, b);
    }
}

void ZurrmittelListe::KopfKlick(int nGeklickt, int& nSpalte, bool& bAufsteigend)
{
    if (nGeklickt == nSpalte)
        bAufsteigend = !bAufsteigend;
    else {
        nSpalte = nGeklickt;
        bAufsteigend = true;
    }
}

CZurrmittel* ZurrmittelListe::Geraet(const QTreeWidgetItem* pZeile)
{
    return pZeile ? static_cast<CZurrmittel*>(pZeile->data(0, kRolleGeraet).value<void*>()) : nullptr;
}

bool ZurrmittelListe::IstStandard(const QTreeWidgetItem* pZeile)
{
    return pZeile && pZeile->data(0, kRolleStandard).toBool();
}
