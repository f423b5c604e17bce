// The record every file-tree item carries: its path, shown name, kind and flags.
#pragma once

#include <QString>

#include <memory>

class CFileTreeCtrlItemInfo
{
public:
    // Item kinds, in the order the tree sorts them first.
    enum Kind
    {
        kDesktop = 0,
        kNetwork = 1,
        kDocuments = 2,
        kComputer = 3,
        kProfile = 4,
        kFileSystem = 5,
    };

    CFileTreeCtrlItemInfo() = default;
    CFileTreeCtrlItemInfo(const CFileTreeCtrlItemInfo&) = default;
    CFileTreeCtrlItemInfo& operator=(const CFileTreeCtrlItemInfo&) = default;
    virtual ~CFileTreeCtrlItemInfo() = default;
    // A copy of the same record class (the program's trees keep larger records).
    virtual std::unique_ptr<CFileTreeCtrlItemInfo> Clone() const
    {
        return std::make_unique<CFileTreeCtrlItemInfo>(*this);
    }

    QString m_strFilePath;
    QString m_strFileName;
    int m_nItemKind = kFileSystem;
    bool m_bExtensionHidden = false;
    bool m_bFileItem = false;
};
