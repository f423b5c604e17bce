// What the program keeps for one run and forgets when it ends.
#pragma once

#include "model/securing/SNormParams.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

// The application owns one and hands it to the windows it makes (the views, the load-securing wizard
// through its view, the FSM item editor); a window made without one keeps an own, so its answers
// last as long as the window. Tests make their own the same way.
class ProgramRun
{
public:
    // The answers of the "don't ask again" questions and the notices shown once: they hold for the
    // rest of the run and are asked again in the next.
    struct Antworten
    {
        // Plan view: deleting the selected loads without asking.
        bool bLoeschenNichtFragen = false;
        // Template view: the hint on the vehicle length ticked off.
        bool bLaengenHinweisAus = false;
        // The regulations hint after axle changes (a German interface only) ticked off.
        bool bSliderHinweisAus = false;
        // Load-securing view: the notice on starting the securing (text 533) and the one on missing
        // lashing devices (text 688) ticked off.
        bool bSicherungsHinweisAus = false;
        bool bZurrmittelHinweisAus = false;
        // FSM item editor: closing a placed item without saving needs no confirmation.
        bool bFsmAbbruchFrageAus = false;
        // Securing wizard, blocking page: going back clears the blocking without asking; the notice
        // that moving the unit cleared its blocking was given.
        bool bZurueckOhneFrage = false;
        bool bVerschiebungGemeldet = false;
        // Securing wizard, method page: choosing anew was confirmed.
        bool bNeuWaehlenBestaetigt = false;
        // Securing wizard, dimensions page: the kept answers to the questions about missing lashing
        // points and lashing rails (0: ask).
        int nAntwortPunkte = 0;
        int nAntwortSchienen = 0;
    };

    Antworten& GetAntworten() { return m_antworten; }
    const Antworten& GetAntworten() const { return m_antworten; }

    // Whether the regulations hint is to follow when the next slider of the run closes: a view marks
    // it when it applies an axle value that needs the hint.
    bool IsSliderHinweisAnstehend() const { return m_bSliderHinweisAnstehend; }
    void SetSliderHinweisAnstehend(bool bAnstehend) { m_bSliderHinweisAnstehend = bAnstehend; }

    // The zoom of the template view's last print preparation (0 before the first).
    double GetDruckZoom() const { return m_dDruckZoom; }
    void SetDruckZoom(double dZoom) { m_dDruckZoom = dZoom; }

private:
    Antworten m_antworten;
    double m_dDruckZoom = 0.0;
    bool m_bSliderHinweisAnstehend = false;

public:
    // The view of the run that last received the keyboard focus (its frame shows it active); null
    // once that view is gone.
    QWidget* GetAktiveAnsicht() const { return m_pAktiveAnsicht; }
    void SetAktiveAnsicht(QWidget* pAnsicht) { m_pAktiveAnsicht = pAnsicht; }

    // The securing standards of the load-securing wizard for the run.
    struct Normen
    {
        // The user's own set as last loaded, typed or saved (unset before the coefficients page first
        // showed), and whether it was typed since it was loaded or saved.
        std::optional<SNormParams> eigenerSatz;
        bool bEigenerSatzGeaendert = false;
        // The first standard's c5 as edited (unset: the built-in one).
        std::optional<float> fNorm0C5;
        // The file that keeps the user's set (the per-user data folder when empty).
        QString strDateiPfad;
        // The language whose standards the pages offer (empty: the running language module's).
        QString strSprachCode;
    };
    Normen& GetNormen() { return m_normen; }
    const Normen& GetNormen() const { return m_normen; }

private:
    QPointer<QWidget> m_pAktiveAnsicht;
    Normen m_normen;
};
