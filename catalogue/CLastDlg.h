// The payload-at-position dialog: the permissible payload for a centre-of-gravity position on the load area.
#pragma once

#include "views/CGetAnsView.h"
#include "views/ILastDlg.h"

#include <QDialog>
#include <QPointer>

class CFahrzeug;
class QLineEdit;

// A tool window bound to one template view, shown without activation at the top-right of the view. It
// closes when its view goes; on destruction every template view drops its pick line.
class CLastDlg : public QDialog, public ILastDlg
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 170;
    static constexpr int kIdPosition = 1044;
    static constexpr int kIdNutzlast = 1047;
    static constexpr int kIdZweiterWert = 1045;
    static constexpr int kIdBerechnen = 1046;
    static constexpr int kIdPickMode = 1013;
    static constexpr double kSchrittMm = 100.0;
    // Messages of the view, posted as events: caption, Enter (recompute), '+' and '-'.
    static constexpr int kMsgTitel = 0x8015;
    static constexpr int kMsgEnter = 0x8016;
    static constexpr int kMsgPlus = 0x8017;
    static constexpr int kMsgMinus = 0x8018;

    // The figure as the dialog keeps it: cut to 0.01 t toward zero.
    static double Kuerze(double dTonnen);

    explicit CLastDlg(CGetAnsView* pView);
    ~CLastDlg() override;

    // Shows the dialog at the top-right of its view's client area without activating it.
    void ZeigeOhneAktivierung();

    // ILastDlg
    void UpdateFromPosition(bool bNotify) override;
    void Schritt(int nRichtung) override;
    void UpdateCaption() override;
    void TogglePickMode(const QPoint* pt) override;
    void UpdateDataGuarded(bool bSave) override;
    double GetPosition() const override { return m_dPosition; }
    void SetPosition(double dMm) override;
    bool IsPickMode() const override { return m_bPickMode; }
    CGetAnsView* GetOwnerView() const override { return m_pView; }
    QWidget* GetWidget() override { return this; }

    double GetNutzlast() const { return m_dErgebnis[0]; }
    double GetZweiterWert() const { return m_dErgebnis[1]; }
    bool IsUngueltig() const { return m_bUngueltig; }
    QLineEdit* Feld(int id) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void accept() override;

private:
    CFahrzeug* ArbeitsFahrzeug() const;
    bool IstImDokument(const CFahrzeug* p) const;

    QPointer<CGetAnsView> m_pView;
    double m_dPosition = 0.0; // mm
    double m_dErgebnis[2] = {0.0, 0.0};
    bool m_bUngueltig = false;
    bool m_bPickMode = false;
    // Compared with the document's vehicles only, never used while it may be gone.
    const CFahrzeug* m_pGemerkt = nullptr;
    bool m_bGuard = false;
};
