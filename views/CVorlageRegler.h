// The template view's value sliders: which value of the vehicle each kind edits and in which range, and
// what the sliders' value messages do to the vehicle.
#pragma once

#include "views/IValueSlider.h"

#include <QPoint>
#include <QRect>

#include <memory>

class IVorlageReglerQuelle;
class QWidget;
class tagZLINFO;

class CVorlageRegler
{
public:
    // The sliders are made for pOwner, which gets their value messages and hands them to Nachricht.
    CVorlageRegler(IVorlageReglerQuelle& quelle, QWidget* pOwner);
    ~CVorlageRegler();

    // The range a length of the target (1 axle-1 offset, 2 load-area length, 3..8 axle distances,
    // 14 rear coupling offset, 15 coupling offset) may take; false for other targets.
    bool GetLaengenRange(int nTarget, double* pMin, double* pMax) const;
    // Opens the value slider of a kind at a client point for the view's target; false when one is open
    // or the kind needs a selected item that is missing.
    bool OpenSlider(const QPoint& anchor, int nKind, bool bCompact);
    IValueSlider* GetSlider() const { return m_pSlider.get(); }
    int GetSliderKind() const { return m_nSliderKind; }
    // A value message of the open slider (SliderValueEvent); true when it was the sliders'.
    bool Nachricht(int nMsg, double dWert);

    // Which axle value a kind-1 slider edits (0 empty, 1 permissible load, 2/3 the same of the axle
    // group), and which minimum share a kind-2 slider edits (true: the front's).
    int GetLastMode() const { return m_nLastMode; }
    void SetLastMode(int nMode) { m_nLastMode = nMode; }
    bool IsAnteil1() const { return m_bAnteil1; }
    void SetAnteil1(bool bAnteil1) { m_bAnteil1 = bAnteil1; }

    // The additional item being edited and the rectangle it was selected in (kept after the edit).
    tagZLINFO* GetEditZL() const { return m_pEditZL; }
    QRect GetEditZLRect() const { return m_rcEditZL; }
    void SetEditZL(tagZLINFO* pZL, const QRect& rc);
    // The item goes: its slider closes and it is no longer edited.
    void VergissZL(const tagZLINFO* pZL);

    // The values the drags and the sliders set, with what follows a change.
    void SetLFLaenge(double dWert);
    void SetKupplungsversatz(double dWert);
    void SetAchse1Abstand(double dWert);
    void SetKupplung(double dWert);
    // The item's position on the load area; opens the position slider when none is open.
    void SetZLPosition(double dWert);

private:
    // Recalculates, repaints, marks the vehicle and the document modified and tells the other views.
    void CommitChange();

    IVorlageReglerQuelle& m_Quelle;
    QWidget* m_pOwner = nullptr;
    std::unique_ptr<IValueSlider> m_pSlider;
    int m_nSliderKind = 0;
    int m_nEditTarget = 0;
    int m_nLastMode = 0;
    bool m_bAnteil1 = true;
    int m_nGruppe = 0;
    tagZLINFO* m_pEditZL = nullptr;
    QRect m_rcEditZL;
};
