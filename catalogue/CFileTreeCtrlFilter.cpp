// The vehicle tree with switches that show or hide each vehicle kind and combinations and mark kinds
// as not selectable.
#include "catalogue/CFileTreeCtrlFilter.h"

#include <QDir>

CFileTreeCtrlFilter::CFileTreeCtrlFilter(QWidget* parent) : CFileTreeCtrlMM(parent) {}

CFileTreeCtrlFilter::~CFileTreeCtrlFilter() = default;

void CFileTreeCtrlFilter::ShowOnly(bool kombi, std::initializer_list<int> kinds)
{
    m_bShowKombi = kombi;
    for (bool& show : m_bShowArt)
        show = false;
    for (int kind : kinds)
        if (kind >= 0 && kind < 6)
            m_bShowArt[kind] = true;
}

bool CFileTreeCtrlFilter::AcceptFile(CFileTreeCtrlItemInfoMM& record) const
{
    const int kind = record.m_nFahrzeugTyp;
    const bool kombi = (kind == 0 || kind == 4) && record.m_nMoreVehicles > 0;
    if (kombi ? !m_bShowKombi : (kind < 0 || kind > 5 || !m_bShowArt[kind]))
        return false;
    if (!record.m_bInUse && kind < 5 && !m_bSelectableArt[kind]) {
        record.m_bInUse = true;
        record.m_nIcon = IconFor(record);
    }
    return true;
}

bool CFileTreeCtrlFilter::HasSubEntries(const QString& path) const
{
    for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (CanDisplayFolder(entry))
            return true;
    for (const QFileInfo& entry : MatchingFiles(path)) {
        CFileTreeCtrlItemInfoMM record;
        if (ReadVehicleFile(entry.absoluteFilePath(), record) && AcceptFile(record))
            return true;
    }
    return false;
}
