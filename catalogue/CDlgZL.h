// The ZL-item editor: kind, name, sizes, mass, height and distance of one piece of vehicle equipment.
#pragma once

#include "catalogue/FormAblehnung.h"
#include "draw2d/CMemBm.h"
#include "ui/CDlgBase.h"

#include <QString>

class CEditLast;

// The caller sets the kind before running it; every number starts at 0 and the kind's default name is
// written into the name field. OK checks the entries (Pruefe) and stores them in metres and tonnes.
class CDlgZL : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 210;
    static constexpr int kArtAnzahl = 7;
    // Controls of template 210.
    static constexpr int kIdName = 1014;
    static constexpr int kIdGroesse1 = 1041;
    static constexpr int kIdGroesse2 = 1015;
    static constexpr int kIdMasse = 1018;
    static constexpr int kIdHoehe = 1043;
    static constexpr int kIdAbstand = 1017;
    static constexpr int kIdOhneHoehe = 1026;
    static constexpr int kIdMitHoehe = 1027;
    static constexpr int kIdBild = 1028;

    // The entries as the fields show them: millimetres and kilograms.
    struct Eingabe
    {
        int nArt = 0; // -1 when no kind is checked
        QString name;
        double dGroesse1 = 0.0;
        double dGroesse2 = 0.0;
        double dMasse = 0.0;
        double dHoehe = 0.0;
        double dAbstand = 0.0;
        bool bMitHoehe = false;
    };

    // The kind the dialog works with: 0 to 6, any other value 0.
    static int NormArt(int nArt);
    static int RadioId(int nArt);
    static quint32 BildId(int nArt);
    // The default name's text; 625 when no kind is chosen (-1).
    static quint32 StandardNameId(int nArt);
    // Kinds 1 and 5 are placed by a distance, so their distance controls show.
    static bool HatAbstand(int nArt) { return nArt == 1 || nArt == 5; }
    // The checks of OK in their order; an empty answer accepts.
    static FormAblehnung Pruefe(const Eingabe& e);

    explicit CDlgZL(QWidget* parent = nullptr);

    // Set before the dialog runs; read after OK (metres and tonnes).
    int m_nArt = 5;
    QString m_strName;
    double m_dGroesse1 = 0.0;
    double m_dGroesse2 = 0.0;
    double m_dMasse = 0.0;
    double m_dHoehe = 0.0;
    double m_dAbstand = 0.0;
    bool m_bMitHoehe = false;

    CEditLast* Feld(int id) const;
    // Chooses a kind as its radio button does.
    void WaehleArt(int nArt);
    int GewaehlteArt() const;
    const CMemBm& Bild() const { return m_bild; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    void OnOK() override;

private:
    void ZeigeHoehe(bool bMitHoehe);
    Eingabe LeseEingabe() const;

    CMemBm m_bild;
};
