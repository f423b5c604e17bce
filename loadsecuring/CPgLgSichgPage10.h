// The lashing-points page of the load-securing wizard: where each corner of the unit is lashed.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"
#include "model/vehicle/CZurrpunkt.h"

#include <QImage>

#include <array>

class CEditLast;
class CZurrschiene;

class CPgLgSichgPage10 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 746;
    static constexpr quint32 kTitle = 489;
    static constexpr quint32 kHeaderBitmap = 810;
    static constexpr quint32 kHint = 747;
    static constexpr quint32 kSkizze = 764;
    // The name fields of corners 0..3.
    static constexpr std::array<int, 4> kIdFeld = {1246, 1140, 1138, 1139};
    static constexpr int kIdSchienenPos = 1247;
    static constexpr int kIdZweiter = 1203;
    static constexpr int kIdEcke0 = 1280; // to 1283
    static constexpr int kIdPunkte = 1294;
    static constexpr int kIdSchienen = 1295;
    static constexpr int kIdSchiene1 = 1191;
    static constexpr int kIdSchiene2 = 1192;
    static constexpr int kIdSkizze = 1296;
    static constexpr int kIdWahlBild = 1297;
    static constexpr int kIdWahlText = 1313;
    // This page's wizard index.
    static constexpr int kIndex = 6;

    explicit CPgLgSichgPage10(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;
    void OnFirstEnter(int nVisits) override;
    void OnFirstActivate() override;
    bool OnSetActive() override;
    int Validate(int nTarget) override;
    void GetNextCommandId(int nId, int* pNext) override;
    int QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage) override;
    int OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert) override;
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;

    // The operations of the lashing geometry on the wizard's vehicle and unit.
    void UpdateZurrBereiche(int nWahl);
    int AutoAssignZurrpunkte(int nS);
    CZurrpunkt* FindBestZurrpunkt(int nEcke, bool bSchienen, double ideal, double a1, double a2,
                                  double dXGrenze, double dYGrenze);
    void CommitZurrpunktName(int nFeldId, int nSub);
    bool AssignZurrpunktByName(const QString& strName, int nEcke, int nSub);
    void AssignRailPoint(int nEcke, int nSub, CZurrschiene* pSchiene, double dPos);

    // The current corner (-1 none) and slot of the unit.
    int Ecke() const;
    int Sub() const;
    // What the lashings go to: 0 the lashing points, 1 the rails.
    int Option() const;
    CEditLast* Feld(int id) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnNotify(NotifyEvent& event) override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Erstbetreten();
    bool Checked(int id) const;
    void SetChecked(int id, bool on);
    void ShowZurrpunktNamen(int nSub);
    void ColourFields();
    void ShowRailPos();
    void ZeigeOption();
    void SetEcke(int nEcke, int nSub);
    void FeldFokus(int nEcke);
    void SchienenPosGesetzt();
    void SchienenGewaehlt(int id);
    void Aktualisiere(bool bSofort);
    void Meldung(int nText);
    // The chosen rail (radio 1191 / 1192), or null.
    CZurrschiene* GewaehlteSchiene() const;
    CZurrschiene* Schiene(int nIndex) const;
    double BegrenzeSchienenPos(double dMm) const;
    void RepaintView(bool bSofort);

    std::array<QImage, 5> m_bilder;
    QImage m_bildWahl;
    QImage m_bildSkizze;
    int m_nPending = -1;
    bool m_bFokusUeberspringen = false;
    bool m_bErstGetan = false;
    CZurrpunkt m_scratch{0.0, 0.0};
};
