// The load-securing view drawn offscreen on the sample vehicles: scale and zoom, pixels the model
// decides, the hit test, and the rules of view actions and leave queries.
#include "LgSicherungViewSupport.h"

#include "model/vehicle/FahrzeugArt.h"
#include "platform/CCmdUI.h"
#include "tests/support/RecordingCmdUI.h"
#include "ui/CRibBtnContainer.h"

#include <cmath>
#include <set>
#include <vector>

namespace {

bool Freigabe(CQORLgSicherungView& v, int nId)
{
    RecordingCmdUI ui;
    EXPECT_TRUE(v.OnUpdateBefehl(nId, &ui)) << nId;
    return ui.enabled;
}

} // namespace

TEST_F(LgSichgViewTest, MetresToPixelsIsTheFlooredScaleAtEveryZoomStep)
{
    Oeffne("LKW");
    const double metres[] = {0.0, 0.06, 0.12, 1.0, 2.48, 7.0, 13.6};
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        view->SetZoomIndex(i);
        const double zoom = CQORLgSicherungView::kZoomStufen[static_cast<std::size_t>(i)] * 0.5 / 100.0;
        EXPECT_DOUBLE_EQ(view->GetZoom(), zoom);
        for (double m : metres)
            EXPECT_EQ(view->MetresToPixels(m), static_cast<int>(std::floor(97 * m * zoom))) << m;
        EXPECT_NEAR(view->PixelsToMetres(view->MetresToPixels(2.0)), 2.0, 1.0 / (97 * zoom));
        EXPECT_EQ(view->GetStreifen(CQORLgSicherungView::kStreifenZoom)->Title(),
                  QStringLiteral("Zoom ( %1 % )")
                      .arg(CQORLgSicherungView::kZoomStufen[static_cast<std::size_t>(i)]));
        // Zoom in stops at 400 %, zoom out at 75 %, 100 % only where the view is not at 100 %.
        EXPECT_EQ(Freigabe(*view, 666), i != 9);
        EXPECT_EQ(Freigabe(*view, 667), i != 0);
        EXPECT_EQ(Freigabe(*view, 338), i != 1);
    }
}

TEST_F(LgSichgViewTest, ZoomCommandsStepThroughTheTableAndStopAtItsEnds)
{
    Oeffne("LKW");
    struct Fall
    {
        int nVon;
        int nBefehl;
        int nNach;
    };
    for (const Fall& f :
         {Fall{1, 666, 2}, Fall{9, 666, 9}, Fall{1, 667, 0}, Fall{0, 667, 0}, Fall{7, 338, 1}}) {
        SCOPED_TRACE(f.nBefehl);
        view->SetZoomIndex(f.nVon);
        EXPECT_TRUE(view->OnBefehl(f.nBefehl));
        EXPECT_EQ(view->GetZoomIndex(), f.nNach);
    }
}

