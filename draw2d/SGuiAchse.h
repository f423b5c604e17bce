// The record of one drawn axle: its label, loads, hot-spot rectangle and index.
#pragma once

#include <QRect>

#include <string>

class SGuiAchse
{
public:
    SGuiAchse() = default;
    SGuiAchse(const std::string& name, double dLeerlast, double dZulLast, const QRect& rc, int nIndex);

    // The label, at most 19 characters as the editing code shows it.
    std::string m_szName;
    double m_dLeerlast = 0.0;
    double m_dZulLast = 0.0;
    QRect m_rc; // device coordinates
    int m_nIndex = -1;
    int m_nFlag = 0;
};
