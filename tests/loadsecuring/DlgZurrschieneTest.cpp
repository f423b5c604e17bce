// The lashing-rail editor offscreen: the clamps of committed values, the change test in one unit, the
// refusals that keep it open and its end codes.
#include "loadsecuring/CDlgZurrschiene.h"

#include "SampleVehicles.h"
#include "ViewTestSupport.h"
#include "model/vehicle/CFahrzeug.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

void Press(QObject* dialog, int id)
{
    CommandEvent command(static_cast<quint32>(id));
    QCoreApplication::sendEvent(dialog, &command);
}

// Types a text into a field and commits it as Return does; answers what the field holds after.
double Tippe(CDlgZurrschiene& dlg, int id, const QString& text)
{
    CEditLast* e = dlg.Edit(id);
    e->setText(text);
    e->CommitText(true);
    return e->GetDoubleOr(-1.0);
}

} // namespace

TEST(DlgZurrschiene, CommittedValuesAreClampedAndComparedInOneUnit)
{
    EnglishModule module;
    auto lkw = LoadSampleVehicle("LKW"); // 2.48 m wide: at most 1190 mm from the side
    ASSERT_TRUE(lkw);
    struct Fall
    {
        const char* name;
        bool bFahrzeug;
        int id;
        const char* text;
        double erwartet;
        bool bGeaendert;
    };
    const Fall faelle[] = {
        {"distance within the bound", true, CDlgZurrschiene::kAbstandId, "300", 300, true},
        {"distance beyond half the width", true, CDlgZurrschiene::kAbstandId, "1500", 1190, true},
        {"no bound without a vehicle", false, CDlgZurrschiene::kAbstandId, "1500", 1500, true},
        {"the stored distance again is no change", true, CDlgZurrschiene::kAbstandId, "50", 50, false},
        {"4000 mm spacing is kept", true, CDlgZurrschiene::kRasterId, "4000", 4000, true},
        {"4001 mm spacing becomes 4000", true, CDlgZurrschiene::kRasterId, "4001", 4000, true},
        {"the stored spacing again is no change", true, CDlgZurrschiene::kRasterId, "250", 250, false},
        {"another count", true, CDlgZurrschiene::kAnzahlId, "12", 12, true},
        {"the same count", true, CDlgZurrschiene::kAnzahlId, "40", 40, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        CDlgZurrschiene dlg;
        dlg.m_pFahrzeug = f.bFahrzeug ? lkw.get() : nullptr;
        dlg.m_bEdit = 1;
        dlg.m_dAbstand = 0.05;
        dlg.m_dRaster = 0.25;
        dlg.m_nAnzahl = 40;
        dlg.InitDialog();
        EXPECT_EQ(dlg.m_bChanged, 0);
        if (f.id == CDlgZurrschiene::kAnzahlId) {
            CEditLast* e = dlg.Edit(f.id);
            e->setText(QString::fromLatin1(f.text));
            e->CommitText(true);
            EXPECT_EQ(e->GetIntOr(0), static_cast<int>(f.erwartet));
        } else
            EXPECT_NEAR(Tippe(dlg, f.id, QString::fromLatin1(f.text)), f.erwartet, 0.01);
        EXPECT_EQ(dlg.m_bChanged, f.bGeaendert ? 1 : 0);
    }
}

TEST(DlgZurrschiene, MissingValuesKeepItOpenAndOkStoresMetres)
{
    EnglishModule module;
    ScriptedMessageBoxService boxes;
    struct Fall
    {
        const char* name;
        const char* abstand;
        const char* raster;
        const char* anzahl;
        int nText; // 0: accepted
        int nFokus;
    };
    const Fall faelle[] = {
        {"no distance", "", "250", "40", 494, CDlgZurrschiene::kAbstandId},
        {"no spacing", "50", "", "40", 495, CDlgZurrschiene::kRasterId},
        {"a count of 0", "50", "250", "0", 497, CDlgZurrschiene::kAnzahlId},
        {"everything there", "60", "300", "20", 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        boxes.Clear();
        CDlgZurrschiene dlg;
        dlg.show();
        Tippe(dlg, CDlgZurrschiene::kAbstandId, QString::fromLatin1(f.abstand));
        Tippe(dlg, CDlgZurrschiene::kRasterId, QString::fromLatin1(f.raster));
        Tippe(dlg, CDlgZurrschiene::kAnzahlId, QString::fromLatin1(f.anzahl));
        Press(&dlg, CDlgBase::kIdOk);
        if (f.nText == 0) {
            EXPECT_EQ(dlg.result(), CDlgBase::kIdOk);
            EXPECT_TRUE(boxes.Records().isEmpty());
            EXPECT_DOUBLE_EQ(dlg.m_dAbstand, 0.06);
            EXPECT_DOUBLE_EQ(dlg.m_dRaster, 0.3);
            EXPECT_EQ(dlg.m_nAnzahl, 20);
            continue;
        }
        EXPECT_NE(dlg.result(), CDlgBase::kIdOk);
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_EQ(boxes.Records().size(), 1);
        EXPECT_TRUE(boxes.Records()[0].text.endsWith(QStringLiteral("!")));
        EXPECT_EQ(dlg.focusWidget(), dlg.Edit(f.nFokus));
        dlg.reject();
    }
}

TEST(DlgZurrschiene, DeleteEndsItOnlyWhenEditing)
{
    EnglishModule module;
    for (int bEdit : {0, 1}) {
        SCOPED_TRACE(bEdit);
        CDlgZurrschiene dlg;
        dlg.m_bEdit = bEdit;
        dlg.show();
        Press(&dlg, CDlgZurrschiene::kIdLoeschen);
        EXPECT_EQ(dlg.isVisible(), bEdit == 0);
        if (bEdit)
            EXPECT_EQ(dlg.result(), CDlgZurrschiene::kIdLoeschen);
        else
            dlg.reject();
    }
    // The dialog as the user sees it, kept for people to look at.
    CDlgZurrschiene dlg;
    dlg.m_bEdit = 1;
    dlg.m_dAbstand = 0.05;
    dlg.m_dRaster = 0.025;
    dlg.m_nAnzahl = 540;
    dlg.show();
    QCoreApplication::processEvents();
    const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring");
    QDir().mkpath(dir);
    EXPECT_TRUE(dlg.grab().toImage().save(dir + "/rail_editor.png"));
    dlg.reject();
}