// The semi-trailer with margins, three units (one active, one secured) and a marked load, drawn at
// zoom index 1 and 5.
TEST_F(LgSichgViewTest, PixelsStandWhereTheModelPutsTheEquipment)
{
    OeffneSattelzug();
    CFahrzeug& f = Fahrzeug();
    f.m_NutzLF[0].m_dRand[0] = 0.3;
    f.m_NutzLF[0].m_dRand[1] = 0.2;
    f.m_NutzLF[0].m_dRand[2] = 0.4;
    f.m_NutzLF[0].m_dRand[3] = 0.25;
    tagLGINFO* a = Last("Pallet", 0.5, 0.3, 1.2, 0.8, 0.6);
    tagLGINFO* b = Last("Pallet", 2.5, 0.3, 1.2, 0.8, 0.6);
    tagLGINFO* c = Last("Crate", 5.0, 0.3, 1.6, 1.0, 1.2);
    tagLGINFO* d = Last("Box", 8.0, 1.0, 0.8, 0.6, 0.3);
    d->m_nState |= tagLGINFO::kStateMarked;
    Einheit({a}, false);
    CLadeeinheit* aktiv = Einheit({b}, false);
    Einheit({c}, true);
    Plan().m_nAktiveLadeeinheit = aktiv->GetId();
    for (int nZoom : {1, 5}) {
        SCOPED_TRACE(nZoom);
        view->SetZoomIndex(nZoom);
        const QImage img = Bild();
        Speichere(img, QStringLiteral("securing_zoom%1.png").arg(nZoom));
        const QPoint u = view->GetUrsprung();
        const auto M = [&](double m) { return view->MetresToPixels(m); };
        const int L = M(f.GetLFLaenge()), W = M(f.GetLFBreite());
        EXPECT_EQ(view->GetLadeflaeche(), QRect(u.x(), u.y(), L, W));
        // The unusable strips in the margins the vehicle gives, the usable area white.
        const QRgb rand = LgSichgSkizze::kFarbeRand;
        EXPECT_TRUE(Gleich(img.pixel(u.x() + M(0.3) - 2, u.y() + W / 2), rand));
        EXPECT_TRUE(Gleich(img.pixel(u.x() + L - M(0.4) + 2, u.y() + W / 2), rand));
        EXPECT_TRUE(Gleich(img.pixel(u.x() + L / 2 + 3, u.y() + M(0.2) - 2), rand));
        EXPECT_TRUE(Gleich(img.pixel(u.x() + L / 2 + 3, u.y() + W - M(0.25) + 2), rand));
        EXPECT_TRUE(Gleich(img.pixel(u.x() + M(0.3) + 3, u.y() + W / 2 + 3), 0xFFFFFF));
        // The rails: their fill below index 4, the picture's dark slots from it on.
        for (CZurrschiene* s : f.GetZurrschienen()) {
            const QRect rc = view->SchienenRechteck(*s, 0);
            ASSERT_FALSE(rc.isEmpty());
            EXPECT_EQ(view->GetSchienenRechtecke().at(s), rc);
            EXPECT_EQ(rc.left(), u.x() + M(s->GetAnfang()));
            EXPECT_EQ(rc.right() + 1, u.x() + M(f.GetLFLaenge() - s->GetEndAbstand()));
            const int nDunkel = Zaehle(img, rc, [](QRgb p) { return qGray(p) < 60; });
            if (nZoom < 4) {
                EXPECT_EQ(nDunkel, 0);
                const int x = u.x() + M(4.05), y = rc.center().y();
                EXPECT_TRUE(Gleich(img.pixel(x, y), LgSichgSkizze::kFarbeSchiene));
            } else {
                EXPECT_GT(nDunkel, 0);
            }
        }
        // Each lashing point's square at its model position, one pixel lower on the flag-2 side.
        for (CZurrpunkt* p : Punkte()) {
            const QRect rc = view->GetPunktRechtecke().at(p);
            EXPECT_EQ(rc.left(), u.x() + M(p->GetPosX() - 0.06));
            EXPECT_EQ(rc.top(),
                      u.y() + M(p->GetPosY() - 0.06) + ((p->m_nFlags & CZurrpunkt::kLinks) ? 1 : 0));
            EXPECT_EQ(rc.width(), M(0.12));
            if (nZoom < 4) {
                EXPECT_TRUE(Gleich(img.pixel(rc.center()), LgSichgSkizze::kFarbePunkt));
            }
        }
        // Goods where the model puts them (from the usable area's corner), the units over them.
        const QRect rcA = view->GetLadungRegionen().at(a);
        EXPECT_EQ(rcA.topLeft(), u + QPoint(M(0.3 + 0.5), M(0.2 + 0.3)));
        EXPECT_EQ(view->GetEinheitRegionen().size(), 3u);
        // The active unit shows its pattern more strongly than a plain one over the same goods.
        const auto abstand = [&](const QRect& rc) {
            long n = 0;
            const QRect r = rc.adjusted(4, 4, -4, -4);
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    const QColor farbe = img.pixelColor(x, y);
                    n += std::abs(farbe.red() - 237) + std::abs(farbe.green() - 244) +
                         std::abs(farbe.blue() - 147);
                }
            return n / std::max(1, r.width() * r.height());
        };
        const QRect rcB = view->GetEinheitRegionen().at(aktiv);
        // The lower left quarter holds no label.
        const auto viertel = [](const QRect& r) {
            return QRect(r.left(), r.center().y(), r.width() / 2, r.height() / 2);
        };
        EXPECT_GT(abstand(viertel(rcB)), abstand(viertel(rcA)) + 20);
        // The marked load lies under the hatch and its frame.
        const QRect rcD = view->GetLadungRegionen().at(d);
        EXPECT_LT(qGray(img.pixel(rcD.left() - 1, rcD.center().y())), 60);
    }
}

