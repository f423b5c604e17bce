// The overhang form: how far a load may stand over the load area at each of four sides.
#pragma once

#include "catalogue/FormAblehnung.h"
#include "ui/CDlgBase.h"

#include <array>

class CEditLast;

class CDlgLgUeberstand : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 567;
    static constexpr int kIdErstes = 1103; // fields 1103 to 1106

    // A committed overhang in mm of field 0 to 3: the first at most 2000, the others at most 5000.
    static double Klemme(int nFeld, double dMm);
    // With the warning asked for, four zero values are refused.
    static FormAblehnung Pruefe(const std::array<double, 4>& dMm, bool bNullWarnung);

    explicit CDlgLgUeberstand(QWidget* parent = nullptr);

    // Metres; set before, read after OK.
    std::array<double, 4> m_dWerte{};
    // Whether four zero values are refused.
    bool m_bNullWarnung = false;

    CEditLast* Feld(int nFeld) const;

protected:
    bool OnInitDialog() override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;
    void OnOK() override;
};
