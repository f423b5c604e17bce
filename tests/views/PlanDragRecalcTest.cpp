// The recalculation behind a drag on the plan of a tractor's semi-trailer: the drag steps and the drop
// keep the vehicles' payload curves and give what a full recalculation gives; a change of the vehicle
// builds the curve again.
#include "ViewTestSupport.h"

#include "tests/support/SampleDocument.h"
#include "views/CQOR2View.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/SYs2X.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The payload curve's points.
std::vector<double> Kurve(const CFahrzeug& f)
{
    std::vector<double> v{static_cast<double>(f.GetNutzlastKurve().GetPunkte().GetCount())};
    for (const SYs2X* p : f.GetNutzlastKurve().GetPunkte().Punkte())
        v.insert(v.end(), {p->m_dX, p->m_dMaxLast, p->m_dMinLast, static_cast<double>(p->m_nGrenze)});
    return v;
}

// Everything a recalculation leaves on a vehicle that the views and checks read: group loads, centre of
// gravity, usable range, the limit checks and the payload curve.
std::vector<double> Ergebnis(CFahrzeug& f)
{
    std::vector<double> v{f.m_dAchslastVorn,
                          f.m_dAchslastHinten,
                          f.GetGesamtmasse(false),
                          f.GetGesamtmasse(true),
                          f.CalcSchwerpunkt(true),
                          f.m_dStuetzlast,
                          f.m_dKupplMomentVorn,
                          static_cast<double>(f.CheckGrenzwerte(true)),
                          static_cast<double>(f.CheckGrenzwerte(false)),
                          static_cast<double>(f.CheckLadung()),
                          static_cast<double>(f.CheckQuerSchwerpunkt()),
                          static_cast<double>(f.GetNutzlastKurve().IsGueltig()),
                          static_cast<double>(f.m_nGrenzMaske),
                          f.GetNutzlastKurve().GetMaxNutzlast(),
                          static_cast<double>(f.GetNutzlastKurve().GetMaxNutzlastPos()),
                          static_cast<double>(f.GetNutzlastKurve().GetBereichStatus()),
                          f.GetNutzlastKurve().GetNutzbarVon(),
                          f.GetNutzlastKurve().GetNutzbarBis(),
                          f.GetNutzlastKurve().GetNutzbarQuerVon(),
                          f.GetNutzlastKurve().GetNutzbarQuerBis()};
    for (int g : f.m_nGrenzeAktiv)
        v.push_back(g);
    const std::vector<double> k = Kurve(f);
    v.insert(v.end(), k.begin(), k.end());
    v.push_back(static_cast<double>(f.GetNutzlastKurve().GetTeilkurve().GetCount()));
    for (const SYs2X* p : f.GetNutzlastKurve().GetTeilkurve().Punkte())
        v.insert(v.end(), {p->m_dX, p->m_dMaxLast, p->m_dMinLast});
    return v;
}

// The values that differ, to the bit (NaN equal to NaN), described for the failure message.
std::string Unterschiede(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size())
        return std::to_string(a.size()) + " values against " + std::to_string(b.size());
    std::ostringstream os;
    os.precision(17);
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(std::memcmp(&a[i], &b[i], sizeof a[i]) == 0 || (std::isnan(a[i]) && std::isnan(b[i]))))
            os << "value " << i << ": " << a[i] << " against " << b[i] << "; ";
    return os.str();
}

class PlanDragRecalcTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto auf = LoadSampleVehicle("SAH");
        auto szm = LoadSampleVehicle("SZM");
        ASSERT_TRUE(auf && szm);
        CoupleInFront(*auf, std::move(szm));
        AddBoxLoad(*auf, 1.0, 6.0);
        AddBoxLoad(*auf, 4.0, 8.0);
        AddBoxLoad(*auf, 9.0, 5.0);
        doc.SetHost(&host);
        doc.SetFahrzeug(auf.release());
        doc.OnDocumentOpened();
        doc.OnFahrzeugChanged(false);
        view = std::make_unique<CQOR2View>(&doc);
        view->resize(1700, 800);
        view->show();
        CPlanAnzeige(Plan()).SetZoom(1.0);
        view->RecalcSchwerpunkt();
        view->RenderFrame();
    }

    CFahrzeug& Auflieger() { return *doc.GetFahrzeug(); }
    CFahrzeug& Zug() { return *doc.GetZugfahrzeug(); }
    CQOR& Plan() { return *Auflieger().GetQor(); }
    tagLGINFO* Ladung(int i) { return *std::next(Plan().GetLgInfos().begin(), i); }
    std::vector<double> Beide() { return Verbinde(Ergebnis(Zug()), Ergebnis(Auflieger())); }
    static std::vector<double> Verbinde(std::vector<double> a, const std::vector<double>& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    void Maus(QEvent::Type t, QPoint pt)
    {
        const Qt::MouseButton ausloeser = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons gedrueckt = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(t, QPointF(pt), QPointF(view->viewport()->mapToGlobal(pt)), ausloeser, gedrueckt,
                      Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &e);
    }
    QPoint Mitte(tagLGINFO* p) const { return view->GetGuiLg().at(p).rc.center(); }

    // The results left by the recalculation so far must be those of a full one: checked by doing one.
    void PruefeGleichVoll(const char* wann)
    {
        SCOPED_TRACE(wann);
        const std::vector<double> nachZiehen = Beide();
        doc.OnFahrzeugChanged(false);
        const std::string u = Unterschiede(nachZiehen, Beide());
        EXPECT_TRUE(u.empty()) << u;
    }

    EnglishModule module;
    DocumentHost host;
    CQOR1Doc doc;
    std::unique_ptr<CQOR2View> view;
};

} // namespace