TEST_F(LgSichgViewTest, PointsAndRailsAreFadedWhereTheWizardSaysSo)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    struct Fall
    {
        std::map<int, int> answers;
        bool bPunkteBlass;
        bool bSchienenBlass;
    };
    const Fall faelle[] = {
        {{}, false, false},
        {{{26, 0}}, true, false},
        {{{27, 0}}, false, true},
        // 47 alone fades the rails of a vehicle that has some, and the points that cannot be chosen.
        {{{26, 1}, {27, 1}, {47, 0}}, false, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.answers.size());
        wizards.answers = fall.answers;
        // Unknown codes are refused by this wizard, so only the table allows.
        for (int code : {26, 27, 47})
            wizards.answers.emplace(code, 1);
        view.reset(new CQORLgSicherungView(&doc));
        view->SetProgramRun(&run);
        view->resize(1400, 700);
        ASSERT_EQ(view->ShowWizard(true, false, 0), 1);
        const QImage img = Bild();
        CZurrpunkt* p = Punkte().at(1);
        const QRect rc = view->GetPunktRechtecke().at(p);
        EXPECT_EQ(Gleich(img.pixel(rc.center()), LgSichgSkizze::kFarbeBlass), fall.bPunkteBlass);
        EXPECT_EQ(Gleich(img.pixel(rc.center()), LgSichgSkizze::kFarbePunkt), !fall.bPunkteBlass);
        const QRect rs = view->SchienenRechteck(*Fahrzeug().GetZurrschienen().front(), 0);
        const QPoint ps(view->GetUrsprung().x() + view->MetresToPixels(4.05), rs.center().y());
        EXPECT_EQ(Gleich(img.pixel(ps), LgSichgSkizze::kFarbeBlass), fall.bSchienenBlass);
    }
}

// The "used/required" box of a unit lashed to points: red exactly while too few lashings are used.
TEST_F(LgSichgViewTest, LashingCountIsRedExactlyWhileTooFewAreUsed)
{
    struct Fall
    {
        bool bWizard;
        bool bGesichert;
        int nBenutzt;
        int nNoetig;
        bool bBox;
        bool bRot;
    };
    const Fall faelle[] = {
        {false, true, 1, 2, true, true},   // secured, too few: shown in red
        {false, true, 2, 2, false, false}, // secured and enough: nothing to point out
        {true, false, 1, 2, true, true},   // while the wizard works on it
        {true, false, 2, 2, true, false},
        {true, false, 3, 2, true, false}, // more than needed: capped, black
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.nBenutzt * 10 + fall.nNoetig + (fall.bWizard ? 100 : 0));
        CQOR1Doc eigenes;
        eigenes.SetFahrzeug(LoadSampleVehicle("LKW").release());
        eigenes.OnDocumentOpened();
        view.reset(new CQORLgSicherungView(&eigenes));
        view->SetProgramRun(&run);
        view->resize(1400, 700);
        FakeWizardFactory wizards;
        wizards.answers = {{20, 0}};
        if (fall.bWizard)
            view->ShowWizard(true, false, 0);
        tagLGINFO* lg = Last("Machine", 2.0, 0.6, 2.0, 1.2, 2.0);
        CLadeeinheit* le = Einheit({lg}, fall.bGesichert, 0);
        const std::vector<CZurrpunkt*> pt = Punkte();
        for (int i = 0; i < fall.nBenutzt; ++i) {
            auto t = std::make_unique<sZPPtrTupel>(pt.at(2 + i), pt.at(pt.size() - 2 - i), 0);
            t->m_nAktiv = 1;
            le->m_ZPPtrTupel.push_back(std::move(t));
        }
        le->m_nZurrParam[0] = fall.nNoetig;
        le->m_nZurrParam[1] = 0;
        const QImage img = Bild();
        const QRect rc = view->GetEinheitRegionen().at(le);
        const QRect ecke(rc.right() - 60, rc.top() + 2, 58, 24);
        const int nRot =
            Zaehle(img, ecke, [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80; });
        const int nWeiss = Zaehle(img, ecke, [](QRgb p) { return Gleich(p, 0xFFFFFF); });
        EXPECT_EQ(nWeiss > 20, fall.bBox);
        EXPECT_EQ(nRot > 0, fall.bRot);
        if (fall.nBenutzt == 1 && fall.bWizard)
            Speichere(img, QStringLiteral("securing_lashings.png"));
        view.reset();
    }
}

