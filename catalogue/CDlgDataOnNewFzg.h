// The new-vehicle form: name, kind and width of a vehicle made from a sample.
#pragma once

#include "catalogue/FormAblehnung.h"
#include "ui/CDlgBase.h"

#include <array>

class CEditLast;
class QComboBox;

class CDlgDataOnNewFzg : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 269;
    static constexpr int kIdName = 1014;
    static constexpr int kIdArten = 1149;
    static constexpr int kIdBreite = 1054;
    static constexpr int kIdBreiteText = 1133;
    static constexpr int kIdVariante1 = 1100;
    static constexpr int kIdVariante2 = 1101;

    // One entry of the kind list: its text and the vehicle kind it stands for.
    struct SEintrag
    {
        quint32 nText;
        int nArt;
    };
    static const std::array<SEintrag, 6>& Eintraege();

    // What choosing an entry does to the form.
    struct SZustand
    {
        double dBreiteVorgabe = 2550.0; // restore value of the width field, mm
        bool bBreiteSichtbar = true;    // the width field, and 1133 enabled
        bool bVarianten = false;        // the radio buttons 1100 and 1101
    };
    static SZustand Zustand(int nArt);
    // A committed width in mm: 1000 to 5000.
    static double KlemmeBreite(double dMm);
    // The name must not be blank; the width must not be empty while it is shown.
    static FormAblehnung Pruefe(const QString& name, bool bBreiteLeer, bool bBreiteSichtbar);

    explicit CDlgDataOnNewFzg(QWidget* parent = nullptr);

    // Read after OK.
    QString m_strName;
    int m_nArt = 0;
    int m_nVariante = 1;    // 1 for radio 1100, 2 for 1101
    double m_dBreite = 0.0; // metres

    CEditLast* BreitenFeld() const;
    QComboBox* Liste() const;
    // Chooses the entry at `index` as the list does.
    void WaehleEintrag(int index);

protected:
    bool OnInitDialog() override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;
    void OnOK() override;
};
