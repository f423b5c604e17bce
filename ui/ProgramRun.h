// What the program keeps for one run and forgets when it ends.
#pragma once

#include "model/securing/SNormParams.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <map>
#include <optional>
#include <typeindex>

// The application owns one and hands it to the windows it makes (the views, the load-securing wizard
// through its view, the FSM item editor); a window made without one keeps an own, so its answers
// last as long as the window. Tests make their own the same way.
//
// The run also holds the services its windows use (the view shell, the plan and securing dialogs,
// the slider factory, the 3D services), one per interface: the views reach theirs through the run with
// the interface's static `Of`, which falls back to the interface's defaults when the run holds none.
// The run does not own them; whoever installs one removes it before it goes (ServiceInstallation does
// both). Only the application and its main frame install services in the program's run.
class ProgramRun
{
public:
    // The service of interface `Service` installed in this run, or null.
    template <class Service> Service* Find() const
    {
        const auto it = m_services.find(std::type_index(typeid(Service)));
        return it == m_services.end() ? nullptr : static_cast<Service*>(it->second);
    }
    // Installs `pService` for interface `Service` in place of the one before; null removes it.
    template <class Service> void Install(Service* pService)
    {
        if (pService)
            m_services[std::type_index(typeid(Service))] = pService;
        else
            m_services.erase(std::type_index(typeid(Service)));
    }

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
    std::map<std::type_index, void*> m_services;
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

// Installs a service in a run for its own lifetime and removes it again, unless another took its place.
template <class Service> class ServiceInstallation
{
public:
    ServiceInstallation(ProgramRun& run, Service& service) : m_run(run), m_service(service)
    {
        m_run.Install<Service>(&m_service);
    }
    ~ServiceInstallation()
    {
        if (m_run.Find<Service>() == &m_service)
            m_run.Install<Service>(nullptr);
    }
    ServiceInstallation(const ServiceInstallation&) = delete;
    ServiceInstallation& operator=(const ServiceInstallation&) = delete;

private:
    ProgramRun& m_run;
    Service& m_service;
};
