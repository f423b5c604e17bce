// The kept drawing of the template views: a picture made from it equals one drawn anew, and whatever
// changes the drawing makes the view draw again.
#include "ViewTestSupport.h"

#include "tests/support/SampleDocument.h"
#include "views/CQOR1View.h"
#include "views/CQORMultiView.h"
#include "views/CTTFrameAnimation.h"
#include "views/IFrameAnimation.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

class TemplatePictureCacheTest : public ::testing::Test
{
protected:
    // The document of a sample (with the tractor coupled in front of a semi-trailer), the view of a pair
    // on it, the chart shown and a load on the plan.
    void Oeffne(const char* title, const char* zug)
    {
        auto f = LoadSampleVehicle(title);
        ASSERT_TRUE(f);
        if (zug) {
            auto z = LoadSampleVehicle(zug);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        AddBoxLoad(*f, 2.0, 4.0);
        view.reset();
        pDoc = std::make_unique<CQOR1Doc>();
        CQOR1Doc& doc = *pDoc;
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        if (zug)
            doc.SetAktivIndex(CQOR1Doc::kAktivAnhaenger, false, false);
        // Animations that show their frames, as on screen.
        IFrameAnimation::SetViewCreator(
            [](QAbstractScrollArea* pView) { return std::make_unique<CTTFrameAnimation>(pView); });
        view = std::make_unique<CQORMultiView>(&doc);
        IFrameAnimation::SetViewCreator({});
        view->SetZoom(0.5);
        view->resize(1400, 700);
        view->OnInitialUpdate();
        view->ShowDiagramm(true);
        doc.OnFahrzeugChanged(false);
        // The first picture sets the scroll area; the next ones draw for it.
        Bild();
    }

    QImage Bild() { return view->RenderPicture(kGroesse); }
    // The same picture drawn anew from the start.
    QImage Neu()
    {
        view->SetBildSpeicher(false);
        QImage b = Bild();
        view->SetBildSpeicher(true);
        return b;
    }
    // The picture twice, the second from the kept drawing, each equal to one drawn anew.
    void PruefeGespeichertGleichNeu()
    {
        QImage erstes = Bild();
        const QImage zweites = Bild();
        EXPECT_TRUE(view->WarAusBildSpeicher());
        const QImage neu = Neu();
        EXPECT_TRUE(erstes == neu);
        EXPECT_TRUE(zweites == neu);
    }

    static constexpr QSize kGroesse{1400, 700};
    CQOR1Doc& D() { return *pDoc; }

    EnglishModule module;
    std::unique_ptr<CQOR1Doc> pDoc;
    std::unique_ptr<CQORMultiView> view;
};

} // namespace

TEST_F(TemplatePictureCacheTest, PicturesFromTheKeptDrawingEqualPicturesDrawnAnew)
{
    struct Fall
    {
        const char *title, *zug;
        int nAktiv;
        bool bGescrollt;
    };
    const Fall faelle[] = {
        {"LKW", nullptr, 1, false},
        {"SAH", "SZM", CQOR1Doc::kAktivAnhaenger, false},
        {"SAH", "SZM", CQOR1Doc::kAktivZugfahrzeug, false},
        {"SAH", "SZM", CQOR1Doc::kAktivAnhaenger, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.title) + (f.zug ? " behind " + std::string(f.zug) : "") + ", vehicle " +
                     std::to_string(f.nAktiv) + (f.bGescrollt ? ", scrolled" : ""));
        Oeffne(f.title, f.zug);
        if (f.zug)
            D().SetAktivIndex(f.nAktiv, false, false);
        if (f.bGescrollt) {
            view->horizontalScrollBar()->setValue(137);
            view->verticalScrollBar()->setValue(41);
        }
        Bild();
        PruefeGespeichertGleichNeu();
        // The hint animations and the chart are drawn over the kept drawing: after a new animation frame
        // and a chart drawn again the picture is still the one drawn anew.
        Bild();
        for (int i = 0; i < 40 && !view->AnimSchritt(); ++i) {
        }
        D().GetAktivFahrzeug(true)->m_Diagramm.m_bNeuZeichnen = true;
        const QImage nachher = Bild();
        EXPECT_TRUE(view->WarAusBildSpeicher());
        EXPECT_TRUE(nachher == Neu());
    }
}

