// The lashing-device editor and its list offscreen: row texts and colours, sorting by the header,
// adding (merging equal devices), the refusals that keep it open, taking devices off.
#include "loadsecuring/CDlgZurrmittel.h"
#include "loadsecuring/CLgSichgDialoge.h"
#include "loadsecuring/ZurrmittelListe.h"

#include "SampleVehicles.h"
#include "ViewTestSupport.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrmittel.h"
#include "ui/CEditLast.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/FadeClock.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

void Press(QObject* dialog, int id)
{
    CommandEvent command(static_cast<quint32>(id));
    QCoreApplication::sendEvent(dialog, &command);
}

void Tippe(CDlgZurrmittel& dlg, int id, const QString& text)
{
    CEditLast* e = dlg.Edit(id);
    e->setText(text);
    e->CommitText(true);
}

CZurrmittel* Neu(int typ, const char* name, double w1, double w2, int anzahl, int zusatz = 0)
{
    auto* p = new CZurrmittel;
    p->m_nTyp = typ;
    p->m_strName = name;
    p->m_dVorspannkraft = w1;
    p->m_dZurrkraft = w2;
    p->m_nAnzahl = anzahl;
    p->m_nTypZusatz = zusatz;
    return p;
}

QStringList Spalte(QTreeWidget* l, int s)
{
    QStringList out;
    for (int r = 0; r < l->topLevelItemCount(); ++r)
        out << l->topLevelItem(r)->text(s);
    return out;
}

// A truck carrying one default strap and three devices of its own.
class DlgZurrmittelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_fahrzeug = LoadSampleVehicle("LKW");
        ASSERT_TRUE(m_fahrzeug);
        m_fahrzeug->m_ZurrmittelKatalog.clear();
        m_fahrzeug->m_ZurrmittelBenutzt.clear();
        m_fahrzeug->m_ZurrmittelKatalog.emplace_back(Neu(0, "Basic", 2500, 500, 4));
        for (CZurrmittel* p : {Neu(0, "Ratchet", 2000, 400, 6, 1), Neu(1, "Chain G8", 0.04, 1000, 0),
                               Neu(0, "Cam", 1000, 300, 2)})
            m_fahrzeug->m_ZurrmittelBenutzt.emplace_back(p);
    }

    QTreeWidgetItem* Zeile(QTreeWidget* l, const char* name)
    {
        for (int r = 0; r < l->topLevelItemCount(); ++r)
            if (l->topLevelItem(r)->text(1).startsWith(QString::fromLatin1(name)))
                return l->topLevelItem(r);
        return nullptr;
    }

    bool Aktiv(CDlgZurrmittel& dlg, int id)
    {
        dlg.KickIdle();
        auto* w = dlg.findChild<QWidget*>(ControlId::ObjectName(id));
        return w && w->isEnabled();
    }

    EnglishModule m_module;
    std::unique_ptr<CFahrzeug> m_fahrzeug;
};

} // namespace

