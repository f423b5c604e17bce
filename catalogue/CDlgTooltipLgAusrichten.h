// The popup of the loading-plan view that aligns the selection at a distance from a border.
#pragma once

#include "ui/CDlgTooltip.h"

class CEditLast;
class IAusrichtenOwner;
class QAbstractButton;
class QComboBox;

class CDlgTooltipLgAusrichten : public CDlgTooltip
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 861;
    static constexpr int kIdSeite = 1337;
    static constexpr int kIdBeschreibung = 1338;
    static constexpr int kIdAbstand = 1339;
    static constexpr int kIdAnwenden = 1340;

    CDlgTooltipLgAusrichten(QWidget* ownerWidget, IAusrichtenOwner* owner);

    // The entries and the distance (metres, negative for none) shown when the panel opens.
    void SetWerte(int nEintrag, double dAbstand);
    void ShowAtCursor(int dx, int dy, int placement) override;
    // The user chose another border: the owner proposes the distance.
    void SeiteGewaehlt(int nEintrag);
    // The apply button: an empty distance sends nothing.
    void Anwenden();

    QComboBox* SeitenListe() const { return m_pSeite; }
    QComboBox* BeschreibungsListe() const { return m_pBeschreibung; }
    CEditLast* AbstandFeld() const { return m_pAbstand; }
    QAbstractButton* AnwendenKnopf() const { return m_pKnopf; }

private:
    IAusrichtenOwner* m_pOwner;
    QComboBox* m_pSeite = nullptr;
    QComboBox* m_pBeschreibung = nullptr;
    CEditLast* m_pAbstand = nullptr;
    QAbstractButton* m_pKnopf = nullptr;
    int m_nEintrag = 0;
    double m_dAbstand = -1.0;
    bool m_bSchreibt = false;
};
