// The record of one drawn axle.
#include "draw2d/SGuiAchse.h"

SGuiAchse::SGuiAchse(const std::string& name, double dLeerlast, double dZulLast, const QRect& rc, int nIndex)
    : m_szName(name.substr(0, 19)), m_dLeerlast(dLeerlast), m_dZulLast(dZulLast), m_rc(rc), m_nIndex(nIndex)
{
}
