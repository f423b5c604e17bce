// The mass form: one mass in kilograms between a lower and an upper limit.
#pragma once

#include "catalogue/FormAblehnung.h"
#include "ui/CDlgBase.h"

class CEditLast;

class CDlgEditGewicht : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 794;
    static constexpr int kIdMasse = 1018;

    // A committed mass in kg, held within the limits in tonnes.
    static double Klemme(double dKg, double dUntergrenze, double dObergrenze);
    // OK with an empty or unreadable field is refused.
    static FormAblehnung Pruefe(bool bLeer);

    explicit CDlgEditGewicht(QWidget* parent = nullptr);

    double m_dMasse = 0.0; // tonnes
    double m_dUntergrenze = 0.0;
    double m_dObergrenze = 40.0;

    CEditLast* Feld() const;

protected:
    bool OnInitDialog() override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;
    void OnOK() override;
};