TEST_F(TemplatePictureCacheTest, EveryChangeOfWhatIsDrawnDrawsAgain)
{
    Oeffne("SAH", "SZM");
    struct Fall
    {
        const char* name;
        std::function<void()> aendere;
        bool bSichtbar; // the picture shows the change
    };
    CFahrzeug& auf = *D().GetFahrzeug();
    QSize groesse = kGroesse;
    const Fall faelle[] = {
        {"zoom", [&] { view->SetZoom(0.45); }, true},
        {"an axle moved",
         [&] {
             auf.m_Achsen[1].dAbstand += 0.4;
             D().OnFahrzeugChanged(false);
         },
         true},
        {"the permissible total mass",
         [&] {
             auf.m_dZulGesamtgewicht -= 2.0;
             D().OnFahrzeugChanged(false);
         },
         true},
        {"a load added",
         [&] {
             AddBoxLoad(auf, 6.0, 3.0);
             D().OnLadungChanged(false);
         },
         true},
        {"the vehicle worked on", [&] { D().SetAktivIndex(CQOR1Doc::kAktivZugfahrzeug, false, false); },
         true},
        {"scrolled", [&] { view->horizontalScrollBar()->setValue(90); }, true},
        {"the size", [&] { groesse = QSize(1300, 650); }, true},
        {"an update of the document", [&] { view->OnUpdate(nullptr, UpdateHinweis::kNeuZeichnen); }, false},
        {"a key",
         [&] {
             QKeyEvent e(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
             QCoreApplication::sendEvent(view.get(), &e);
         },
         false},
        {"a press of the mouse",
         [&] {
             QMouseEvent e(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::MiddleButton,
                           Qt::MiddleButton, Qt::NoModifier);
             QCoreApplication::sendEvent(view->viewport(), &e);
         },
         false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        view->RenderPicture(groesse);
        const QImage alt = view->RenderPicture(groesse);
        ASSERT_TRUE(view->WarAusBildSpeicher());
        f.aendere();
        const QImage neu = view->RenderPicture(groesse);
        EXPECT_FALSE(view->WarAusBildSpeicher());
        view->SetBildSpeicher(false);
        EXPECT_TRUE(neu == view->RenderPicture(groesse));
        view->SetBildSpeicher(true);
        if (f.bSichtbar) {
            EXPECT_FALSE(neu == alt) << "the change did not change the picture";
        }
    }
    // The pointer moving over the picture without a button keeps the drawing once the hover state it
    // set is drawn.
    for (int x : {3, 4}) {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, 3), QPointF(x, 3), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &e);
        view->RenderPicture(groesse);
    }
    EXPECT_TRUE(view->WarAusBildSpeicher());
}

// A paint draws a picture of the window's size at the scroll position, not of the whole scroll area:
// it shows what the part of the whole picture at that place shows, at any zoom, drawn anew and kept.
TEST_F(TemplatePictureCacheTest, APictureOfTheWindowIsThatPartOfTheWholePicture)
{
    Oeffne("SAH", "SZM");
    // Shown, so that the scroll bars' ranges go with the window's size.
    view->show();
    const QSize fenster = view->viewport()->size();
    for (const double dZoom : {0.5, 1.0, 1.5}) {
        view->SetZoom(dZoom);
        view->horizontalScrollBar()->setValue(0);
        view->verticalScrollBar()->setValue(0);
        // The drawing sets the scroll area it needs; the whole picture is drawn for it.
        view->RenderPicture(fenster);
        const QSize gesamt = view->GetTotalSize();
        ASSERT_GT(gesamt.width(), fenster.width());
        ASSERT_GT(gesamt.height(), fenster.height());
        view->SetBildSpeicher(false);
        const QImage ganz = view->RenderPicture(gesamt);
        view->SetBildSpeicher(true);
        EXPECT_EQ(view->GetTotalSize(), gesamt);
        const QPoint ende(view->horizontalScrollBar()->maximum(), view->verticalScrollBar()->maximum());
        ASSERT_GT(ende.x(), 0);
        for (const QPoint scroll : {QPoint(0, 0), QPoint(137, 41), ende}) {
            SCOPED_TRACE(std::to_string(dZoom) + " at " + std::to_string(scroll.x()) + ", " +
                         std::to_string(scroll.y()));
            view->horizontalScrollBar()->setValue(scroll.x());
            view->verticalScrollBar()->setValue(scroll.y());
            const QImage teil = ganz.copy(QRect(scroll, fenster));
            const QImage bild = view->RenderPicture(fenster);
            EXPECT_TRUE(bild == teil);
            EXPECT_TRUE(view->RenderPicture(fenster) == teil);
            EXPECT_TRUE(view->WarAusBildSpeicher());
        }
    }
}
