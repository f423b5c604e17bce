// The plan's painter driven without a view: what a paint gives back, and that a paint only reads the
// vehicle and its plan; the plan's scale and its conversions.
#include "ViewTestSupport.h"

#include "views/CPlanPainter.h"
#include "views/PlanMassstab.h"

#include "SampleVehicles.h"
#include "model/archive/ArchiveWriter.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/SchwerpunktLage.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Everything of a vehicle and its plan a paint could change, as bytes: the vehicle as it is stored, its
// chart's lateral parameters, the plan's display blocks, current load, mass and centre of gravity, and
// every field of every load.
std::vector<std::uint8_t> Stand(const CFahrzeug& f)
{
    ArchiveWriter ar;
    f.Write(ar);
    std::vector<std::uint8_t> b = ar.Data();
    auto Dazu = [&b](const void* p, std::size_t n) {
        const auto* c = static_cast<const std::uint8_t*>(p);
        b.insert(b.end(), c, c + n);
    };
    const float chart[4] = {f.m_Diagramm.GetK(), f.m_Diagramm.GetC(), f.m_Diagramm.GetLast(),
                            f.m_Diagramm.GetSpur()};
    Dazu(chart, sizeof chart);
    const CQOR& q = *f.GetQor();
    Dazu(&q.m_AnzeigeA, sizeof q.m_AnzeigeA);
    Dazu(&q.m_AnzeigeB, sizeof q.m_AnzeigeB);
    Dazu(&q.m_pAktuell, sizeof q.m_pAktuell);
    Dazu(&q.m_dMasse, sizeof q.m_dMasse);
    Dazu(q.m_dSchwerpunkt, sizeof q.m_dSchwerpunkt);
    for (const tagLGINFO* lg : q.GetLgInfos()) {
        const double d[] = {lg->m_dPosX, lg->m_dPosY, lg->m_dLaenge, lg->m_dBreite, lg->m_dMasse};
        const int n[] = {lg->m_nDrehung, lg->m_nState, lg->m_bSelected, lg->m_nNummer, lg->m_nTyp};
        Dazu(d, sizeof d);
        Dazu(n, sizeof n);
        b.insert(b.end(), lg->m_strName.begin(), lg->m_strName.end());
    }
    return b;
}

class PlanPainterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fahrzeug = LoadSampleVehicle("LKW");
        ASSERT_TRUE(fahrzeug && fahrzeug->GetQor());
        a = Last("Pallet", 0.5, 0.2, 1.2, 0.8, 0.6, 0);
        b = Last("Box", 2.5, 1.0, 1.0, 1.0, 1.1, 0);
        c = Last("Crate", 4.5, 0.3, 0.8, 1.2, 0.4, 90);
        b->m_bSelected = 1;
        Plan().UpdateSchwerpunkt();
        fahrzeug->CalcNutzbarerBereich();
        // Every layer that reads the model: grid, directions, range box, marker.
        CPlanAnzeige anz(Plan());
        anz.SetZoom(1.5);
        anz.SetRasterZeigen(true);
        anz.SetRasterBeschriftung(true);
        anz.SetRichtungZeigen(true);
        anz.SetZulBereich(true);
        anz.SetSchwerpunktZeigen(true);
    }

    CQOR& Plan() { return *fahrzeug->GetQor(); }

    tagLGINFO* Last(const char* name, double x, double y, double l, double w, double t, int nDrehung)
    {
        auto p = std::make_unique<tagLGINFO>();
        p->m_strName = name;
        p->m_nTyp = 0;
        p->m_dLaenge = l;
        p->m_dBreite = w;
        p->m_dHoehe = 1.0;
        p->m_dSPLaenge = l / 2;
        p->m_dSPBreite = w / 2;
        p->m_dMasse = p->m_dSPMasse = t;
        p->m_dPosX = x;
        p->m_dPosY = y;
        p->m_nDrehung = nDrehung;
        tagLGINFO* roh = p.get();
        Plan().AddLgInfo(std::move(p), false);
        return roh;
    }

    // The input a view would give for the screen (or an export) of the vehicle.
    CPlanPainter::SEingabe Eingabe(bool bExport) const
    {
        CPlanPainter::SEingabe ein;
        ein.pFahrzeug = fahrzeug.get();
        ein.pPlan = fahrzeug->GetQor();
        ein.pVorn = fahrzeug.get();
        ein.pErstes = fahrzeug.get();
        ein.eSchwerpunkt = BeurteileSchwerpunkt(*fahrzeug);
        ein.fQuerAbstand = QuerAbstand(*fahrzeug, static_cast<float>(fahrzeug->GetQor()->GetMasse()));
        ein.bExport = bExport;
        ein.fenster = QSize(1400, 700);
        ein.nNutzbarerBereich = fahrzeug->CalcNutzbarerBereich();
        ein.pAuswahl = b;
        if (bExport)
            ein.massstab.dZoom = 1.0;
        return ein;
    }

    EnglishModule module;
    std::unique_ptr<CFahrzeug> fahrzeug;
    tagLGINFO *a = nullptr, *b = nullptr, *c = nullptr;
};

} // namespace

