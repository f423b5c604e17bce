// The lashing-rail editor: the distance of the vehicle's rails from the side of the load area, the
// spacing and the count of their anchors.
#pragma once

#include "ui/CDlgBase.h"

#include <QImage>

class CEditLast;
class CFahrzeug;

// The caller sets the values (metres) and the edit flag before exec(); after 668 it reads them back.
// The dialog ends with 668 (OK), 755 (delete the rails, only when editing) or 705.
class CDlgZurrschiene : public CDlgBase
{
public:
    static constexpr quint32 kTemplateId = 750;
    static constexpr int kIdLoeschen = 755;
    static constexpr int kAbstandId = 1245;
    static constexpr int kRasterId = 1277;
    static constexpr int kAnzahlId = 1279;
    static constexpr int kBildId = 1195;
    static constexpr double kMaxRasterMm = 4000.0;

    explicit CDlgZurrschiene(QWidget* parent = nullptr);

    int m_bChanged = 0;
    int m_bEdit = 0;
    CFahrzeug* m_pFahrzeug = nullptr;
    double m_dAbstand = -1.0; // metres
    double m_dRaster = 0.0;   // metres
    int m_nAnzahl = 0;

    // The largest distance from the side (mm) a vehicle allows: half its width less 0.1 m; none
    // (a negative answer) without a vehicle.
    static double MaxAbstandMm(const CFahrzeug* pFahrzeug);
    CEditLast* Edit(int id) const;

protected:
    bool OnInitDialog() override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    void OnOK() override;

private:
    // Refuses an empty field: message "$S!" of the text, the focus back in the field.
    void Verweigere(int id, int nText);

    QImage m_bild;
};
