// The rules by which the load-securing wizard allows or refuses the view's actions.
#include "loadsecuring/LgSichgViewQuery.h"

int LgSichgViewQuery::Ask(int nCode, const LgSichgWert& wert, QString* pMessage, int nDefaultResult) const
{
    if (!m_askPages)
        return nDefaultResult;
    const int n = m_askPages(nCode, wert, pMessage);
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

int LgSichgViewQuery::Query(const Lage& l, int nCode, const LgSichgWert& wert, QString* pMessage,
                            int nDefaultResult, int* pOut) const
{
    QString scratch;
    if (!pMessage)
        pMessage = &scratch;
    pMessage->clear();
    const std::intptr_t nValue = LgSichgZahl(wert);
    const int A = l.nAktiv;
    const int R = l.nReach;
    const int M = l.nVerfahren;
    const int S = l.nOptionS;
    const bool bEinheitWert = l.bEinheit && nValue == l.nEinheitId;
    switch (nCode) {
    case 33:
    case 35:
    case 36:
        if (R < 4)
            return 0;
        if (!m_viewCheck)
            return 0;
        return m_viewCheck(wert, R == 4 ? l.nMethodeSeite11 : M) ? 1 : 0;
    case 48:
        return l.bEinheit && A == 6 && nValue == l.nEinheitModus ? 0 : 1;
    case 19:
        return bEinheitWert && M == 1 ? 0 : 1;
    case 20:
        return bEinheitWert && M == 0 && (l.nStartModus == 0 ? R : A) == 8 ? 0 : 1;
    case 15:
        return bEinheitWert && ((A == 4 && l.nMethodeSeite11 == 1) || (A == 6 && M == 1)) ? 0 : 1;
    case 22:
    case 25:
        return A == 6 && S == 1 ? 0 : 1;
    case 23:
        return A == 6 && S != 0 ? 1 : 0;
    case 24:
    case 53:
    case 54:
        return 1;
    case 44:
        return A != 0 || l.bEinheit ? 1 : 0;
    case 16:
        return A == 4 || A == 6 ? 0 : 1;
    case 21:
        return l.bEinheit && A == 6 && nValue != l.nEinheitModus ? 1 : 0;
    case 26:
    case 27: {
        const int nVerboten = nCode == 26 ? 1 : 0;
        if (A < 4 || A > 7 || (A == 4 && l.nOptionSeite11 == nVerboten) || (A >= 5 && S == nVerboten))
            return 1;
        return 0;
    }
    case 47:
    case 49:
    case 50:
        if (A != 6)
            return 1;
        if (pOut)
            *pOut = l.nFeldNachS;
        return 0;
    case 30:
        if (S == 1 && A >= 5)
            return 1;
        return Ask(nCode, wert, pMessage, nDefaultResult);
    case 12:
        return l.nZweitesWort == 0 || A == 1 ? 0 : Refuse();
    case 61:
        return A == 4 ? 0 : 1;
    case 62:
        return A < 2 ? Ask(nCode, wert, pMessage, nDefaultResult) : Refuse();
    case 5:
        if (A == 1)
            return nValue == 1 || nValue == 2 ? Ask(nCode, wert, pMessage, nDefaultResult) : Refuse();
        return nValue == l.nGewaehlterTab ? Ask(nCode, wert, pMessage, nDefaultResult) : Refuse();
    case 64:
        return Refuse();
    default:
        break;
    }
    if (l.nStatusWort == 0 || nCode == 41 || nCode == 42 ||
        ((nCode == 11 || nCode == 14) && l.bMotorfahrzeug))
        return Ask(nCode, wert, pMessage, nDefaultResult);
    return Refuse();
}