TEST_F(PlanPainterTest, APaintLeavesTheVehicleAndItsPlanAsTheyWere)
{
    // The chart keeps parameters of another load area, as after it was made: a paint must not bring
    // them up to date.
    fahrzeug->GetDiagramm().SetParams(2.0f, 4.0f, 1.4f, -1.0f, -1.0f);
    const std::vector<std::uint8_t> vorher = Stand(*fahrzeug);
    CPlanPainter painter;
    for (const bool bExport : {false, true}) {
        SCOPED_TRACE(bExport ? "export" : "screen");
        CPlanPainter::SErgebnis erg;
        if (bExport) {
            painter.ZeichneExport(Eingabe(true), erg);
            EXPECT_FALSE(erg.exportBild.isNull());
        } else {
            QImage bild(1400, 700, QImage::Format_RGB32);
            bild.fill(Qt::white);
            QPainter p(&bild);
            painter.Zeichne(p, Eingabe(false), erg);
            EXPECT_TRUE(erg.bPlan);
        }
        EXPECT_TRUE(Stand(*fahrzeug) == vorher);
    }
}

// No view, no widget: the painter draws into a picture and gives back where it put everything.
TEST_F(PlanPainterTest, APainterDrawsWithoutAViewAndSaysWhereItPutTheLoads)
{
    // Plain boxes: no labels, arrows or marks in them.
    CPlanAnzeige(Plan()).SetRichtungZeigen(false);
    CPlanPainter::SEingabe ein = Eingabe(false);
    ein.bBeschriftung = false;
    CPlanPainter painter;
    QImage bild(1400, 700, QImage::Format_RGB32);
    bild.fill(Qt::white);
    CPlanPainter::SErgebnis erg;
    {
        QPainter p(&bild);
        painter.Zeichne(p, ein, erg);
    }
    ASSERT_TRUE(erg.bPlan);
    const PlanMassstab& m = erg.massstab;
    EXPECT_EQ(m.nPixelProMeter, 97);
    EXPECT_DOUBLE_EQ(m.dZoom, 1.5);
    // The load area's corner is told to the host once, and the usable area lies its borders inside it.
    EXPECT_TRUE(erg.bRandGeaendert);
    EXPECT_EQ(m.letzterUrsprung, m.ursprungKorr);
    EXPECT_EQ(m.ursprung, m.ursprungKorr + QPoint(m.Abgeschnitten(fahrzeug->GetRandabstand(0)),
                                                  m.Abgeschnitten(fahrzeug->GetRandabstand(1))));
    ASSERT_EQ(erg.ladungen.size(), 3u);
    for (const tagLGINFO* lg : {a, b, c}) {
        SCOPED_TRACE(lg->m_strName);
        const QRect rc = m.Rechteck(lg->m_dPosX, lg->m_dPosY, lg->GetDimX(), lg->GetDimY());
        EXPECT_EQ(erg.ladungen.at(lg).rc, rc);
        // Drawn where the record says: the selected one blue, the others yellow.
        const QRgb fill = lg == b ? CPlanPainter::kFarbeAuswahl : CPlanPainter::kFarbeLadung;
        EXPECT_EQ(bild.pixel(rc.center()) & 0xFFFFFF, fill & 0xFFFFFF);
    }
    // The same paint again: the corner is unchanged, nothing to tell.
    ein.massstab = erg.massstab;
    QPainter p(&bild);
    painter.Zeichne(p, ein, erg);
    EXPECT_FALSE(erg.bRandGeaendert);
    EXPECT_EQ(erg.massstab, m);
}

TEST(PlanMassstab, ConvertsWithTheRoundingsThePicturesWereMadeWith)
{
    PlanMassstab m;
    m.dZoom = 1.5;
    m.nPixelProMeter = 97;
    m.ursprung = QPoint(100, 40);
    struct Fall
    {
        double dMeter;
        int nPixel, nAbgeschnitten, nVersatz;
    };
    // 145.5 pixels per metre; a length that is a whole number of pixels only by arithmetic stays whole,
    // cut values go towards zero.
    const Fall faelle[] = {
        {1.0, 145, 145, 145},     {2.0, 291, 291, 291}, {0.4, 58, 58, 58},
        {-1.0, -146, -145, -145}, {0.0, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.dMeter);
        EXPECT_EQ(m.Pixel(f.dMeter), f.nPixel);
        EXPECT_EQ(m.Abgeschnitten(f.dMeter), f.nAbgeschnitten);
        EXPECT_EQ(m.Versatz(f.dMeter), f.nVersatz);
    }
    EXPECT_DOUBLE_EQ(m.Meter(291), 2.0);
    EXPECT_EQ(m.Punkt(1.0, 2.0), QPoint(245, 331));
    EXPECT_EQ(m.Rechteck(1.0, 2.0, 1.0, 0.4), QRect(245, 331, 145, 58));
    // 0.7 m at 300 pixels per metre is 210 pixels, reached from below by the arithmetic.
    m.nPixelProMeter = 200;
    EXPECT_EQ(m.Pixel(0.7), 210);
}
