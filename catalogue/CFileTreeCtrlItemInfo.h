// The record every file-tree item carries: its path, shown name, kind and flags.
#pragma once

#include <QString>

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

    QString m_strFilePath;
    QString m_strFileName;
    int m_nItemKind = kFileSystem;
    bool m_bExtensionHidden = false;
    bool m_bFileItem = false;
};
