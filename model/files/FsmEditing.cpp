// The FSM item editor's checks, its placed-mode start value, and the file of an entry.
#include "model/files/FsmEditing.h"

#include "model/text/TextProvider.h"

namespace fs = std::filesystem;

FsmAblehnung ValidateFsm(const FsmEingabe& eingabe, FsmEditorWerte& werte)
{
    werte.strName = eingabe.strName;
    if (werte.strName.empty())
        return {kFsmFeldName, 219};
    werte.dLaenge = eingabe.dLaengeMm.value_or(0.0) / 1000.0;
    if (werte.dLaenge == 0.0)
        return {kFsmFeldLaenge, 469};
    werte.dBreite = eingabe.dBreiteMm ? *eingabe.dBreiteMm / 1000.0 : -1.0;
    if (werte.dBreite < 0.0)
        return {kFsmFeldBreite, 470};
    werte.dHoehe = eingabe.dHoeheMm.value_or(0.0) / 1000.0;
    if (werte.dHoehe == 0.0 && werte.nTyp != 5)
        return {kFsmFeldHoehe, 471};
    werte.dMasse = eingabe.dMasseKg ? *eingabe.dMasseKg / 1000.0 : -1.0;
    if (werte.dMasse < 0.0)
        return {kFsmFeldMasse, 141};
    werte.strText = eingabe.strText;
    if (!werte.bPlatziert)
        return {};
    werte.nSeite = eingabe.nSeiteIndex;
    if (werte.nSeite == 0)
        return {kFsmFeldSeite, 570};
    werte.nZellen = eingabe.nZellen;
    if (werte.nZellen == 0)
        return {kFsmFeldZellen, 448};
    werte.nKontakt = eingabe.nKontaktIndex + 1;
    return {};
}

int FsmStartZellen(const FsmEditorWerte& werte)
{
    if (werte.nKatSeite != werte.nSeite)
        return werte.nZellen;
    if (werte.nKatKontakt == werte.nKontakt)
        return werte.nKatZellen;
    return werte.nZellen;
}

bool FsmNameZuPruefen(const FsmEditorWerte& werte)
{
    if (werte.bPlatziert)
        return false;
    return werte.nModus != 0 || werte.strName != werte.strStartName;
}

fs::path FsmItemPath(const fs::path& fsmFolder, const std::string& name)
{
    return fsmFolder / LoadResString(518) / (name + ".fsm");
}

void FsmWerteInItem(const FsmEditorWerte& werte, tagItemData& item)
{
    item.m_strName = werte.strName;
    item.m_dLaenge = werte.dLaenge;
    item.m_dBreite = werte.dBreite;
    item.m_dHoehe = werte.dHoehe;
    item.m_dMasse = werte.dMasse;
    item.m_strText = werte.strText;
}

void FsmItemInWerte(const tagItemData& item, FsmEditorWerte& werte)
{
    werte.strName = item.m_strName;
    werte.dLaenge = item.m_dLaenge;
    werte.dBreite = item.m_dBreite;
    werte.dHoehe = item.m_dHoehe;
    werte.dMasse = item.m_dMasse;
    werte.strText = item.m_strText;
    werte.nTyp = item.m_nArt;
}

bool SaveFsmItem(tagItemData& item, const fs::path& currentPath, const fs::path& newPath, bool pictureChanged,
                 const fs::path& pictureFolder, const PictureWriter& writePicture, bool* pictureKept)
{
    const fs::path& path = newPath.empty() ? currentPath : newPath;
    if (path.empty())
        return false;
    return SaveItemWithPicture(item, path, newPath.empty() ? fs::path() : currentPath, pictureChanged,
                               pictureFolder, writePicture, pictureKept);
}