TEST_F(LgSichgViewTest, TractorWithoutLoadAreaShowsOnlyItsNote)
{
    Oeffne("SZM");
    const QImage img = Bild();
    Speichere(img, QStringLiteral("securing_tractor.png"));
    EXPECT_TRUE(view->GetLadeflaeche().isEmpty());
    EXPECT_TRUE(view->GetPunktRechtecke().empty());
    const QPoint u = view->GetUrsprung();
    // Text at the origin, nothing in the colours of a load area anywhere.
    EXPECT_GT(Zaehle(img, QRect(u, QSize(600, 20)), [](QRgb p) { return qGray(p) < 100; }), 20);
    EXPECT_EQ(Zaehle(img, QRect(0, u.y() + 25, img.width(), img.height()),
                     [](QRgb p) { return !Gleich(p, 0xFFFFFF); }),
              0);
}

// Hit test: a table of places and wizard answers against the cursor and the hovered object.
TEST_F(LgSichgViewTest, HitTestChoosesCursorAndHoverInTheViewsOrder)
{
    Oeffne("LKW");
    tagLGINFO* frei = Last("Box", 4.0, 1.0, 0.8, 0.6, 0.3);
    tagLGINFO* a = Last("Pallet", 0.6, 0.4, 1.2, 0.8, 0.6);
    tagLGINFO* b = Last("Crate", 2.2, 0.4, 1.2, 0.8, 0.6);
    CLadeeinheit* aktiv = Einheit({a}, true);
    CLadeeinheit* anderer = Einheit({b}, true);
    Plan().m_nAktiveLadeeinheit = aktiv->GetId();
    Bild();
    CZurrpunkt* punkt = Punkte().at(2);
    CZurrschiene* schiene = Fahrzeug().GetZurrschienen().front();
    const QRect rs = view->SchienenRechteck(*schiene, 0);
    const QPoint amPunkt = view->GetPunktRechtecke().at(punkt).center();
    const QPoint anSchiene(view->GetUrsprung().x() + view->MetresToPixels(4.0), rs.center().y());
    const QPoint frei_(view->GetUrsprung().x() + view->MetresToPixels(6.0), view->GetUrsprung().y() + 60);
    const QPoint aussen(5, 690);
    enum Hover
    {
        Nichts,
        Einheit_,
        Ladung,
        Punkt,
        Schiene,
        Flaeche,
        Ecke,
    };
    struct Fall
    {
        const char* name;
        QPoint pt;
        std::map<int, int> wizard; // empty: no wizard
        int nCursor;
        Hover hover;
        const void* pObjekt;
    };
    const QPoint inAktiv = view->GetEinheitRegionen().at(aktiv).center();
    const QPoint inAnderer = view->GetEinheitRegionen().at(anderer).center();
    const QPoint inFrei = view->GetLadungRegionen().at(frei).center();
    const std::map<int, int> ohne;
    // A wizard that refuses nothing but what is named.
    const auto mit = [](std::map<int, int> m) {
        m.emplace(0, 0);
        return m;
    };
    const Fall faelle[] = {
        {"active unit", inAktiv, ohne, 196, Einheit_, aktiv},
        {"other unit", inAnderer, ohne, 254, Einheit_, anderer},
        {"unit while a wizard is open", inAnderer, mit({}), 0, Einheit_, anderer},
        {"free load", inFrei, ohne, 1032, Ladung, frei},
        {"free load refused", inFrei, mit({{44, 1}}), 0, Ladung, frei},
        {"lashing point", amPunkt, ohne, 254, Punkt, punkt},
        {"lashing point to choose", amPunkt, mit({{41, 0}}), 769, Punkt, punkt},
        {"lashing points not asked", amPunkt, mit({{23, 1}, {61, 0}}), 196, Flaeche, nullptr},
        {"rail without wizard", anSchiene, ohne, 196, Flaeche, nullptr},
        {"rail", anSchiene, mit({{22, 0}}), 1032, Schiene, schiene},
        {"free area", frei_, ohne, 196, Flaeche, nullptr},
        {"free area refused", frei_, mit({{61, 1}}), 0, Nichts, nullptr},
        {"outside", aussen, ohne, 0, Nichts, nullptr},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        FakeWizardFactory wizards;
        wizards.answers = fall.wizard;
        view.reset(new CQORLgSicherungView(&doc));
        view->SetProgramRun(&run);
        view->resize(1400, 700);
        if (!fall.wizard.empty())
            view->ShowWizard(true, false, 0);
        Bild();
        EXPECT_EQ(view->HitTest(Client(fall.pt)), fall.nCursor);
        const CQORLgSicherungView::SHover& h = view->GetHover();
        EXPECT_EQ(h.pEinheit, fall.hover == Einheit_ ? fall.pObjekt : nullptr);
        EXPECT_EQ(h.pLadung, fall.hover == Ladung ? fall.pObjekt : nullptr);
        EXPECT_EQ(h.pPunkt, fall.hover == Punkt ? fall.pObjekt : nullptr);
        EXPECT_EQ(h.pSchiene, fall.hover == Schiene ? fall.pObjekt : nullptr);
        EXPECT_EQ(h.bFreieFlaeche, fall.hover == Flaeche);
        EXPECT_EQ(h.nEcke, -1);
    }
    // The selected point shows the open hand; the attachment corners of the active unit come first
    // when the wizard asks for them.
    view->SetAuswahlPunkt(punkt);
    EXPECT_EQ(view->HitTest(Client(amPunkt)), 196);
    {
        FakeWizardFactory wizards;
        wizards.answers = {{24, 0}, {0, 0}};
        view.reset(new CQORLgSicherungView(&doc));
        view->SetProgramRun(&run);
        view->resize(1400, 700);
        view->ShowWizard(true, false, 0);
        Bild();
        const QRect e = view->GetEinheitRegionen().at(aktiv);
        EXPECT_EQ(view->HitTest(Client(e.topLeft())), 1032);
        EXPECT_EQ(view->GetHover().nEcke, 0);
    }
}

