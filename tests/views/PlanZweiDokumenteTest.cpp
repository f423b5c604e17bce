// Two documents open, each with its plan view: a view's records of its loads are its own, so that the
// paints of the other view leave them be and a load is dragged in each.
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

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

// One open document with its plan view showing a truck with one box.
struct Fenster
{
    explicit Fenster(double x)
    {
        auto f = LoadSampleVehicle("LKW");
        AddBoxLoad(*f, x, 1.0);
        doc.SetHost(&host);
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        view = std::make_unique<CQOR2View>(&doc);
        view->resize(1400, 700);
        view->show();
        CPlanAnzeige(Plan()).SetZoom(1.5);
        view->RecalcSchwerpunkt();
    }
    CQOR& Plan() { return *doc.GetFahrzeug()->GetQor(); }
    tagLGINFO* Last() { return Plan().GetLgInfos().front(); }

    void Maus(QEvent::Type t, QPoint pt)
    {
        const Qt::MouseButton ausloeser = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons gedrueckt = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(t, QPointF(pt), QPointF(view->viewport()->mapToGlobal(pt)), ausloeser, gedrueckt,
                      Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &e);
    }

    DocumentHost host;
    CQOR1Doc doc;
    std::unique_ptr<CQOR2View> view;
};

} // namespace

TEST(PlanZweiDokumente, ALoadIsDraggedInEachWhileTheOtherViewPaints)
{
    EnglishModule module;
    std::array<std::unique_ptr<Fenster>, 2> fenster = {std::make_unique<Fenster>(1.0),
                                                       std::make_unique<Fenster>(2.0)};
    for (auto& f : fenster)
        f->view->RenderFrame();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        Fenster& hier = *fenster[static_cast<std::size_t>(i)];
        Fenster& dort = *fenster[static_cast<std::size_t>(1 - i)];
        // The other view draws its own vehicle between this one's paint and the press.
        hier.view->RenderFrame();
        dort.view->RenderFrame();
        ASSERT_EQ(hier.view->GetGuiLg().size(), 1u);
        const double x = hier.Last()->m_dPosX;
        const QPoint von = hier.view->GetGuiLg().at(hier.Last()).rc.center();
        const QPoint nach = von + QPoint(hier.view->MetresToPixels(1.0), 0);
        hier.Maus(QEvent::MouseButtonPress, von);
        ASSERT_EQ(hier.view->GetAuswahl(), hier.Last());
        for (int n = 1; n <= 4; ++n) {
            hier.Maus(QEvent::MouseMove, von + (nach - von) * n / 4);
            dort.view->RenderFrame();
            hier.view->RenderFrame();
            // The load being dragged is not drawn: its record of the paint before the drag stays, and it
            // stays the current load.
            EXPECT_EQ(hier.view->GetGuiLg().count(hier.Last()), 1u);
            EXPECT_EQ(hier.view->GetAuswahl(), hier.Last());
        }
        hier.Maus(QEvent::MouseButtonRelease, nach);
        EXPECT_NEAR(hier.Last()->m_dPosX, x + 1.0, 0.02);
        // The other plan's load stayed where it was, and its view still knows where it drew it.
        EXPECT_EQ(dort.view->GetGuiLg().size(), 1u);
    }
}

// A deleted load is not reached through the records, not even before the next paint; the paint after
// brings the records of the others back.
TEST(PlanZweiDokumente, RecordsOfADeletedLoadAreNotReached)
{
    EnglishModule module;
    Fenster f(1.0);
    AddBoxLoad(*f.doc.GetFahrzeug(), 3.0, 1.0);
    f.view->RenderFrame();
    ASSERT_EQ(f.view->GetGuiLg().size(), 2u);
    tagLGINFO* weg = f.Last();
    f.Plan().RemoveLgInfo(weg);
    EXPECT_TRUE(f.view->GetGuiLg().empty());
    f.view->RenderFrame();
    ASSERT_EQ(f.view->GetGuiLg().size(), 1u);
    EXPECT_EQ(f.view->GetGuiLg().begin()->first, f.Last());
}
