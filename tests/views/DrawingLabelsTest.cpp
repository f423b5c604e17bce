// Every text of the template and combination drawings stays readable: for each sample vehicle and
// combination, each vehicle worked on, several zooms and window sizes, no two drawn texts overlap and
// none lies outside the view's scrollable area.
#include "TextRecordingDevice.h"
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "views/CQORMultiView.h"

#include "ui/CRibBtnContainer.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "tests/support/SampleDocument.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Zusammenstellung
{
    const char* fahrzeug;
    const char* zug; // the towing vehicle of a combination, else null
};

const Zusammenstellung kFaelle[] = {
    {"LKW", nullptr},   {"KEP", nullptr}, {"SZM", nullptr}, {"GDA", nullptr},
    {"GDA_2", nullptr}, {"SDA", nullptr}, {"SAH", nullptr}, {"SAH_2", nullptr},
    {"GDA", "LKW"},     {"GDA_2", "LKW"}, {"SDA", "LKW"},   {"GDA", "KEP"},
    {"GDA_2", "KEP"},   {"SDA", "KEP"},   {"SAH", "SZM"},   {"SAH_2", "SZM"},
};

std::string Beschreibe(const DrawnText& t)
{
    std::ostringstream s;
    s << '"' << t.text.toStdString() << "\" at (" << t.rect.left() << ", " << t.rect.top() << ") "
      << t.rect.width() << " x " << t.rect.height();
    return s.str();
}

// The text's box less a pixel on each side: rounding of neighbouring boxes is no collision.
QRectF Kern(const QRectF& rc)
{
    return rc.adjusted(1.0, 1.0, -1.0, -1.0);
}

class DrawingLabelsTest : public ::testing::Test
{
protected:
    // The document of a case; the combination's towing vehicle worked on when asked.
    void Oeffne(const Zusammenstellung& fall, bool bZugAktiv)
    {
        m_view.reset();
        m_pDoc = std::make_unique<CQOR1Doc>();
        auto f = LoadSampleVehicle(fall.fahrzeug);
        ASSERT_TRUE(f);
        if (fall.zug) {
            auto z = LoadSampleVehicle(fall.zug);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        m_pDoc->SetFahrzeug(f.release());
        m_pDoc->OnDocumentOpened();
        m_pDoc->SetAktivIndex(bZugAktiv ? CQOR1Doc::kAktivZugfahrzeug : CQOR1Doc::kAktivAnhaenger, false,
                              false);
    }

    template <class View> std::unique_ptr<CQOR1View> Ansicht(const QSize& size, double dZoom)
    {
        auto view = std::make_unique<View>(m_pDoc.get());
        view->SetProgramRun(&run);
        view->resize(size);
        view->OnInitialUpdate();
        view->SetZoom(dZoom);
        // The help buttons where the tab host puts them, over the drawing's top left.
        view->OnViewNotify(AnsichtMeldung::kRaender, AnsichtWert::Raender(QPoint(0, 0)));
        return view;
    }

    // The texts of one paint of the view, unscrolled; the scrollable area it asks for after the paint.
    static std::vector<DrawnText> Texte(CQOR1View& view, QSize* pFlaeche)
    {
        struct Zugang : CGetAnsView
        {
            static void Male(CGetAnsView& v, QPainter& p) { (v.*&Zugang::OnDraw)(p); }
        };
        // A first paint sets the scroll sizes and fonts of the zoom, the second is the one looked at.
        TextRecordingDevice erst(QSize(4000, 3000));
        {
            QPainter painter(&erst);
            Zugang::Male(view, painter);
        }
        TextRecordingDevice geraet(QSize(4000, 3000));
        {
            QPainter painter(&geraet);
            Zugang::Male(view, painter);
        }
        *pFlaeche = view.GetTotalSize().expandedTo(view.viewport()->size());
        return geraet.Texts();
    }

    // Every pair of overlapping texts, every text outside the area or under the view's buttons, described.
    static std::vector<std::string> Fehler(const std::vector<DrawnText>& texte, const QSize& flaeche,
                                           const QRect& knopf)
    {
        std::vector<std::string> fehler;
        if (texte.empty())
            fehler.push_back("no text drawn");
        const QRectF bereich(QPointF(0, 0), QSizeF(flaeche));
        for (std::size_t i = 0; i < texte.size(); ++i) {
            if (Kern(texte[i].rect).intersects(QRectF(knopf)))
                fehler.push_back(Beschreibe(texte[i]) + " under the help buttons");
            if (!bereich.contains(Kern(texte[i].rect)))
                fehler.push_back(Beschreibe(texte[i]) + " outside the area " +
                                 std::to_string(flaeche.width()) + " x " + std::to_string(flaeche.height()));
            for (std::size_t j = i + 1; j < texte.size(); ++j)
                if (Kern(texte[i].rect).intersects(Kern(texte[j].rect)))
                    fehler.push_back(Beschreibe(texte[i]) + " overlaps " + Beschreibe(texte[j]));
        }
        return fehler;
    }

    static std::string Auszug(const std::vector<std::string>& fehler)
    {
        std::string s = std::to_string(fehler.size()) + " faults:";
        for (std::size_t i = 0; i < fehler.size() && i < 6; ++i)
            s += "\n  " + fehler[i];
        return s;
    }

    EnglishModule module;
    ProgramRun run;
    ScriptedViewShell shell{run};
    ScriptedSliderFactory sliders{run};
    ScriptedPlanDialogs dialogs{run};
    std::unique_ptr<CQOR1Doc> m_pDoc;
    std::unique_ptr<CQOR1View> m_view;
};

TEST_F(DrawingLabelsTest, NoTextOverlapsAnotherOrLeavesTheViewAtAnyZoomOrSize)
{
    const QSize groessen[] = {QSize(1200, 800), QSize(1920, 1080)};
    for (const Zusammenstellung& fall : kFaelle)
        for (bool bZugAktiv : {false, true}) {
            if (bZugAktiv && !fall.zug)
                continue;
            for (double dZoom : {0.25, 0.5, 1.0, 2.0})
                for (const QSize& groesse : groessen)
                    for (bool bMulti : {true, false}) {
                        // The program shows a combination in the multi view only.
                        if (!bMulti && fall.zug)
                            continue;
                        SCOPED_TRACE(std::string(fall.fahrzeug) +
                                     (fall.zug ? std::string(" behind ") + fall.zug : "") +
                                     (bZugAktiv ? ", towing vehicle worked on" : "") + ", zoom " +
                                     std::to_string(dZoom) + ", " + std::to_string(groesse.width()) + " x " +
                                     std::to_string(groesse.height()) +
                                     (bMulti ? ", combination view" : ", template view"));
                        Oeffne(fall, bZugAktiv);
                        if (HasFatalFailure())
                            return;
                        auto view = bMulti ? Ansicht<CQORMultiView>(groesse, dZoom)
                                           : Ansicht<CQOR1View>(groesse, dZoom);
                        QSize flaeche;
                        const std::vector<DrawnText> texte = Texte(*view, &flaeche);
                        const std::vector<std::string> fehler =
                            Fehler(texte, flaeche, view->GetHilfeStrip()->geometry());
                        EXPECT_TRUE(fehler.empty()) << Auszug(fehler);
                    }
        }
}

} // namespace
