// The record of one drawn additional item: where it lies on the device and which item it is.
#pragma once

#include <QRect>

class tagZLINFO;

struct SGuiZL
{
    QRect m_rc; // device coordinates
    tagZLINFO* m_pZL = nullptr;
};
