// The method page of the load-securing wizard: the securing method and what the lashings go to.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CAnschlagpunkt;

class CPgLgSichgPage11 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 761;
    static constexpr quint32 kTitle = 499;
    static constexpr quint32 kHeaderBitmap = 718;
    static constexpr int kIdEinfach = 1293;
    static constexpr int kIdDetail = 1292;
    static constexpr int kIdPunkte = 1294;
    static constexpr int kIdSchienen = 1295;
    static constexpr int kIdAutomatisch = 1099;
    static constexpr int kIdEcke0 = 1280; // to 1283: corners 0..3
    static constexpr int kIdLaengs = 1284;
    static constexpr int kIdQuer = 1285;
    static constexpr int kIdHoehe = 1286;
    static constexpr int kIdSchema = 1290;
    static constexpr int kIdSeitenansicht = 1287; // the current corner's attachment point from the side
    // The page the flow goes on to when the attachment points are placed automatically.
    static constexpr int kNachAutomatik = 7;

    explicit CPgLgSichgPage11(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;
    void OnFirstEnter(int nVisits) override;
    void OnFirstActivate() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int Validate(int nTarget) override;
    void GetNextCommandId(int nId, int* pNext) override;
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;

    // What the lashings go to: -1 not chosen, 0 the lashing points, 1 the lashing rails.
    int Option() const { return m_nOption; }
    // The corner whose attachment point the fields show.
    int Ecke() const { return m_nEcke; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;

private:
    bool Checked(int id) const;
    void SetChecked(int id, bool on);
    bool HatPunkte() const;
    bool HatSchienen() const;
    // A box of the option was clicked: asks for missing equipment, then takes the option.
    void OptionGeklickt(int id);
    void Meldung(int nText, int nCaption);
    // The fields show the current corner's offsets, in millimetres.
    void ZeigeVersatz();
    void SetEcke(int nEcke);
    // The unit's attachment point at the current corner, made when it is missing; null without unit.
    CAnschlagpunkt* Anschlagpunkt() const;
    // Control 1287: the unit from the side with the current corner's attachment point at its height.
    void ZeichneSeitenansicht(QWidget* ctrl, QPainter& painter);

    int m_nEcke = 0;
    int m_nOption = -1;
};
