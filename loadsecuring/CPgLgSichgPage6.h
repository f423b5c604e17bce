// The lashing-devices page of the load-securing wizard: the lashing device used.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CEditLast;
class QTreeWidget;
class QTreeWidgetItem;

// The vehicle's devices in a sortable list; the working settings' device entry in the fields below.
// Choosing a row takes its device into the entry.
class CPgLgSichgPage6 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 642;
    static constexpr quint32 kTitle = 432;
    static constexpr quint32 kHeaderBitmap = 804;
    static constexpr quint32 kHintTemplate = 719;
    static constexpr int kListeId = 1209;
    static constexpr int kNameId = 1014;
    static constexpr int kVorspannId = 1243;  // standard tension force, daN
    static constexpr int kZurrkraftId = 1130; // lashing capacity, daN
    static constexpr int kAnzahlId = 1134;
    static constexpr int kGurtId = 1300;
    static constexpr int kKetteId = 1301;
    // Go on without a lashing capacity (the detailed method asks before it accepts an empty one).
    static constexpr int kOhneZurrkraftId = 1097;
    static constexpr int kSchieneId = 1057;

    explicit CPgLgSichgPage6(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;
    void OnFirstActivate() override;
    bool OnSetActive() override;
    int OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert) override;
    int Validate(int nTarget) override;
    void GetNextCommandId(int nId, int* pNext) override;
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;

    QTreeWidget* Liste() const;
    CEditLast* Edit(int id) const;
    int SortSpalte() const { return m_nSortSpalte; }
    bool SortAufsteigend() const { return m_bAufsteigend; }
    void KopfKlick(int nSpalte);
    // A row chosen: its device becomes the entry; a different device restarts the reach here.
    void ZeileGewaehlt(QTreeWidgetItem* pZeile);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;

private:
    void Fuelle();
    void ZeigeEintrag();
    // Clears the chosen row when the entry no longer equals its device.
    void Vergleiche();
    bool Angekreuzt(int id) const;
    void Kreuze(int id, bool bAn);
    void Verweigere(int id, quint32 nText);

    int m_nSortSpalte = 1;
    bool m_bAufsteigend = true;
    bool m_bFuellt = false;
};
