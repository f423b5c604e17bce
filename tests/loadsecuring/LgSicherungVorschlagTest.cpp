// The lashing points proposed for a pallet on the sample truck, for each kind of securing, as the
// load-securing view shows them.
#include "LgSicherungViewSupport.h"

#include "model/securing/ZurrGeometrie.h"

#include <QCursor>
#include <QPainter>

namespace {

class VorschlagTest : public LgSichgViewTest
{
};

} // namespace

TEST_F(VorschlagTest, APalletOnTheSampleTruckGetsAPointForEveryCorner)
{
    Oeffne("LKW");
    CFahrzeug& f = Fahrzeug();
    ASSERT_FALSE(f.GetZurrpunktListe().empty());
    // A wizard that lets the view show the unit's lashings.
    FakeWizardFactory wizards;
    wizards.answers = {{19, 0}, {21, 0}};
    view->ShowWizard(true, false, 0);
    view->SetZoomIndex(3);
    tagLGINFO* lg = Last("Pallet", 2.4, 0.85, 1.2, 0.8, 0.5);
    CLadeeinheit* le = Einheit({lg}, true, 1);
    Plan().m_nAktiveLadeeinheit = le->GetId();
    CZurrpunkt scratch(0.0, 0.0);
    const int nHoehe = 330;
    QImage alle(view->size().width(), nHoehe * 5, QImage::Format_RGB32);
    QPainter p(&alle);
    for (int nWahl = 0; nWahl < 5; ++nWahl) {
        SCOPED_TRACE(nWahl);
        for (int i = 0; i < 4; ++i)
            le->SetZurrpunkt(i, 0, nullptr);
        const int n = ZurrGeometrie::AutoAssignZurrpunkte(f, *le, nWahl, 0, scratch);
        // Lengthwise-only lashing needs points ahead of and behind the unit: the sample truck has
        // points on its front wall but none behind, so only the two front corners get one.
        EXPECT_EQ(n, nWahl == 4 ? 2 : 4);
        for (int i = 0; i < 4; ++i) {
            CZurrpunkt* z = le->GetZurrpunkt(i, 0);
            if (!z)
                continue;
            double x = 0, y = 0;
            ASSERT_TRUE(ZurrGeometrie::EckePosition(f, *le, i, &x, &y, nullptr));
            ZurrGeometrie::Fenster fe;
            ZurrGeometrie::GetFenster(nWahl, i, &fe);
            double a1 = fe.a1, a2 = fe.a2;
            const bool bWrap = ZurrGeometrie::Normalisiere(&a1, &a2);
            EXPECT_TRUE(
                ZurrGeometrie::ImFenster(CalcBearing(x, y, z->GetPosX(), z->GetPosY()), a1, a2, bWrap));
        }
        p.drawImage(0, nWahl * nHoehe, Bild(), 0, 0, -1, nHoehe);
    }
    p.end();
    Speichere(alle, QStringLiteral("securing_proposals.png"));
}

TEST_F(VorschlagTest, RailPositionsLieOnTheRailsTheViewDraws)
{
    Oeffne("LKW");
    CFahrzeug& f = Fahrzeug();
    // Two rails at different distances from their sides, so that a point on the wrong one shows.
    for (auto [nSeite, d] : {std::pair{0, 0.1}, std::pair{2, 0.3}}) {
        auto* s = new CZurrschiene;
        s->m_nSeite = nSeite;
        s->m_dPosition = d;
        s->m_nZulKraft = 2000;
        f.m_Zurrschienen.emplace_back(s);
    }
    FakeWizardFactory wizards;
    wizards.answers = {{19, 0}, {21, 0}};
    view->ShowWizard(true, false, 0);
    view->SetZoomIndex(3);
    tagLGINFO* lg = Last("Pallet", 2.4, 0.85, 1.2, 0.8, 0.5);
    CLadeeinheit* le = Einheit({lg}, true, 1);
    Plan().m_nAktiveLadeeinheit = le->GetId();
    CZurrpunkt scratch(0.0, 0.0);
    ASSERT_EQ(ZurrGeometrie::AutoAssignZurrpunkte(f, *le, 2, 1, scratch), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        CZurrpunkt* z = le->GetZurrpunkt(i, 0);
        ASSERT_NE(z, nullptr);
        ASSERT_NE(z->GetZurrschiene(), nullptr);
        // The point lies on the line the view draws its rail along.
        EXPECT_NEAR(z->GetPosY(), z->GetZurrschiene()->GetSeitenAbstand(f.GetLFBreite()), 1e-6);
    }
    const QImage img = Bild();
    Speichere(img.copy(0, 0, img.width(), 330), QStringLiteral("securing_rail_proposals.png"));
}

TEST_F(VorschlagTest, TheRailUnderTheCursorAndThePlaceItPointsAt)
{
    Oeffne("LKW");
    CFahrzeug& f = Fahrzeug();
    ASSERT_FALSE(f.m_Zurrschienen.empty());
    view->show();
    Bild(); // lays the rails out
    const auto& rechtecke = view->GetSchienenRechtecke();
    const CZurrschiene* s = f.GetZurrschienen().front();
    ASSERT_TRUE(rechtecke.count(s));
    const QRect rc = rechtecke.at(s);
    const QPoint ziel(rc.left() + rc.width() / 3, rc.center().y());
    QCursor::setPos(view->viewport()->mapToGlobal(ziel - view->GetScrollPosition()));
    if (view->viewport()->mapFromGlobal(QCursor::pos()) != ziel - view->GetScrollPosition())
        GTEST_SKIP() << "the platform cannot place the cursor";
    CZurrschiene* pSchiene = nullptr;
    double x = -1.0;
    ASSERT_TRUE(view->GetRailPosAtCursor(&pSchiene, &x));
    EXPECT_EQ(pSchiene, s);
    EXPECT_NEAR(x, view->PixelsToMetres(ziel.x() - view->GetUrsprung().x()), 1e-9);
    // Away from every rail: nothing.
    QCursor::setPos(view->viewport()->mapToGlobal(QPoint(2, 2)));
    EXPECT_FALSE(view->GetRailPosAtCursor(&pSchiene, &x));
}