TEST_F(LgSichgViewTest, ClicksActOnTheLastHitTest)
{
    Oeffne("LKW");
    tagLGINFO* frei = Last("Box", 4.0, 1.0, 0.8, 0.6, 0.3);
    tagLGINFO* a = Last("Pallet", 0.6, 0.4, 1.2, 0.8, 0.6);
    CLadeeinheit* le = Einheit({a}, true);
    Bild();
    // A unit click makes it active, a click on the free area leaves it again.
    const QPoint inEinheit = Client(view->GetEinheitRegionen().at(le).center());
    view->HitTest(inEinheit);
    view->Klick(inEinheit);
    EXPECT_EQ(Plan().m_nAktiveLadeeinheit, le->GetId());
    const QPoint inFrei = Client(view->GetLadungRegionen().at(frei).center());
    view->HitTest(inFrei);
    view->Klick(inFrei);
    EXPECT_EQ(Plan().m_nAktiveLadeeinheit, 0);
    // That click also marked the free load; the next one unmarks it.
    EXPECT_TRUE(frei->m_nState & tagLGINFO::kStateMarked);
    view->Klick(inFrei);
    EXPECT_FALSE(frei->m_nState & tagLGINFO::kStateMarked);
    // A lashing point becomes the selected one; the free area clears the selection.
    Bild();
    CZurrpunkt* p = Punkte().at(3);
    const QPoint amPunkt = Client(view->GetPunktRechtecke().at(p).center());
    view->HitTest(amPunkt);
    view->Klick(amPunkt);
    EXPECT_EQ(view->GetAuswahlPunkt(), p);
    const QPoint leer = Client(view->GetUrsprung() + QPoint(view->MetresToPixels(6.0), 60));
    view->HitTest(leer);
    view->Klick(leer);
    EXPECT_EQ(view->GetAuswahlPunkt(), nullptr);
}

