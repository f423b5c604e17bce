// The securing-choice page of the load-securing wizard: how the unit is secured.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

#include <QImage>

#include <array>

class CPgLgSichgPage3 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 635;
    static constexpr quint32 kTitle = 488;
    static constexpr quint32 kHeaderBitmap = 805;
    static constexpr quint32 kHint = 745;
    // The radios of choices 0..4, in that order.
    static constexpr std::array<int, 5> kIdWahl = {1238, 1239, 1237, 1240, 1241};
    static constexpr int kIdBild = 1275;
    static constexpr int kIdVorschlagen = 1095;
    static constexpr int kIdNeuWaehlen = 749;
    // The pictures of choices 0..4.
    static constexpr std::array<quint32, 5> kBilder = {734, 790, 735, 737, 736};

    explicit CPgLgSichgPage3(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;
    void OnFirstEnter(int nVisits) override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int Validate(int nTarget) override;
    void OnReachChanged(int nOldReach, int nValue) override;
    void GetNextCommandId(int nId, int* pNext) override;
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;

    // The securing choice 0..4 held in the working settings (-1 none).
    int Wahl() const;
    // Whether the lashing-points page proposes points when it is entered (check box 1095).
    bool Vorschlagen() const { return m_bVorschlagen; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;

private:
    void SetWahl(int nWahl);
    bool Checked(int id) const;
    void SetChecked(int id, bool on);
    void Meldung(int nText);
    void NeuWaehlen();

    std::array<QImage, 5> m_bilder;
    bool m_bVorschlagen = false;
};
