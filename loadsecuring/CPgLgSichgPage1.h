// The load-unit page of the load-securing wizard: the load unit to be secured.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

#include <vector>

struct tagLGINFO;

class CPgLgSichgPage1 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 633;
    static constexpr quint32 kTitle = 428;
    static constexpr quint32 kHeaderBitmap = 682;
    static constexpr int kIdBilden = 406;
    static constexpr int kIdNeu = 407;
    static constexpr int kIdErklaerung = 1241;

    explicit CPgLgSichgPage1(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert) override;
    int OnUpdateNext(CCmdUI* pCmdUI) override;
    void GetNextCommandId(int nId, int* pNext) override;
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;

    // The marked loads of the plan (form-fit items never count).
    std::vector<tagLGINFO*> MarkierteLadungen() const;
    // Forms a unit of the marked loads; false with a message when they do not qualify or every id is
    // taken.
    bool BildeEinheit();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;

private:
    void Neubeginn();
    void Meldung(int nText);
};