// Local rules of view actions, without a wizard and with one that allows (0) or refuses (1) everything.
TEST_F(LgSichgViewTest, QueryActionLocalRulesComeBeforeTheWizard)
{
    Oeffne("LKW");
    tagLGINFO* a = Last("Pallet", 0.6, 0.4, 1.2, 0.8, 0.6);
    tagLGINFO* b = Last("Crate", 2.2, 0.4, 1.2, 0.8, 0.6);
    tagLGINFO* c = Last("Drum", 4.2, 0.4, 0.6, 0.6, 0.2);
    CLadeeinheit* einfach = Einheit({a}, true, 0);
    CLadeeinheit* direkt = Einheit({b}, true, 1);
    CLadeeinheit* offen = Einheit({c}, false, 0);
    einfach->m_nZurrParam[0] = 4;
    Plan().m_nAktiveLadeeinheit = direkt->GetId();
    enum W
    {
        Ohne = -1,
        Erlaubt = 0,
        Verweigert = 1,
    };
    using A = LgSichgAktion;
    struct Fall
    {
        LgSichgAktion eAktion;
        int nWert;
        int nExtra;
        W wizard;
        bool bDefault;
        bool bErwartet;
    };
    const int e = einfach->GetId(), d = direkt->GetId(), o = offen->GetId();
    const Fall faelle[] = {
        // 19/20: secured with the method 1 (19) or 0 (20), else the wizard decides.
        {A::kEinheitPunkteZeigen, d, 0, Ohne, false, true},
        {A::kEinheitPunkteZeigen, e, 0, Ohne, false, false},
        {A::kZurrungenZeigen, e, 0, Ohne, false, true},
        {A::kZurrungenZeigen, o, 0, Ohne, true, false},
        {A::kEinheitPunkteZeigen, e, 0, Erlaubt, false, true},
        {A::kZurrungenZeigen, d, 0, Verweigert, true, false},
        // 55: the active unit, never with a wizard.
        {A::kEinheitMenue, d, 0, Ohne, false, true},
        {A::kEinheitMenue, e, 0, Ohne, true, false},
        {A::kEinheitMenue, d, 0, Erlaubt, true, false},
        // 56/58: a secured unit that is not the active one; the active one unless in start mode 2.
        {A::kEinheitKennzeichen, e, 0, Ohne, false, true},
        {A::kGesichertKennzeichen, o, 0, Ohne, true, false},
        {A::kEinheitKennzeichen, d, 0, Ohne, false, true},
        {A::kGesichertKennzeichen, d, 0, Verweigert, false, true},
        // 57: an unsecured unit always; a secured one while fewer than its required lashings are used.
        {A::kZurrungZaehler, o, 9, Ohne, false, true},
        {A::kZurrungZaehler, e, 3, Ohne, false, true},
        {A::kZurrungZaehler, e, 4, Ohne, true, false},
        {A::kZurrungZaehler, e, 3, Verweigert, false, true},
        // 59/60 only without a wizard; 62 without, else the wizard.
        {A::kEinheitBearbeitbar, 0, 0, Ohne, false, true},
        {A::kEinheitAnklickbar, 0, 0, Erlaubt, true, false},
        {A::kVerlassenGrund12, 0, 0, Ohne, false, true},
        {A::kVerlassenGrund12, 0, 0, Verweigert, true, false},
        {A::kVerlassenGrund12, 0, 0, Erlaubt, false, true},
        // 30: no secured unit lashed to rails here: true without a wizard, else the wizard.
        {A::kSchienenAendern, 0, 0, Ohne, false, true},
        {A::kSchienenAendern, 0, 0, Verweigert, true, false},
        // Any other action: the default without a wizard, else the wizard.
        {A::kFahrzeugWechseln, 0, 0, Ohne, false, false},
        {A::kFahrzeugWechseln, 0, 0, Ohne, true, true},
        {A::kFahrzeugWechseln, 0, 0, Verweigert, true, false},
        {A::kFahrzeugWechseln, 0, 0, Erlaubt, false, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(fall.eAktion) << " value " << fall.nWert
                                          << " wizard " << fall.wizard);
        FakeWizardFactory wizards;
        if (fall.wizard != Ohne) {
            wizards.answers = {{static_cast<int>(fall.eAktion), fall.wizard}};
            view->ShowWizard(true, false, 0);
        }
        int nOut = 99, nExtra = fall.nExtra;
        QString text = QStringLiteral("old");
        EXPECT_EQ(
            view->QueryAction(fall.eAktion, std::intptr_t(fall.nWert), &nOut, &text, fall.bDefault, &nExtra),
            fall.bErwartet);
        if (fall.wizard == Ohne) {
            EXPECT_EQ(nOut, -1);
            EXPECT_TRUE(text.isEmpty());
        }
        view->OnFrameNotify(DokumentMeldung::kAbgekoppelt, 3);
        EXPECT_EQ(view->GetWizard(), nullptr);
    }
    // 30 is refused while a secured unit is lashed to the rails, with or without a wizard.
    einfach->m_nZurrParam[1] = 1;
    int nOut = -1;
    EXPECT_FALSE(view->QueryAction(A::kSchienenAendern, std::intptr_t(0), &nOut, nullptr, true, nullptr));
    // Editing and deleting are refused for a point a secured unit uses, deleting them all while one is.
    CZurrpunkt* p = Punkte().at(2);
    auto t = std::make_unique<sZPPtrTupel>(p, Punkte().at(6), 0);
    t->m_nAktiv = 1;
    einfach->m_ZPPtrTupel.push_back(std::move(t));
    for (LgSichgAktion eAktion : {A::kZurrpunktBearbeiten, A::kZurrpunktLoeschen}) {
        EXPECT_FALSE(view->QueryAction(eAktion, p, &nOut, nullptr, true, nullptr));
        EXPECT_TRUE(view->QueryAction(eAktion, Punkte().at(3), &nOut, nullptr, true, nullptr));
    }
    EXPECT_FALSE(
        view->QueryAction(A::kAlleZurrpunkteLoeschen, std::intptr_t(0), &nOut, nullptr, true, nullptr));
    einfach->m_ZPPtrTupel.clear();
    EXPECT_TRUE(
        view->QueryAction(A::kAlleZurrpunkteLoeschen, std::intptr_t(0), &nOut, nullptr, true, nullptr));
}

