// The vehicle tree with switches that show or hide each vehicle kind and combinations and mark kinds
// as not selectable.
#pragma once

#include "catalogue/CFileTreeCtrlMM.h"

class CFileTreeCtrlFilter : public CFileTreeCtrlMM
{
    Q_OBJECT

public:
    explicit CFileTreeCtrlFilter(QWidget* parent = nullptr);
    ~CFileTreeCtrlFilter() override;

    // Which files are listed: combinations and each vehicle kind 0..5.
    bool m_bShowKombi = false;
    bool m_bShowArt[6] = {true, true, true, true, true, false};
    // Files of a kind whose switch is off are listed in use (kind 5 never).
    bool m_bSelectableArt[5] = {true, false, false, false, true};

    // Sets every show switch of the vehicle kinds and combinations at once.
    void ShowOnly(bool kombi, std::initializer_list<int> kinds);

protected:
    bool AcceptFile(CFileTreeCtrlItemInfoMM& record) const override;
    // Only folders and the accepted vehicle files count.
    bool HasSubEntries(const QString& path) const override;
};
