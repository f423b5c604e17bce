// The lashing-point editor offscreen: positions beyond the load area refused with the focus in place,
// the default strength by mass, the front-wall choice, rows and the state of an edit.
#include "loadsecuring/CDlgZurrpunkte.h"

#include "SampleVehicles.h"
#include "ViewTestSupport.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAbstractButton>
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

// A click on a check box or radio as the user makes it.
void Klick(CDlgZurrpunkte& dlg, int id)
{
    dlg.findChild<QAbstractButton*>(ControlId::ObjectName(id))->click();
}

void Setze(CDlgZurrpunkte& dlg, int id, const QString& text)
{
    dlg.Edit(id)->setText(text);
    dlg.Edit(id)->CommitText(true);
}

} // namespace

TEST(DlgZurrpunkte, PositionsBeyondTheLoadAreaAreRefusedWithTheFocusInTheirField)
{
    EnglishModule module;
    ScriptedMessageBoxService boxes;
    auto lkw = LoadSampleVehicle("LKW"); // 7000 x 2480 mm
    ASSERT_TRUE(lkw);
    struct Fall
    {
        const char* x;
        const char* y;
        int nFokus; // 0: accepted
    };
    for (const Fall& f :
         {Fall{"7001", "500", CDlgZurrpunkte::kXId}, Fall{"3000", "2481", CDlgZurrpunkte::kYId},
          Fall{"7001", "2481", CDlgZurrpunkte::kXId}, Fall{"7000", "2480", 0}}) {
        SCOPED_TRACE(::testing::Message() << f.x << " / " << f.y);
        boxes.Clear();
        CDlgZurrpunkte dlg;
        dlg.m_pFahrzeug = lkw.get();
        dlg.show();
        Setze(dlg, CDlgZurrpunkte::kXId, QString::fromLatin1(f.x));
        Setze(dlg, CDlgZurrpunkte::kYId, QString::fromLatin1(f.y));
        Press(&dlg, CDlgBase::kIdOk);
        if (f.nFokus == 0) {
            EXPECT_EQ(dlg.result(), CDlgBase::kIdOk);
            EXPECT_DOUBLE_EQ(dlg.m_dX, 7.0);
            EXPECT_DOUBLE_EQ(dlg.m_dY, 2.48);
            continue;
        }
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_EQ(boxes.Records().size(), 1);
        EXPECT_EQ(boxes.Records()[0].caption, QString::fromStdString(LoadResString(371)));
        EXPECT_EQ(dlg.focusWidget(), dlg.Edit(f.nFokus));
        dlg.reject();
    }
}

TEST(DlgZurrpunkte, NewPointsStartWithTheVehiclesStrengthAndOffTheEdge)
{
    EnglishModule module;
    for (const auto& [t, daN] :
         std::vector<std::pair<double, double>>{{12.0, 1000}, {3.5, 400}, {18.0, 2000}}) {
        SCOPED_TRACE(t);
        auto f = LoadSampleVehicle("LKW");
        f->m_dZulGesamtgewicht = t;
        CDlgZurrpunkte dlg;
        dlg.m_pFahrzeug = f.get();
        dlg.InitDialog();
        EXPECT_DOUBLE_EQ(dlg.Edit(CDlgZurrpunkte::kKraftId)->GetDoubleOr(0), daN);
        EXPECT_DOUBLE_EQ(dlg.Edit(CDlgZurrpunkte::kYId)->GetDoubleOr(0), 100.0);
        // At the front wall: x 0 and fixed, 1000 daN above 3.5 t, at least 800 mm high.
        Klick(dlg, CDlgZurrpunkte::kEinzelnId);
        Klick(dlg, CDlgZurrpunkte::kStirnId);
        EXPECT_DOUBLE_EQ(dlg.Edit(CDlgZurrpunkte::kXId)->GetDoubleOr(-1), 0.0);
        EXPECT_FALSE(dlg.IsEnabled(CDlgZurrpunkte::kXId));
        EXPECT_FALSE(dlg.IsEnabled(CDlgZurrpunkte::kHintenId));
        EXPECT_DOUBLE_EQ(dlg.Edit(CDlgZurrpunkte::kKraftId)->GetDoubleOr(0), t > 3.5 ? 1000.0 : daN);
        EXPECT_DOUBLE_EQ(dlg.Edit(CDlgZurrpunkte::kDritteId)->GetDoubleOr(0), 800.0);
        // Cleared again: x free, the default strength back, no height.
        Klick(dlg, CDlgZurrpunkte::kStirnId);
        EXPECT_TRUE(dlg.IsEnabled(CDlgZurrpunkte::kXId));
        EXPECT_DOUBLE_EQ(dlg.Edit(CDlgZurrpunkte::kKraftId)->GetDoubleOr(0), daN);
        EXPECT_DOUBLE_EQ(dlg.Edit(CDlgZurrpunkte::kDritteId)->GetDoubleOr(-1), 0.0);
    }
}

