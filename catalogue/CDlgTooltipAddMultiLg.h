// The popup of the loading ramp that asks how many copies of the selected item to add, and the mass of each.
#pragma once

#include "ui/CDlgTooltip.h"

class CEditLast;
class IAddMultiLgOwner;
class QAbstractButton;

class CDlgTooltipAddMultiLg : public CDlgTooltip
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 1201;
    static constexpr int kIdAnzahl = 1194;
    static constexpr int kIdMasse = 1018;
    static constexpr int kIdHinzufuegen = 1065;
    static constexpr int kAnzahlMin = 1;
    static constexpr int kAnzahlMax = 100;
    static constexpr double kMasseMinKg = 10.0;
    static constexpr double kMasseMaxKg = 48000.0;

    // `ownerWidget` gets the closed event and keeps the panel above its window; `owner` the values.
    CDlgTooltipAddMultiLg(QWidget* ownerWidget, IAddMultiLgOwner* owner);

    // The number of copies: 0 until the user set one, counted as 1.
    int GetAnzahl() const { return m_nAnzahl == 0 ? 1 : m_nAnzahl; }
    // The mass of one copy (tonnes); shown in the field while the panel is visible.
    void SetMasse(double dTonnen);
    double GetMasse() const { return m_dMasse; }

    // Shows the panel with the count and mass; a panel not shown before gives the count the focus.
    void ShowAtCursor(int dx, int dy, int placement) override;
    // Reports the count to the owner (an empty count as 1) and hides unless pinned.
    void HidePopup() override;
    // The add button: both fields are committed with their limits, then the owner gets the values.
    void Hinzufuegen();

    CEditLast* AnzahlFeld() const { return m_pAnzahl; }
    CEditLast* MasseFeld() const { return m_pMasse; }
    QAbstractButton* HinzufuegenKnopf() const { return m_pKnopf; }

    // Esc: closes without taking the typed count.
    void reject() override;

protected:
    bool event(QEvent* e) override;
    // Return in either field adds the copies and closes.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    IAddMultiLgOwner* m_pOwner;
    QWidget* m_pOwnerWidget;
    CEditLast* m_pAnzahl = nullptr;
    CEditLast* m_pMasse = nullptr;
    QAbstractButton* m_pKnopf = nullptr;
    int m_nAnzahl = 0;
    double m_dMasse = 0.0;
};