TEST_F(DlgZurrmittelTest, RowsShowTheDevicesInTheirFormats)
{
    const auto zeilen = ZurrmittelListe::Zeilen(*m_fahrzeug);
    struct Fall
    {
        const char* texte[5];
        bool bStandard;
    };
    const Fall faelle[] = {
        {{"Lashing strap", "Basic (standard)", "2500", "500", "4"}, true},
        {{"Lashing strap(long-link)", "Ratchet", "2000", "400", "6"}, false},
        {{"Lashing chain", "Chain G8", "n/a", "1000", "~"}, false},
        {{"Lashing strap", "Cam", "1000", "300", "2"}, false},
    };
    ASSERT_EQ(zeilen.size(), std::size(faelle));
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        SCOPED_TRACE(i);
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(zeilen[i].texte[static_cast<std::size_t>(s)], faelle[i].texte[s]) << "column " << s;
        EXPECT_EQ(zeilen[i].bStandard, faelle[i].bStandard);
    }

    CDlgZurrmittel dlg;
    dlg.m_pFahrzeug = m_fahrzeug.get();
    dlg.show();
    QTreeWidget* l = dlg.Liste();
    ASSERT_EQ(l->topLevelItemCount(), 4);
    // The headers are the numbered texts of the columns, each one of its own.
    const QStringList koepfe = {QStringLiteral("Kind"), QStringLiteral("Name"), QStringLiteral("STF\n[daN]"),
                                QStringLiteral("LC\n[daN]"), QStringLiteral("Count")};
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(l->headerItem()->text(s), koepfe[s]) << s;
    // Kinds, forces and counts are never cut (their columns are as wide as they need); a name the table
    // has no room for shows whole in its tooltip.
    for (int r = 0; r < 4; ++r) {
        QTreeWidgetItem* item = l->topLevelItem(r);
        for (int s : {0, 2, 3, 4})
            EXPECT_LE(l->fontMetrics().horizontalAdvance(item->text(s)), l->columnWidth(s))
                << "row " << r << ", column " << s << " cuts " << item->text(s).toStdString();
        EXPECT_EQ(item->toolTip(1), item->text(1));
    }
    for (int r = 0; r < 4; ++r) {
        QTreeWidgetItem* item = l->topLevelItem(r);
        SCOPED_TRACE(item->text(1).toStdString());
        const QColor erwartet =
            ZurrmittelListe::IstStandard(item) ? QColor(200, 216, 237) : QColor(Qt::white);
        EXPECT_EQ(item->background(3).color(), erwartet);
    }
    // The button strip stands on the colour of default devices, hovered or not.
    const QList<CRibBtnContainer*> streifen = dlg.findChildren<CRibBtnContainer*>();
    ASSERT_EQ(streifen.size(), 1);
    CRibBtnContainer* strip = streifen.front();
    const QPoint frei(strip->width() - 3, strip->height() - 4); // right of the buttons
    EXPECT_EQ(strip->grab().toImage().pixelColor(frei), QColor(200, 216, 237));
    {
        ScopedFadeClock uhr;
        strip->OnMouseMove(frei, strip);
        uhr.Advance(1000);
        strip->StepFades();
        EXPECT_TRUE(strip->MouseInside());
        EXPECT_EQ(strip->grab().toImage().pixelColor(frei), QColor(200, 216, 237));
    }
    const QImage bild = dlg.grab().toImage();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring"));
    EXPECT_TRUE(bild.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/device_editor.png")));
}

TEST_F(DlgZurrmittelTest, HeaderClicksSortAsText)
{
    CDlgZurrmittel dlg;
    dlg.m_pFahrzeug = m_fahrzeug.get();
    dlg.show();
    QTreeWidget* l = dlg.Liste();
    const QStringList auf = {"Basic (standard)", "Cam", "Chain G8", "Ratchet"};
    QStringList ab = auf;
    std::reverse(ab.begin(), ab.end());
    EXPECT_EQ(Spalte(l, 1), auf);
    dlg.KopfKlick(1);
    EXPECT_FALSE(dlg.SortAufsteigend());
    EXPECT_EQ(Spalte(l, 1), ab);
    dlg.KopfKlick(1);
    EXPECT_TRUE(dlg.SortAufsteigend());
    EXPECT_EQ(Spalte(l, 1), auf);
    // Another column: ascending by its text ("1000" < "2000" < "2500" < "n/a").
    dlg.KopfKlick(2);
    EXPECT_EQ(dlg.SortSpalte(), 2);
    EXPECT_EQ(Spalte(l, 2), (QStringList{"1000", "2000", "2500", "n/a"}));
    // Colours follow their rows.
    EXPECT_EQ(Zeile(l, "Basic")->background(0).color(), QColor(200, 216, 237));
    EXPECT_EQ(Zeile(l, "Cam")->background(0).color(), QColor(Qt::white));
}