TEST(DlgZurrpunkte, ARowNeedsASpacingAndGivesItsValues)
{
    EnglishModule module;
    ScriptedMessageBoxService boxes;
    auto lkw = LoadSampleVehicle("LKW");
    CDlgZurrpunkte dlg;
    dlg.m_pFahrzeug = lkw.get();
    dlg.show();
    Klick(dlg, CDlgZurrpunkte::kReiheId);
    EXPECT_TRUE(dlg.IsEnabled(CDlgZurrpunkte::kAbstandId));
    EXPECT_FALSE(dlg.IsEnabled(CDlgZurrpunkte::kStirnId));
    // "To the end" leaves the count alone.
    dlg.SetChecked(CDlgZurrpunkte::kOhneGrenzeId, false);
    Klick(dlg, CDlgZurrpunkte::kOhneGrenzeId);
    EXPECT_FALSE(dlg.IsEnabled(CDlgZurrpunkte::kAnzahlId));
    Klick(dlg, CDlgZurrpunkte::kOhneGrenzeId);
    EXPECT_TRUE(dlg.IsEnabled(CDlgZurrpunkte::kAnzahlId));
    Setze(dlg, CDlgZurrpunkte::kAbstandId, QStringLiteral("0"));
    Press(&dlg, CDlgBase::kIdOk);
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(dlg.focusWidget(), dlg.Edit(CDlgZurrpunkte::kAbstandId));
    Setze(dlg, CDlgZurrpunkte::kAbstandId, QStringLiteral("1200"));
    Setze(dlg, CDlgZurrpunkte::kAnzahlId, QStringLiteral("4"));
    Setze(dlg, CDlgZurrpunkte::kXId, QStringLiteral("500"));
    Press(&dlg, CDlgBase::kIdOk);
    EXPECT_EQ(dlg.result(), CDlgBase::kIdOk);
    EXPECT_EQ(dlg.m_nReihe, 1);
    EXPECT_DOUBLE_EQ(dlg.m_dAbstand, 1.2);
    EXPECT_DOUBLE_EQ(dlg.m_dAnzahl, 4.0);
    EXPECT_EQ(dlg.m_bOhneGrenze, 0);
    EXPECT_EQ(dlg.m_bBeide, 1); // both sides is the new point's default
}

TEST(DlgZurrpunkte, AnEditKeepsThePointsKindAndOffersNoRow)
{
    EnglishModule module;
    auto lkw = LoadSampleVehicle("LKW");
    CZurrpunkt* p = lkw->GetZurrpunktListe().front(); // a front point of the sample
    CDlgZurrpunkte dlg;
    dlg.m_pFahrzeug = lkw.get();
    dlg.m_pPunkt = p;
    dlg.m_bEdit = 1;
    dlg.m_nMode = p->m_nFlags & 7;
    dlg.m_dX = p->m_dAbstandLaengs;
    dlg.m_dY = p->m_dAbstandQuer;
    dlg.m_dKraft = 1500;
    dlg.show();
    EXPECT_FALSE(dlg.IsEnabled(CDlgZurrpunkte::kReiheId));
    EXPECT_FALSE(dlg.IsEnabled(CDlgZurrpunkte::kBeideId));
    EXPECT_FALSE(dlg.IsEnabled(CDlgZurrpunkte::kStirnId));
    EXPECT_TRUE(dlg.IsChecked(CDlgZurrpunkte::kStirnId));
    // A front point opens as the front-wall choice does: 1000 daN on a vehicle above 3.5 t.
    EXPECT_DOUBLE_EQ(dlg.Edit(CDlgZurrpunkte::kKraftId)->GetDoubleOr(0), 1000.0);
    EXPECT_EQ(dlg.focusWidget(), dlg.Edit(CDlgZurrpunkte::kYId));
    QCoreApplication::processEvents();
    const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring");
    QDir().mkpath(dir);
    EXPECT_TRUE(dlg.grab().toImage().save(dir + "/point_editor.png"));
    Press(&dlg, CDlgBase::kIdOk);
    EXPECT_EQ(dlg.result(), CDlgBase::kIdOk);
    EXPECT_EQ(dlg.m_nReihe, -1);
    EXPECT_EQ(dlg.m_nMode & 4, 4);
}
