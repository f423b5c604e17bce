// The values of a catalogue item that a placed load takes over.
#include "model/files/LadungVorlage.h"

#include "model/files/tagItemData.h"

SLadungVorlage GetLadungVorlage(const tagItemData& item)
{
    SLadungVorlage v;
    v.nArt = item.m_nArt;
    v.strName = item.m_strName;
    v.dLaenge = item.m_dLaenge;
    v.dBreite = item.m_dBreite;
    v.dHoehe = item.m_dHoehe;
    v.dSPLaenge = item.m_dSPLaenge;
    v.dSPBreite = item.m_dSPBreite;
    v.dSPHoehe = item.m_dSPHoehe;
    v.dMasse = item.m_dMasse;
    v.strText = item.m_strText;
    v.strBildDatei = item.m_strBildDatei;
    v.strBildQuelle = item.m_strBildQuelle;
    return v;
}