// Every action reaches its rules with the value it was asked with: the wizard gets that very value
// unless a local rule answers alone. A value of another kind is refused before any rule or the wizard,
// however real the object it names.
TEST_F(LgSichgViewTest, EveryActionReachesItsRulesWithItsKindOfValue)
{
    Oeffne("LKW");
    tagLGINFO* lg = Last("Pallet", 0.6, 0.4, 1.2, 0.8, 0.6);
    CLadeeinheit* le = Einheit({lg}, false, 0);
    CZurrpunkt* p = Punkte().at(3);
    CZurrschiene schiene;
    FakeWizardFactory wizards;
    view->ShowWizard(true, false, 0);
    ASSERT_TRUE(wizards.last);
    FakeWizard& wizard = *wizards.last;
    using A = LgSichgAktion;
    // With a wizard open these are answered by the view alone.
    const std::set<LgSichgAktion> lokal = {A::kZurrungZaehler,     A::kEinheitMenue,
                                           A::kEinheitKennzeichen, A::kGesichertKennzeichen,
                                           A::kEinheitBearbeitbar, A::kEinheitAnklickbar};
    const LgSichgWert zahl = std::intptr_t(le->GetId());
    for (LgSichgAktion eAktion : kAlleLgSichgAktionen) {
        SCOPED_TRACE(static_cast<int>(eAktion));
        LgSichgWert richtig = zahl;
        std::vector<LgSichgWert> falsch = {lg, p, &schiene, le};
        switch (LgSichgAktionWertArt(eAktion)) {
        case LgSichgWertArt::kZahl:
            break;
        case LgSichgWertArt::kLadung:
            richtig = lg;
            break;
        case LgSichgWertArt::kZurrpunkt:
            richtig = p;
            break;
        case LgSichgWertArt::kSchiene:
            richtig = &schiene;
            break;
        }
        std::erase(falsch, richtig);
        falsch.push_back(richtig == zahl ? LgSichgWert(static_cast<CZurrpunkt*>(nullptr)) : zahl);
        wizard.asked.clear();
        wizard.askedWerte.clear();
        int nOut = 99;
        view->QueryAction(eAktion, richtig, &nOut, nullptr, true, nullptr);
        if (lokal.count(eAktion)) {
            EXPECT_TRUE(wizard.asked.empty());
        } else {
            ASSERT_EQ(wizard.asked.size(), 1u);
            EXPECT_EQ(wizard.asked[0], static_cast<int>(eAktion));
            EXPECT_EQ(wizard.askedWerte[0], richtig);
        }
        for (const LgSichgWert& wert : falsch) {
            SCOPED_TRACE(wert.index());
            wizard.asked.clear();
            QString text = QStringLiteral("old");
            nOut = 99;
            EXPECT_FALSE(view->QueryAction(eAktion, wert, &nOut, &text, true, nullptr));
            EXPECT_TRUE(wizard.asked.empty());
            EXPECT_EQ(nOut, -1);
            EXPECT_TRUE(text.isEmpty());
        }
    }
    view->OnFrameNotify(DokumentMeldung::kAbgekoppelt, FahrzeugArt::kAuflieger);
}

