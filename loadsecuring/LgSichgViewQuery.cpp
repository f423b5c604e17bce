// The rules by which the load-securing wizard allows or refuses the view's actions.
#include "loadsecuring/LgSichgViewQuery.h"

int LgSichgViewQuery::Ask(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage,
                          int nDefaultResult) const
{
    if (!m_askPages)
        return nDefaultResult;
    const int n = m_askPages(eAktion, wert, pMessage);
    return n == -1 ? nDefaultResult : n;
}

int LgSichgViewQuery::AskInOrder(const std::vector<std::function<int(QString*)>>& pages, QString* pMessage)
{
    int nErgebnis = -1;
    for (const auto& page : pages) {
        QString message;
        const int n = page(&message);
        if (n > 0) {
            if (pMessage)
                *pMessage = message;
            return n;
        }
        if (n == 0)
            nErgebnis = 0;
    }
    return nErgebnis;
}

int LgSichgViewQuery::Refuse() const
{
    if (m_tell)
        m_tell();
    return 1;
}

int LgSichgViewQuery::Query(const Lage& l, LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage,
                            int nDefaultResult, int* pOut) const
{
    QString scratch;
    if (!pMessage)
        pMessage = &scratch;
    pMessage->clear();
    if (!LgSichgWertPasst(eAktion, wert))
        return 1;
    using A = LgSichgAktion;
    const std::intptr_t nValue = LgSichgZahl(wert);
    const int nAktiv = l.nAktiv;
    const int nReach = l.nReach;
    const int nVerfahren = l.nVerfahren;
    const int nOption = l.nOptionS;
    const bool bEinheitWert = l.bEinheit && nValue == l.nEinheitId;
    const auto ask = [&] { return Ask(eAktion, wert, pMessage, nDefaultResult); };
    switch (eAktion) {
    case A::kZurrpunktBearbeiten:
    case A::kZurrpunktLoeschen:
    case A::kAlleZurrpunkteLoeschen:
        if (nReach < 4)
            return 0;
        if (!m_viewCheck)
            return 0;
        return m_viewCheck(wert, nReach == 4 ? l.nMethodeSeite11 : nVerfahren) ? 1 : 0;
    case A::kEckePunktZeigen:
        return l.bEinheit && nAktiv == 6 && nValue == l.nEinheitModus ? 0 : 1;
    case A::kEinheitPunkteZeigen:
        return bEinheitWert && nVerfahren == 1 ? 0 : 1;
    case A::kZurrungenZeigen:
        return bEinheitWert && nVerfahren == 0 && (l.nStartModus == 0 ? nReach : nAktiv) == 8 ? 0 : 1;
    case A::kModusEckeZeigen:
        return bEinheitWert && ((nAktiv == 4 && l.nMethodeSeite11 == 1) || (nAktiv == 6 && nVerfahren == 1))
                   ? 0
                   : 1;
    case A::kSchieneWaehlbar:
    case A::kSchienenpunktWaehlbar:
        return nAktiv == 6 && nOption == 1 ? 0 : 1;
    case A::kZurrpunktWaehlbar:
        return nAktiv == 6 && nOption != 0 ? 1 : 0;
    case A::kEckeWaehlbar:
    case A::kEinheitAbwaehlen:
    case A::kEinheitWaehlen:
        return 1;
    case A::kLadungAnklickbar:
        return nAktiv != 0 || l.bEinheit ? 1 : 0;
    case A::kModusEckeSeite:
        return nAktiv == 4 || nAktiv == 6 ? 0 : 1;
    case A::kEckeZurrungHervorheben:
        return l.bEinheit && nAktiv == 6 && nValue != l.nEinheitModus ? 1 : 0;
    case A::kZurrpunkteBlass:
    case A::kSchienenBlass: {
        const int nVerboten = eAktion == A::kZurrpunkteBlass ? 1 : 0;
        if (nAktiv < 4 || nAktiv > 7 || (nAktiv == 4 && l.nOptionSeite11 == nVerboten) ||
            (nAktiv >= 5 && nOption == nVerboten))
            return 1;
        return 0;
    }
    case A::kSichgWahl:
    case A::kZurrpunktWahlPruefen:
    case A::kSchienenBereichPruefen:
        if (nAktiv != 6)
            return 1;
        if (pOut)
            *pOut = l.nFeldNachS;
        return 0;
    case A::kSchienenAendern:
        if (nOption == 1 && nAktiv >= 5)
            return 1;
        return ask();
    case A::kNutzflaecheBearbeiten:
        return l.nZweitesWort == 0 || nAktiv == 1 ? 0 : Refuse();
    case A::kFreieFlaeche:
        return nAktiv == 4 ? 0 : 1;
    case A::kVerlassenGrund12:
        return nAktiv < 2 ? ask() : Refuse();
    case A::kTabWechseln:
        if (nAktiv == 1)
            return nValue == 1 || nValue == 2 ? ask() : Refuse();
        return nValue == l.nGewaehlterTab ? ask() : Refuse();
    case A::kProgrammBeenden:
        return Refuse();
    default:
        break;
    }
    if (l.nStatusWort == 0 || eAktion == A::kZurrpunktZuordnen || eAktion == A::kSchienenpunktZuordnen ||
        ((eAktion == A::kAbkoppeln || eAktion == A::kVerlassenGrund11) && l.bMotorfahrzeug))
        return ask();
    return Refuse();
}