TEST_F(DlgZurrmittelTest, AddingMergesEqualDevicesOrAddsARow)
{
    ScriptedMessageBoxService boxes;
    struct Fall
    {
        const char* name;
        int typ;
        const char* geraet;
        const char* w1;
        const char* w2;
        const char* anzahl;
        int nZeilen;
        const char* erwartetAnzahl; // column 4 of the row named geraet
    };
    const Fall faelle[] = {
        {"equal device raises the count", 0, "Cam", "1000", "300", "3", 4, "5"},
        {"empty count makes it unlimited", 0, "Cam", "1000", "300", "", 4, "~"},
        {"another name is a new row", 0, "Cam 2", "1000", "300", "3", 5, "3"},
        {"another kind is a new row", 1, "Cam", "1000", "300", "1", 5, "1"},
        {"another value is a new row", 0, "Cam", "1100", "300", "1", 5, "1"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        SetUp();
        CDlgZurrmittel dlg;
        dlg.m_pFahrzeug = m_fahrzeug.get();
        dlg.show();
        EXPECT_EQ(dlg.m_bChanged, 0);
        Press(&dlg, f.typ == 0 ? CDlgZurrmittel::kTyp0Id : CDlgZurrmittel::kTyp1Id);
        dlg.findChild<QAbstractButton*>(
               ControlId::ObjectName(f.typ == 0 ? CDlgZurrmittel::kTyp0Id : CDlgZurrmittel::kTyp1Id))
            ->setChecked(true);
        Tippe(dlg, CDlgZurrmittel::kNameId, QString::fromLatin1(f.geraet));
        Tippe(dlg, CDlgZurrmittel::kVorspannId, QString::fromLatin1(f.w1));
        Tippe(dlg, CDlgZurrmittel::kZurrkraftId, QString::fromLatin1(f.w2));
        Tippe(dlg, CDlgZurrmittel::kAnzahlId, QString::fromLatin1(f.anzahl));
        dlg.Hinzufuegen();
        EXPECT_TRUE(boxes.Records().isEmpty());
        EXPECT_EQ(dlg.m_bChanged, 1);
        QTreeWidget* l = dlg.Liste();
        EXPECT_EQ(l->topLevelItemCount(), f.nZeilen);
        QTreeWidgetItem* treffer = nullptr;
        for (int r = 0; r < l->topLevelItemCount(); ++r) {
            CZurrmittel* p = ZurrmittelListe::Geraet(l->topLevelItem(r));
            if (p->m_strName == f.geraet && p->m_nTyp == f.typ && p->m_dVorspannkraft == std::atof(f.w1))
                treffer = l->topLevelItem(r);
        }
        ASSERT_NE(treffer, nullptr);
        EXPECT_EQ(treffer->text(4), QString::fromLatin1(f.erwartetAnzahl));
        // The fields are ready for the next device.
        EXPECT_EQ(dlg.Edit(CDlgZurrmittel::kAnzahlId)->GetIntOr(0), 1);
    }
}

TEST_F(DlgZurrmittelTest, MissingForceValuesAreRefusedWithTheFocusInTheField)
{
    ScriptedMessageBoxService boxes;
    struct Fall
    {
        const char* name;
        const char* w1;
        bool bOhne;
        const char* w2;
        int nFokus; // 0: added
    };
    const Fall faelle[] = {
        {"no first value", "", false, "300", CDlgZurrmittel::kVorspannId},
        {"second value 0", "1000", false, "0", CDlgZurrmittel::kZurrkraftId},
        {"second value empty", "1000", false, "", CDlgZurrmittel::kZurrkraftId},
        {"first value not given", "", true, "300", 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        SetUp();
        boxes.Clear();
        CDlgZurrmittel dlg;
        dlg.m_pFahrzeug = m_fahrzeug.get();
        dlg.show();
        dlg.findChild<QAbstractButton*>(ControlId::ObjectName(CDlgZurrmittel::kOhneVorspannId))
            ->setChecked(f.bOhne);
        Tippe(dlg, CDlgZurrmittel::kVorspannId, QString::fromLatin1(f.w1));
        Tippe(dlg, CDlgZurrmittel::kZurrkraftId, QString::fromLatin1(f.w2));
        dlg.Hinzufuegen();
        if (f.nFokus == 0) {
            EXPECT_TRUE(boxes.Records().isEmpty());
            EXPECT_EQ(m_fahrzeug->m_ZurrmittelBenutzt.size(), 4u);
            EXPECT_EQ(m_fahrzeug->GetZurrmittelBenutzt().back()->m_dVorspannkraft, 0.0);
            continue;
        }
        ASSERT_EQ(boxes.Records().size(), 1);
        EXPECT_TRUE(boxes.Records()[0].text.endsWith(QStringLiteral("!")));
        // The first value is the tension force STF, the second the lashing capacity LC: the message and
        // the field's label name the same one.
        const QString wert = f.nFokus == CDlgZurrmittel::kVorspannId ? QStringLiteral("tension force STF")
                                                                     : QStringLiteral("lashing capacity LC");
        EXPECT_TRUE(boxes.Records()[0].text.contains(wert)) << boxes.Records()[0].text.toStdString();
        auto* label = dlg.findChild<QLabel*>(QStringLiteral("label_%1").arg(f.nFokus));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->text().contains(wert, Qt::CaseInsensitive)) << label->text().toStdString();
        EXPECT_EQ(dlg.focusWidget(), dlg.Edit(f.nFokus));
        EXPECT_EQ(m_fahrzeug->m_ZurrmittelBenutzt.size(), 3u);
        EXPECT_EQ(dlg.m_bChanged, 0);
    }
}

// A decimal force is refused with the whole daN the field takes (never rounded into the field or the
// list), and nothing is added.
TEST_F(DlgZurrmittelTest, ADecimalForceIsRefusedAndAddsNothing)
{
    ScriptedMessageBoxService boxes;
    for (int feld : {CDlgZurrmittel::kVorspannId, CDlgZurrmittel::kZurrkraftId}) {
        SCOPED_TRACE(feld);
        SetUp();
        boxes.Clear();
        CDlgZurrmittel dlg;
        dlg.m_pFahrzeug = m_fahrzeug.get();
        dlg.show();
        Tippe(dlg, CDlgZurrmittel::kVorspannId, QStringLiteral("300"));
        Tippe(dlg, CDlgZurrmittel::kZurrkraftId, QStringLiteral("2500"));
        // Typed, then the Add button pressed: the field is left for the button.
        dlg.Edit(feld)->setText(QStringLiteral("300.5"));
        dlg.Edit(feld)->CommitText(CEditLast::CommitTrigger::kLeave);
        dlg.Hinzufuegen();
        ASSERT_EQ(boxes.Records().size(), 1);
        const QString text = boxes.Records()[0].html.text;
        EXPECT_TRUE(text.contains(
            QStringLiteral("\u201c300.5\u201d is not a whole number. Enter a whole number from 0 to 99999.")))
            << text.toStdString();
        EXPECT_EQ(dlg.Edit(feld)->text(), QStringLiteral("300.5"));
        EXPECT_EQ(m_fahrzeug->m_ZurrmittelBenutzt.size(), 3u);
        EXPECT_EQ(dlg.m_bChanged, 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(boxes.Records().size(), 1) << "told once";
    }
}

TEST_F(DlgZurrmittelTest, ChoosingARowShowsItsDevice)
{
    CDlgZurrmittel dlg;
    dlg.m_pFahrzeug = m_fahrzeug.get();
    dlg.show();
    QTreeWidget* l = dlg.Liste();
    l->setCurrentItem(Zeile(l, "Chain G8"));
    auto* ohne = dlg.findChild<QAbstractButton*>(ControlId::ObjectName(CDlgZurrmittel::kOhneVorspannId));
    EXPECT_TRUE(ohne->isChecked());
    EXPECT_EQ(dlg.Edit(CDlgZurrmittel::kNameId)->text(), QStringLiteral("Chain G8"));
    EXPECT_FALSE(Aktiv(dlg, CDlgZurrmittel::kVorspannId));
    // Count 0: nothing to lower, but the device can be taken off.
    EXPECT_FALSE(Aktiv(dlg, CDlgZurrmittel::kAbnehmenAnzahlId));
    EXPECT_TRUE(Aktiv(dlg, CDlgZurrmittel::kAbnehmenId));

    l->setCurrentItem(Zeile(l, "Cam"));
    EXPECT_FALSE(ohne->isChecked());
    EXPECT_TRUE(Aktiv(dlg, CDlgZurrmittel::kVorspannId));
    EXPECT_EQ(dlg.Edit(CDlgZurrmittel::kAbnehmenAnzahlId)->GetIntOr(-1), 2);
    EXPECT_TRUE(Aktiv(dlg, CDlgZurrmittel::kAbnehmenAnzahlId));
}

TEST_F(DlgZurrmittelTest, TakingOffLowersTheCountOrRemovesTheDevice)
{
    struct Fall
    {
        const char* name;
        const char* n;
        int nZeilen;
        const char* anzahl; // the row's count after, empty: removed
    };
    const Fall faelle[] = {
        {"fewer lower the count", "2", 4, "4"},
        {"exactly the count removes it", "6", 3, ""},
        {"more remove it", "9", 3, ""},
        {"an empty field removes it", "", 3, ""},
        // The field's empty value is 0: a typed 0 shows "~" and counts as empty.
        {"0 is the empty field", "0", 3, ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        SetUp();
        CDlgZurrmittel dlg;
        dlg.m_pFahrzeug = m_fahrzeug.get();
        dlg.show();
        QTreeWidget* l = dlg.Liste();
        l->setCurrentItem(Zeile(l, "Ratchet"));
        Tippe(dlg, CDlgZurrmittel::kAbnehmenAnzahlId, QString::fromLatin1(f.n));
        dlg.Abnehmen();
        EXPECT_EQ(l->topLevelItemCount(), f.nZeilen);
        EXPECT_EQ(m_fahrzeug->m_ZurrmittelBenutzt.size(), static_cast<std::size_t>(f.nZeilen - 1));
        QTreeWidgetItem* z = Zeile(l, "Ratchet");
        if (*f.anzahl) {
            ASSERT_NE(z, nullptr);
            EXPECT_EQ(z->text(4), QString::fromLatin1(f.anzahl));
        } else {
            EXPECT_EQ(z, nullptr);
            EXPECT_EQ(dlg.GemerkteZeile(), -1);
        }
        EXPECT_EQ(dlg.m_bChanged, 1);
    }
}

TEST_F(DlgZurrmittelTest, DefaultDevicesCannotBeTakenOff)
{
    CDlgZurrmittel dlg;
    dlg.m_pFahrzeug = m_fahrzeug.get();
    dlg.show();
    QTreeWidget* l = dlg.Liste();
    l->setCurrentItem(Zeile(l, "Basic"));
    EXPECT_FALSE(Aktiv(dlg, CDlgZurrmittel::kAbnehmenId));
    Tippe(dlg, CDlgZurrmittel::kAbnehmenAnzahlId, QStringLiteral("9"));
    dlg.Abnehmen();
    EXPECT_EQ(l->topLevelItemCount(), 4);
    EXPECT_EQ(m_fahrzeug->m_ZurrmittelKatalog.size(), 1u);
    EXPECT_EQ(dlg.m_bChanged, 0);
}

TEST_F(DlgZurrmittelTest, WithoutAVehicleTheListIsEmptyAndAddingDisabled)
{
    CDlgZurrmittel dlg;
    dlg.show();
    EXPECT_EQ(dlg.Liste()->topLevelItemCount(), 0);
    EXPECT_FALSE(Aktiv(dlg, CDlgZurrmittel::kHinzuId));
    dlg.Hinzufuegen();
    dlg.Abnehmen();
    EXPECT_EQ(dlg.m_bChanged, 0);
}

TEST(LgSichgDialoge, TheDeviceEditorIsThereForCommand398)
{
    CLgSichgDialoge dialoge;
    for (int id : {397, 748, 398, 33290, 33295})
        EXPECT_TRUE(dialoge.HasEditor(id)) << id;
}
