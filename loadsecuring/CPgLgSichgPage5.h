// The friction page of the load-securing wizard: the friction between load and load area, with or
// without an anti-slip mat.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CEditLast;
class QAbstractButton;

class CPgLgSichgPage5 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 641;
    static constexpr quint32 kTitle = 431;
    static constexpr quint32 kHeaderBitmap = 691;
    static constexpr int kIdMitMatte = 1240;
    static constexpr int kIdOhneMatte = 1129;
    static constexpr int kIdMatte = 1093;
    static constexpr int kIdMatteNorm = 1311;
    static constexpr int kIdMatteZertifikat = 1312;
    static constexpr int kIdUeber02 = 1142;
    static constexpr int kIdErklaerung = 1178;

    explicit CPgLgSichgPage5(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;
    void OnFirstEnter(int nVisits) override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int Validate(int nTarget) override;
    void GetNextCommandId(int nId, int* pNext) override;
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;
    // 0x8004: the friction that applies becomes the argument's number; 0x8005: the mat radio with the
    // argument's index. An argument that is not such a number changes nothing.
    void OnHintLink(int nId, QString strArg) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;

private:
    CEditLast* Feld(int id) const;
    bool Checked(int id) const;
    void SetChecked(int id, bool on);
    int Norm() const;
    // The friction field that applies: with the mat or without.
    int GeltendesFeld() const;
    // Whether a friction field is open for typing, by the mat box, the standard and the mat's kind.
    bool FeldOffen(int id) const;
    // A friction field that a click on a box opened gets the focus with its text selected.
    void FokusInsGeoeffneteFeld();
    // Tells both friction fields the range they take under the current standard and allowance.
    void SetBereiche();
};
