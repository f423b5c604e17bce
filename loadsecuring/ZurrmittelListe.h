// The list of a vehicle's lashing devices as the device page and the device editor show it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CFahrzeug;
class CZurrmittel;
class QTreeWidget;
class QTreeWidgetItem;

// Rows: the vehicle's default devices, then its own list, each row holding its device. The list is
// rebuilt after every change so that no row outlives its device.
class ZurrmittelListe
{
public:
    static constexpr int kSpalten = 5;
    // The header texts of the columns.
    static constexpr std::uint32_t kKopfTexte[kSpalten] = {1386, 1387, 346, 1388, 1389};
    // The largest tension force STF or lashing capacity LC (whole daN) the device fields take.
    static constexpr int kHoechsteKraft = 99999;
    struct Zeile
    {
        CZurrmittel* pGeraet = nullptr;
        bool bStandard = false; // a default device of the vehicle: coloured, not removable
        std::array<std::string, kSpalten> texte;
    };

    // Kind, name, tension force STF (text 559 within 0.05 of 0), lashing capacity LC, count ("~" for 0).
    static std::vector<Zeile> Zeilen(const CFahrzeug& fahrzeug);
    // The text of a tension force and of a count as the list shows them.
    static std::string WertText(double dWert);
    static std::string AnzahlText(int nAnzahl);

    // Columns with their header texts and widths, a sortable header, full-row selection.
    static void Einrichten(QTreeWidget* pListe);
    // Empties the list and fills it from the vehicle (none: stays empty), sorted and coloured.
    static void Fuelle(QTreeWidget* pListe, const CFahrzeug* pFahrzeug, int nSpalte, bool bAufsteigend);
    // Sorts as text by the column and direction and colours the rows.
    static void Sortiere(QTreeWidget* pListe, int nSpalte, bool bAufsteigend);
    // Default devices RGB(200, 216, 237), the others white.
    static void Faerbe(QTreeWidget* pListe);
    // A click on a header: the sort column again reverses the direction, another column becomes the
    // sort column, ascending.
    static void KopfKlick(int nGeklickt, int& nSpalte, bool& bAufsteigend);

    static CZurrmittel* Geraet(const QTreeWidgetItem* pZeile);
    static bool IstStandard(const QTreeWidgetItem* pZeile);
};
