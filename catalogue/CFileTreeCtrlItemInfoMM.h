// The record of a vehicle-tree item: the file-tree record with sample and in-use marks, kind and icon.
#pragma once

#include "catalogue/CFileTreeCtrlItemInfo.h"

class CFileTreeCtrlItemInfoMM : public CFileTreeCtrlItemInfo
{
public:
    std::unique_ptr<CFileTreeCtrlItemInfo> Clone() const override
    {
        return std::make_unique<CFileTreeCtrlItemInfoMM>(*this);
    }

    bool m_bSample = false;  // inside a sample folder
    bool m_bInUse = false;   // held by another writer, or not selectable in this tree
    int m_nFile = 0;         // 1 for file items
    int m_nFahrzeugTyp = -1; // kind 0..5 of the file's first vehicle
    int m_nMoreVehicles = 0; // further vehicles in the file (a combination has one or more)
    int m_nIcon = -1;        // index into the catalogue pictures; -1 for the system's icon
};
