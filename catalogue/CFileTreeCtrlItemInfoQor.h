// The record of a catalogue-tree item: the file-tree record with the sample mark and its icon.
#pragma once

#include "catalogue/CFileTreeCtrlItemInfo.h"

class CFileTreeCtrlItemInfoQor : public CFileTreeCtrlItemInfo
{
public:
    std::unique_ptr<CFileTreeCtrlItemInfo> Clone() const override
    {
        return std::make_unique<CFileTreeCtrlItemInfoQor>(*this);
    }

    bool m_bSample = false; // inside a sample folder
    int m_nIcon = -1;       // index into the catalogue pictures; -1 for the system's icon
    int m_nReserved = 0;
};
