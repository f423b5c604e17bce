// The lashing-point editor: a point's kind, position and strength, and for a new point optionally a row
// of equal points, on both sides and replacing points nearby.
#pragma once

#include "ui/CDlgBase.h"

#include <QImage>

#include <array>

class CEditLast;
class CFahrzeug;
class CZurrpunkt;

// The caller sets the values before exec() and reads them after OK (lengths in metres, strength daN).
class CDlgZurrpunkte : public CDlgBase
{
public:
    static constexpr quint32 kTemplateId = 596;
    static constexpr int kXId = 1030, kYId = 1031, kDritteId = 1047, kKraftId = 1150;
    static constexpr int kAbstandId = 1151, kAnzahlId = 1152;
    static constexpr int kRechtsId = 1200, kLinksId = 1191, kVornId = 1196, kHintenId = 1197;
    static constexpr int kEinzelnId = 1201, kReiheId = 1202;
    static constexpr int kStirnId = 1203, kBeideId = 1092, kErsetzenId = 1093, kOhneGrenzeId = 1141;
    static constexpr int kBildId = 1195, kReiheTextId = 1204, kXTextId = 1207, kYTextId = 1208;

    explicit CDlgZurrpunkte(QWidget* parent = nullptr);

    CZurrpunkt* m_pPunkt = nullptr; // the point edited, null for a new one
    int m_bEdit = 0;
    CFahrzeug* m_pFahrzeug = nullptr;
    // Bit 1 from the front (1196), bit 2 the other side (1191), bit 4 at the front wall (1203).
    int m_nMode = 1;
    double m_dX = 0.0, m_dY = 0.0, m_dDritte = 0.0, m_dKraft = 0.0;
    int m_nReihe = 0; // -1 editing; else whether a row was chosen
    int m_bBeide = 0;
    int m_bErsetzen = 0;
    double m_dAbstand = 1.0;
    double m_dAnzahl = 1.0;
    int m_bOhneGrenze = 0;

    // The picture of a mode: (mode & 3) 0 -> 601, 1 -> 600, 2 -> 599, 3 -> 598.
    static int BildId(int nMode);
    CEditLast* Edit(int id) const;
    bool IsChecked(int id) const;
    void SetChecked(int id, bool b);
    // A control's enabled state, for the caller and tests.
    bool IsEnabled(int id) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    void OnOK() override;

private:
    void Freigabe(int id, bool b);
    void SetText(int id, int nText);
    void Seite();
    void Anzahl();
    void Stirn();
    void Beide();
    void YText();

    std::array<QImage, 4> m_bilder;
};
