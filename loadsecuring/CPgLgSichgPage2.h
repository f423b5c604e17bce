// The blocking page of the load-securing wizard: whether the unit is blocked and with what force per
// direction.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"
#include "model/plan/sFSParam.h"

#include <array>

class CEditLast;

class CPgLgSichgPage2 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 634;
    static constexpr quint32 kTitle = 429;
    static constexpr quint32 kHeaderBitmap = 720;
    static constexpr int kIdBlockiert = 1229;
    static constexpr int kIdErklaerung = 1233;
    static constexpr int kIdInfo = 722;
    // The hint's row icons: blocked by the load area's edge, blocked by a form-fit item.
    static constexpr quint32 kBildWand = 685;
    static constexpr quint32 kBildItem = 687;
    // The force fields in direction order 0..3: rearward, 1, forward, 3.
    static constexpr std::array<int, 4> kFelder = {1104, 1105, 1103, 1106};

    explicit CPgLgSichgPage2(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int Validate(int nTarget) override;
    int OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert) override;
    int OnUpdateNext(CCmdUI* pCmdUI) override;
    void GetNextCommandId(int nId, int* pNext) override;
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;
    // 0x8001 and 0x8002 select tab 1 or 2 of the active document's tabbed view.
    void OnHintLink(int nId, QString strArg) override;

    const std::array<sFSParam, 4>& Blockierung() const { return m_fs; }
    bool BlockierungGefunden() const { return m_bGefunden; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;

private:
    CEditLast* Feld(int nRichtung) const;
    bool Blockiert() const;
    void SetBlockiert(bool on);
    // Determines the blocked directions of the active unit and fills the fields.
    void SucheBlockierung();
    // Clears the box, the four entries and their fields.
    void LoescheBlockierung();
    void SchreibeFelder();

    std::array<sFSParam, 4> m_fs;
    bool m_bWeiterErlaubt = true;
    bool m_bGefunden = false;
};