TEST_F(LgSichgViewTest, LeaveReasonsMapToViewActions)
{
    Oeffne("LKW");
    using G = VerlassenGrund;
    // Every reason the document gives maps to the wizard's action of that number.
    const std::map<G, int> karte = {{G::kFahrzeugWechseln, 4},       {G::kTabWechseln, 5},
                                    {G::kDokumentOeffnen, 8},        {G::kNeuesDokument, 9},
                                    {G::kFensterSchliessen, 10},     {G::kAbkoppeln, 11},
                                    {G::kNutzflaecheBearbeiten, 12}, {G::kProgrammBeenden, 64}};
    for (const auto& [eGrund, nAktion] : karte) {
        SCOPED_TRACE(int(eGrund));
        EXPECT_EQ(CQORLgSicherungView::VetoAktion(eGrund), LgSichgAktionAusZahl(nAktion));
        // Nothing is refused without a wizard.
        QString text;
        EXPECT_FALSE(view->QueryVeto(eGrund, 0, &text));
        // A wizard that refuses exactly the mapped action refuses the reason, with its text; one that
        // refuses another action lets it go.
        for (const bool bVerweigert : {false, true}) {
            FakeWizardFactory wizards;
            wizards.answers = {{bVerweigert ? nAktion : nAktion + 100, 1}};
            view->ShowWizard(true, false, 0);
            EXPECT_EQ(view->QueryVeto(eGrund, 0, &text), bVerweigert);
            std::string msg;
            EXPECT_EQ(view->CanLeave(eGrund, 0, &msg), bVerweigert);
            EXPECT_EQ(msg.empty(), !bVerweigert);
            view->OnFrameNotify(DokumentMeldung::kAbgekoppelt, 3);
        }
    }
}

TEST_F(LgSichgViewTest, NotificationsReachTheWizardUnderItsOwnCodes)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    view->ShowWizard(true, false, 0);
    ASSERT_TRUE(wizards.last);
    view->OnViewNotify(AnsichtMeldung::kDateiWirdGeschrieben, AnsichtWert::Zahl(5));
    view->OnViewNotify(AnsichtMeldung::kDateiGeschrieben, AnsichtWert::Zahl(6));
    view->OnViewNotify(AnsichtMeldung::kNutzflaecheBearbeitet, AnsichtWert::Zahl(7));
    for (DokumentMeldung eMeldung :
         {DokumentMeldung::kFahrzeugGewechselt, DokumentMeldung::kTabGewechselt,
          DokumentMeldung::kAnsichtAktiviert, DokumentMeldung::kLadeflaecheGeaendert})
        view->OnFrameNotify(eMeldung, int(eMeldung) * 10);
    using M = LgSichgMeldung;
    const std::vector<std::pair<LgSichgMeldung, LgSichgWert>> erwartet = {
        {M::kDateiWirdGeschrieben, std::intptr_t(5)},  {M::kDateiGeschrieben, std::intptr_t(6)},
        {M::kNutzflaecheBearbeitet, std::intptr_t(7)}, {M::kFahrzeugGewechselt, std::intptr_t(10)},
        {M::kTabGewechselt, std::intptr_t(20)},        {M::kAnsichtAktiviert, std::intptr_t(40)},
        {M::kLadeflaecheGeaendert, std::intptr_t(90)}};
    EXPECT_EQ(wizards.last->notified, erwartet);
    // Relayed page events carry the codes as numbers: the numbers stay what they were.
    for (const auto& [eMeldung, nZahl] : {std::pair{M::kDateiWirdGeschrieben, 65},
                                          {M::kDateiGeschrieben, 66},
                                          {M::kNutzflaecheBearbeitet, 52},
                                          {M::kFahrzeugGewechselt, 4},
                                          {M::kTabGewechselt, 5},
                                          {M::kAnsichtAktiviert, 7},
                                          {M::kLadeflaecheGeaendert, 12}})
        EXPECT_EQ(int(eMeldung), nZahl);
    EXPECT_EQ(wizards.last->notified, erwartet);
}
