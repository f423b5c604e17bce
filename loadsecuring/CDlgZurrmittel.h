// The lashing-device editor: the devices of one vehicle in a sortable list; adding devices, lowering
// a device's count and taking a device off the vehicle, each applied to the vehicle at once.
#pragma once

#include "ui/CDlgBase.h"

#include <QImage>

class CEditLast;
class CFahrzeug;
class CQORLgSicherungView;
class QTreeWidget;
class QTreeWidgetItem;

// The caller sets the vehicle and the view before exec() and reads m_bChanged after it.
class CDlgZurrmittel : public CDlgBase
{
public:
    static constexpr quint32 kTemplateId = 608;
    static constexpr int kListeId = 1209;
    static constexpr int kNameId = 1014;
    static constexpr int kVorspannId = 1128;
    static constexpr int kZurrkraftId = 1137;
    static constexpr int kAnzahlId = 1194;
    static constexpr int kAbnehmenAnzahlId = 1195;
    static constexpr int kTyp0Id = 1214;
    static constexpr int kTyp1Id = 1191;
    static constexpr int kTyp2Id = 1215;
    static constexpr int kOhneVorspannId = 1098;
    static constexpr int kHinzuId = 1184;
    static constexpr int kAbnehmenId = 1185;
    static constexpr int kTypBildId = 1219;
    static constexpr int kBildId = 1217;

    explicit CDlgZurrmittel(QWidget* parent = nullptr);

    CFahrzeug* m_pFahrzeug = nullptr;
    CQORLgSicherungView* m_pView = nullptr;
    int m_bChanged = 0;

    CEditLast* Edit(int id) const;
    QTreeWidget* Liste() const;
    int SortSpalte() const { return m_nSortSpalte; }
    bool SortAufsteigend() const { return m_bAufsteigend; }
    int GemerkteZeile() const { return m_nZeile; }

    // Button 1184: forms a device from the fields and adds it to the vehicle (an equal one's count
    // rises); refuses an empty tension force STF (348) or a lashing capacity LC of 0 (349) with the
    // focus there.
    void Hinzufuegen();
    // Button 1185: lowers the remembered row's count by field 1195, or takes the device off when the
    // field is empty or holds at least its count.
    void Abnehmen();
    // A click on a column header.
    void KopfKlick(int nSpalte);
    // A row chosen: the fields show its device.
    void ZeileGewaehlt(QTreeWidgetItem* pZeile);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    // The button strip stands on the list's colour of default devices, hovered or not.
    void OnRibBtnContainerCreated(IButtonStrip* strip, int placeholderId) override;

private:
    void Fuelle();
    void Verweigere(int id, int nText);
    void Benachrichtige();
    int Typ() const;

    int m_nSortSpalte = 1;
    bool m_bAufsteigend = true;
    int m_nZeile = -1;
    bool m_bBeschaeftigt = false;
    // The dialog's picture and the pictures of a strap and of a chain (resource bitmaps).
    static constexpr int kBildZurrmittel = 612;
    static constexpr int kBildGurt = 615;
    static constexpr int kBildKette = 616;
    QImage m_bildZurrmittel;
    QImage m_bildGurt;
    QImage m_bildKette;
};