TEST_F(PlanDragRecalcTest, DragStepsAndTheDropGiveTheFullRecalculationsResults)
{
    // The heavy load goes from the middle towards the rear and back to the front in steps of the mouse:
    // the usable range, the kingpin load and the tractor's axle loads all change on the way.
    tagLGINFO* p = Ladung(1);
    p->m_bSelected = 1;
    const QPoint von = Mitte(p);
    const std::vector<double> vorher = Beide();
    const int px = view->MetresToPixels(1.0);
    Maus(QEvent::MouseButtonPress, von);
    for (int i = 1; i <= 4; ++i)
        Maus(QEvent::MouseMove, von + QPoint(px * i, 0));
    ASSERT_TRUE(view->m_bZiehen);
    EXPECT_FALSE(Unterschiede(vorher, Beide()).empty()) << "the drag steps changed nothing";
    PruefeGleichVoll("while the mouse moves");
    for (int i = 1; i <= 8; ++i)
        Maus(QEvent::MouseMove, von + QPoint(px * (4 - i), 0));
    Maus(QEvent::MouseButtonRelease, von + QPoint(-4 * px, 0));
    EXPECT_FALSE(view->m_bZiehen);
    EXPECT_LT(p->m_dPosX, 4.0);
    PruefeGleichVoll("after the drop");

    // Loads moved by the keys and a changed mass: the same steps after the edit.
    ASSERT_TRUE(view->VerschiebeAuswahl(30, 0, false, false));
    PruefeGleichVoll("after a move by the keys");
    double t = 11.0;
    ASSERT_TRUE(view->SetzeMasse(t));
    PruefeGleichVoll("after a new mass");
}

TEST_F(PlanDragRecalcTest, LoadsMovedKeepTheCurveAVehicleChangeBuildsItAgain)
{
    const std::vector<double> kurve = Kurve(Auflieger());
    const double dMax = Auflieger().GetNutzlastKurve().GetMaxNutzlast();
    ASSERT_GT(dMax, 10.0);
    // The permissible total mass lowered on the vehicle, the document not told of it: the recalculation
    // of a drag step does not look at the vehicle's data, so the curve stays as it was built.
    Auflieger().m_dZulGesamtgewicht -= 5.0;
    tagLGINFO* p = Ladung(0);
    p->m_bSelected = 1;
    const QPoint von = Mitte(p);
    Maus(QEvent::MouseButtonPress, von);
    Maus(QEvent::MouseMove, von + QPoint(view->MetresToPixels(0.5), 0));
    ASSERT_TRUE(view->m_bZiehen);
    EXPECT_EQ(Auflieger().GetNutzlastKurve().GetMaxNutzlast(), dMax);
    Maus(QEvent::MouseButtonRelease, von + QPoint(view->MetresToPixels(0.5), 0));
    EXPECT_EQ(Auflieger().GetNutzlastKurve().GetMaxNutzlast(), dMax);
    EXPECT_EQ(Unterschiede(kurve, Kurve(Auflieger())), "");

    // The vehicle-changed step builds it again, and the next drag keeps the new curve.
    doc.OnFahrzeugChanged(false);
    EXPECT_LT(Auflieger().GetNutzlastKurve().GetMaxNutzlast(), dMax - 4.0);
    EXPECT_NE(Unterschiede(kurve, Kurve(Auflieger())), "");
    const double dNeu = Auflieger().GetNutzlastKurve().GetMaxNutzlast();
    Maus(QEvent::MouseButtonPress, Mitte(p));
    Maus(QEvent::MouseMove, Mitte(p) + QPoint(view->MetresToPixels(0.3), 0));
    Maus(QEvent::MouseButtonRelease, Mitte(p) + QPoint(view->MetresToPixels(0.3), 0));
    EXPECT_EQ(Auflieger().GetNutzlastKurve().GetMaxNutzlast(), dNeu);
    PruefeGleichVoll("after a drag that followed the vehicle change");
}
