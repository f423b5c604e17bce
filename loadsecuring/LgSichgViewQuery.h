// The load-securing wizard's answer to the view's question whether an action is allowed.
#pragma once

#include "loadsecuring/LgSichgAktion.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// The rules by action code over the wizard's state; asking the pages, the view's own check and telling
// the user are given as functions, so the table runs without widgets.
class LgSichgViewQuery
{
public:
    // What the rules read. Unit values are those of the plan's active unit (no unit: bEinheit false).
    struct Lage
    {
        int nAktiv = 0;          // the active page index
        int nReach = -1;         // the furthest page index entered
        int nStartModus = 0;     // the mode value: 0, 2 or 3
        int nVerfahren = 0;      // the method of the working settings: 0 simple, 1 detailed
        int nOptionS = -1;       // the option of the method page: -1 unset, 0, 1
        int nFeldNachS = 0;      // the securing choice that follows the option
        int nZweitesWort = 0;    // the working settings' second word (blocked)
        int nStatusWort = 0;     // set to 2 by every page activation
        int nMethodeSeite11 = 0; // the method checked on the method page
        int nOptionSeite11 = 0;  // that page's option value
        bool bEinheit = false;
        int nEinheitId = 0;
        int nEinheitModus = 0;       // the unit's securing mode
        int nGewaehlterTab = -1;     // the selected tab of the active child frame's tabbed view
        bool bMotorfahrzeug = false; // the vehicle worked on is of the motor-vehicle kind
    };

    // The pages' answer: positive refuses with *pMessage, 0 allows, -1 none has an opinion.
    using AskPages = std::function<int(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage)>;
    // The view's own check whether the lashing points `wert` names are in use under method nMethode.
    using ViewCheck = std::function<bool(const LgSichgWert& wert, int nMethode)>;
    // Tells the user the action is not possible while the wizard is open.
    using Tell = std::function<void()>;

    AskPages m_askPages;
    ViewCheck m_viewCheck;
    Tell m_tell;

    // Nonzero refuses (with *pMessage when a page gave a reason), 0 allows; a value of another kind
    // than the action takes is refused without asking anyone. *pOut gets the securing choice for
    // kSichgWahl, kZurrpunktWahlPruefen and kSchienenBereichPruefen on the securing-choice page.
    int Query(const Lage& lage, LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage,
              int nDefaultResult, int* pOut) const;

    // Asks the pages in the order given (the active page first): the first positive answer wins with its
    // message; otherwise 0 when one page allowed, else -1.
    static int AskInOrder(const std::vector<std::function<int(QString*)>>& pages, QString* pMessage);

private:
    int Ask(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage, int nDefaultResult) const;
    int Refuse() const;
};
