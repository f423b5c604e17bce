// Starting load securing from the view with scripted message boxes, dissolving the active unit, the
// wizard the view owns, Tab between the vehicles and the view as the securing tab of a document.
#include "LgSicherungViewSupport.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/LgSichgViewEvent.h"
#include "model/securing/CLgsMangel.h"
#include "platform/CCmdUI.h"
#include "platform/MenuResource.h"
#include "tests/support/RecordingCmdUI.h"
#include "tests/support/SampleDocument.h"
#include "tests/support/views/StandInViews.h"
#include "ui/CRibBtn.h"
#include "ui/CRibBtnContainer.h"
#include "views/CTabbedViewView.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

#include <functional>

namespace {

// The text numbers of the message boxes shown, in order.
std::vector<int> Boxen(const ScriptedMessageBoxService& boxes)
{
    std::vector<int> ids;
    for (const auto& r : boxes.Records())
        ids.push_back(r.html.textId);
    return ids;
}

} // namespace

TEST_F(LgSichgViewTest, StartOpensTheWizardInTheModeThePlanCallsFor)
{
    struct Fall
    {
        const char* name;
        int nLasten;    // loads of type 0 on the plan
        int nInEinheit; // of them in one unit
        bool bFsm;      // and an FSM item beside them
        int nModus;     // expected start mode
    };
    const Fall faelle[] = {
        {"one unit holds every load", 2, 2, false, 2},
        {"a single free load", 1, 0, false, 1},
        {"a single free load beside an FSM item", 1, 0, true, 1},
        {"two free loads", 2, 0, false, 0},
        {"a unit and a free load", 2, 1, false, 1},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        CQOR1Doc eigenes;
        eigenes.SetFahrzeug(LoadSampleVehicle("LKW").release());
        eigenes.OnDocumentOpened();
        view.reset(new CQORLgSicherungView(&eigenes));
        view->SetProgramRun(&run);
        FakeWizardFactory wizards;
        std::vector<tagLGINFO*> lasten;
        for (int i = 0; i < fall.nLasten; ++i)
            lasten.push_back(Last("Pallet", 0.5 + 1.5 * i, 0.3, 1.2, 0.8, 0.5));
        if (fall.bFsm)
            Last("Wedge", 5.0, 0.3, 0.3, 0.3, 0.01, 5);
        tagLGINFO* frei = nullptr;
        for (int i = 0; i < fall.nLasten; ++i)
            if (i >= fall.nInEinheit)
                frei = lasten[static_cast<std::size_t>(i)];
        if (fall.nInEinheit > 0) {
            CLadeeinheit* le = Einheit({lasten[0]}, true);
            if (fall.nInEinheit == 2) {
                le->AddLadung(lasten[1]->m_strName.c_str(), lasten[1]->m_nNummer, lasten[1]);
                lasten[1]->SetLeId(le->GetId());
            }
        }
        if (frei)
            frei->m_nState |= tagLGINFO::kStateMarked;
        view->OnBefehl(636);
        ASSERT_EQ(wizards.modes, std::vector<int>{fall.nModus});
        EXPECT_TRUE(Boxen(boxes).empty());
        EXPECT_EQ(shell.bClose, false);
        EXPECT_EQ(shell.controls[802], false);
        CLadeeinheit* aktiv = Plan().GetAktiveLadeeinheit();
        if (fall.nModus == 0)
            EXPECT_EQ(aktiv, nullptr);
        else {
            ASSERT_NE(aktiv, nullptr);
            EXPECT_EQ(aktiv->m_bVorhanden, 1);
        }
        if (fall.nModus == 1) {
            // The unit formed for the single load: its id in the load's flag bits, the mark kept.
            EXPECT_EQ(frei->GetLeId(), aktiv->GetId());
            EXPECT_TRUE(frei->m_nState & tagLGINFO::kStateMarked);
            EXPECT_EQ(frei->m_bSelected, 0);
            double x = 0, y = 0, l = 0, b = 0;
            aktiv->GetRechteck(&x, &y, &l, &b);
            EXPECT_DOUBLE_EQ(x, frei->m_dPosX);
            EXPECT_DOUBLE_EQ(l, 1.2);
        }
        view.reset();
    }
}

TEST_F(LgSichgViewTest, StartStopsWhereTheUserOrThePlanSaysSo)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    FakeDialogs dialoge{run};
    CTabbedViewView host(&doc, MakeStandInView);
    view->SetHost(&host);
    run.GetAntworten().bSicherungsHinweisAus = false;
    // The note first; declining it ends the start, ticking its box keeps it away.
    boxes.AddAnswer(708, true);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), std::vector<int>{533});
    EXPECT_TRUE(run.GetAntworten().bSicherungsHinweisAus);
    // No loads: 534, and its button goes to the loading plan.
    boxes.Clear();
    host.SelectTab(2);
    boxes.AddAnswer(791);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), std::vector<int>{534});
    EXPECT_EQ(host.GetSelectedTab(), 1);
    EXPECT_TRUE(wizards.modes.empty());
    // The frame's flag keeps the note away as well.
    run.GetAntworten().bSicherungsHinweisAus = false;
    shell.nFlags = 1;
    boxes.Clear();
    boxes.AddAnswer(705);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), std::vector<int>{534});
    view->SetHost(nullptr);
}

TEST_F(LgSichgViewTest, NoEquipmentAsksAgainAfterEachEditor)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    FakeDialogs dialoge{run};
    Last("Pallet", 0.5, 0.3, 1.2, 0.8, 0.5);
    Last("Pallet", 2.5, 0.3, 1.2, 0.8, 0.5);
    Fahrzeug().m_Zurrpunkte.clear();
    Fahrzeug().m_Zurrschienen.clear();
    // The first editor run is cancelled, the second makes the two rails: two questions, then the wizard.
    dialoge.schienenAntworten = {705, 668};
    dialoge.schiene.dAbstand = 0.05;
    boxes.AddAnswer(748);
    boxes.AddAnswer(748);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), (std::vector<int>{535, 535}));
    EXPECT_EQ(dialoge.runs, (std::vector<int>{748, 748}));
    EXPECT_EQ(Fahrzeug().m_Zurrschienen.size(), 2u);
    EXPECT_EQ(wizards.modes, std::vector<int>{0});
    // Cancelling the question ends the start.
    view->OnFrameNotify(DokumentMeldung::kAbgekoppelt, 3);
    Fahrzeug().m_Zurrschienen.clear();
    boxes.Clear();
    boxes.AddAnswer(705);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), std::vector<int>{535});
    EXPECT_EQ(wizards.modes.size(), 1u);
    // Without lashing devices, note 688 comes with its picture and a box not to show it again.
    auto* s = new CZurrschiene;
    s->m_nSeite = 2;
    Fahrzeug().m_Zurrschienen.emplace_back(s);
    run.GetAntworten().bZurrmittelHinweisAus = false;
    boxes.Clear();
    boxes.AddAnswer(770, true);
    view->OnBefehl(636);
    ASSERT_EQ(Boxen(boxes), std::vector<int>{688});
    EXPECT_EQ(boxes.Records().front().html.iconId, 814);
    EXPECT_TRUE(boxes.Records().front().html.checkBox);
    EXPECT_TRUE(run.GetAntworten().bZurrmittelHinweisAus);
    EXPECT_EQ(wizards.modes.size(), 2u);
}

TEST_F(LgSichgViewTest, TheTickedSecuringNoteStaysAwayForItsRunOnly)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    FakeDialogs dialoge{run};
    run.GetAntworten().bSicherungsHinweisAus = false;
    ProgramRun naechster;
    naechster.GetAntworten().bZurrmittelHinweisAus = true;
    CQORLgSicherungView gleicherLauf(&doc);
    gleicherLauf.SetProgramRun(&run);
    CQORLgSicherungView naechsterLauf(&doc);
    naechsterLauf.SetProgramRun(&naechster);
    // The note is declined with its box ticked wherever it comes.
    const struct
    {
        const char* name;
        CQORLgSicherungView* pView;
        bool bGefragt;
    } faelle[] = {{"first start of the run", view.get(), true},
                  {"again in the same view", view.get(), false},
                  {"another view of the run", &gleicherLauf, false},
                  {"a view of the next run", &naechsterLauf, true}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        boxes.Clear();
        boxes.AddAnswer(708, true);
        fall.pView->OnBefehl(636);
        ASSERT_FALSE(Boxen(boxes).empty());
        EXPECT_EQ(Boxen(boxes).front() == 533, fall.bGefragt);
    }
    EXPECT_TRUE(run.GetAntworten().bSicherungsHinweisAus);
    EXPECT_TRUE(naechster.GetAntworten().bSicherungsHinweisAus);
    EXPECT_TRUE(wizards.modes.empty());
}

TEST_F(LgSichgViewTest, WithAnActiveUnitTheUserGoesOnOrDissolvesIt)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    tagLGINFO* a = Last("Pallet", 0.5, 0.3, 1.2, 0.8, 0.5);
    tagLGINFO* b = Last("Pallet", 2.5, 0.3, 1.2, 0.8, 0.5);
    b->m_nState |= tagLGINFO::kStateMarked;
    CLadeeinheit* le = Einheit({a, b}, true);
    Plan().m_nAktiveLadeeinheit = le->GetId();
    // Go on: the wizard opens on its result.
    boxes.AddAnswer(879);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), std::vector<int>{695});
    EXPECT_EQ(boxes.Records().front().html.buttons.size(), 3); // no defects: no 880
    EXPECT_EQ(wizards.modes, std::vector<int>{3});
    // While the wizard exists 636 shows pressed and does nothing.
    RecordingCmdUI ui;
    view->OnUpdateBefehl(636, &ui);
    EXPECT_EQ(ui.check, 1);
    boxes.Clear();
    view->OnBefehl(636);
    EXPECT_TRUE(Boxen(boxes).empty());
    EXPECT_EQ(wizards.modes.size(), 1u);
    // The wizard closes itself: the view lets it go and the frame's close box comes back.
    LgSichgViewEvent closed(LgSichgViewEvent::kClosedType);
    QCoreApplication::sendEvent(view.get(), &closed);
    EXPECT_EQ(view->GetWizard(), nullptr);
    EXPECT_TRUE(shell.bClose);
    EXPECT_TRUE(shell.controls[802]);
    view->OnUpdateBefehl(636, &ui);
    EXPECT_EQ(ui.check, 0);
    // Dissolve, declined and then confirmed.
    boxes.AddAnswer(821);
    boxes.AddAnswer(708);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), (std::vector<int>{695, 355}));
    EXPECT_EQ(Plan().GetAktiveLadeeinheit(), le);
    boxes.Clear();
    boxes.AddAnswer(821);
    boxes.AddAnswer(668);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), (std::vector<int>{695, 355}));
    EXPECT_EQ(Plan().m_nAktiveLadeeinheit, 0);
    EXPECT_TRUE(Plan().GetLadeeinheiten().empty());
    EXPECT_EQ(a->GetLeId(), 0);
    EXPECT_EQ(b->GetLeId(), 0);
    EXPECT_TRUE(b->m_nState & tagLGINFO::kStateMarked);
    EXPECT_TRUE(doc.IsModified());
    Bild();
    EXPECT_TRUE(view->GetEinheitRegionen().empty());
}

// The idle pass over the strips reaches the view: "Secure loads" shows pressed exactly while a wizard
// exists, whatever a click left on it, and the zoom buttons follow the zoom.
TEST_F(LgSichgViewTest, TheStripsButtonsFollowTheWizardAndTheZoom)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    tagLGINFO* a = Last("Pallet", 0.5, 0.3, 1.2, 0.8, 0.5);
    Plan().m_nAktiveLadeeinheit = Einheit({a}, true)->GetId();
    CRibBtn* sichern = view->GetStreifen(CQORLgSicherungView::kStreifenSichg)->FindButton(636);
    CRibBtn* groesser = view->GetStreifen(CQORLgSicherungView::kStreifenZoom)->FindButton(666);
    ASSERT_TRUE(sichern && groesser);
    // A click checks the button before its command runs; the user then declines.
    sichern->SetCheck(1);
    boxes.AddAnswer(705);
    view->OnBefehl(636);
    CRibBtnContainer::UpdateAllStrips();
    EXPECT_EQ(sichern->Checked(), 0) << "no wizard";
    boxes.AddAnswer(879);
    view->OnBefehl(636);
    ASSERT_NE(view->GetWizard(), nullptr);
    CRibBtnContainer::UpdateAllStrips();
    EXPECT_EQ(sichern->Checked(), 1) << "while the wizard exists";
    LgSichgViewEvent closed(LgSichgViewEvent::kClosedType);
    QCoreApplication::sendEvent(view.get(), &closed);
    CRibBtnContainer::UpdateAllStrips();
    EXPECT_EQ(sichern->Checked(), 0) << "after the wizard closed";

    for (int nIndex : {9, 1}) {
        SCOPED_TRACE(nIndex);
        view->SetZoomIndex(nIndex);
        CRibBtnContainer::UpdateAllStrips();
        EXPECT_EQ(groesser->IsWindowEnabled(), nIndex < 9);
    }
}

TEST_F(LgSichgViewTest, WithADefectiveActiveUnitTheUserCanSeeItsDefects)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    CLadeeinheit* le = Einheit({Last("Pallet", 0.5, 0.3, 1.2, 0.8, 0.5)}, true);
    Plan().m_nAktiveLadeeinheit = le->GetId();
    auto* p = new CLgsMangel(4, 1, le);
    p->SetPaar(0, 1, 0);
    p->SetPaar(1, 2, 0);
    le->AddMangel(p, true);
    // "Defects" shows the unit's defect list, and nothing else happens.
    boxes.AddAnswer(880);
    view->OnBefehl(636);
    ASSERT_EQ(boxes.Records().size(), 2);
    EXPECT_EQ(boxes.Records()[0].html.textId, 695);
    EXPECT_EQ(boxes.Records()[0].html.buttons.size(), 4);
    EXPECT_EQ(boxes.Records()[1].html.captionId, 610);
    EXPECT_TRUE(boxes.Records()[1].html.text.contains(QString::fromStdString(p->GetText())))
        << boxes.Records()[1].html.text.toStdString();
    EXPECT_TRUE(wizards.modes.empty());
    EXPECT_EQ(Plan().GetAktiveLadeeinheit(), le);
}

// Every id taken: a load of no unit gets none (a unit 0 would belong to nobody), with a message.
TEST_F(LgSichgViewTest, AFullPlanFormsNoUnitAndSaysWhy)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    for (int i = 0; i < 63; ++i) {
        tagLGINFO* p = Last("Box", 0.1 * i, 0.0, 0.1, 0.1, 0.01);
        Einheit({p}, true);
    }
    ASSERT_EQ(Plan().GetFreeLadeeinheitId(), 0);
    tagLGINFO* frei = Last("Box", 6.5, 1.5, 0.3, 0.3, 0.01);
    view->OnBefehl(636);
    EXPECT_EQ(Boxen(boxes), std::vector<int>{4121});
    EXPECT_EQ(Plan().GetLadeeinheiten().size(), 63u);
    EXPECT_EQ(frei->GetLeId(), 0);
    EXPECT_EQ(Plan().m_nAktiveLadeeinheit, 0);
    EXPECT_TRUE(wizards.modes.empty());
}

TEST_F(LgSichgViewTest, WhileAWizardExistsTheUnitMenuStaysShut)
{
    Oeffne("LKW");
    tagLGINFO* a = Last("Pallet", 0.5, 0.3, 1.2, 0.8, 0.5);
    CLadeeinheit* le = Einheit({a}, true);
    Plan().m_nAktiveLadeeinheit = le->GetId();
    Bild();
    const QPoint inEinheit = Client(view->GetEinheitRegionen().at(le).center());
    const QPoint amPunkt = Client(view->GetPunktRechtecke().at(Punkte().at(2)).center());
    const QPoint frei = Client(view->GetUrsprung() + QPoint(view->MetresToPixels(6.0), 60));
    struct Fall
    {
        QPoint pt;
        int nPopup; // first command of the popup, 0 for none
    };
    for (const Fall& f : {Fall{inEinheit, 33317}, Fall{amPunkt, 33295}, Fall{frei, 33290}}) {
        view->HitTest(f.pt);
        std::unique_ptr<QMenu> m(view->KontextMenu(f.pt));
        ASSERT_TRUE(m);
        EXPECT_EQ(MenuResource::CommandOf(m->actions().front()), f.nPopup);
    }
    FakeWizardFactory wizards;
    view->ShowWizard(true, false, 0);
    view->HitTest(inEinheit);
    EXPECT_EQ(view->KontextMenu(inEinheit), nullptr);
    view->HitTest(amPunkt);
    std::unique_ptr<QMenu> m(view->KontextMenu(amPunkt));
    EXPECT_TRUE(m);
}

TEST_F(LgSichgViewTest, DestroyingTheViewDestroysTheWizardSheet)
{
    Oeffne("LKW");
    ISecuringWizard::SetFactory(nullptr);
    ASSERT_EQ(view->ShowWizard(true, false, 0), 1);
    ASSERT_TRUE(view->GetWizard());
    QPointer<QWidget> sheet = view->GetWizard()->Window();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(qobject_cast<CPshLgSichgWizard*>(sheet.data()));
    EXPECT_EQ(view->ShowWizard(true, true, 0), -1);
    EXPECT_FALSE(shell.bClose);
    view->ShowWizard(false, false, 0);
    EXPECT_FALSE(view->IsWizardShown());
    EXPECT_TRUE(sheet);
    view.reset();
    EXPECT_FALSE(sheet);
    EXPECT_TRUE(shell.bClose);
}

TEST_F(LgSichgViewTest, AWizardOutOfSightHoldsNothingOfTheFrame)
{
    Oeffne("LKW");
    Last("Pallet", 0.5, 0.3, 1.2, 0.8, 0.5);
    FakeWizardFactory wizards;
    const auto gehalten = [&] {
        RecordingCmdUI ui;
        ui.m_nID = 57602;
        return view->OnUpdateBefehl(57602, static_cast<CCmdUI&>(ui));
    };
    view->OnBefehl(636);
    ASSERT_EQ(wizards.modes, std::vector<int>{1});
    EXPECT_FALSE(shell.bClose);
    EXPECT_FALSE(shell.controls.at(802));
    EXPECT_TRUE(gehalten());
    struct Fall
    {
        const char* name;
        std::function<void()> verstecke;
    };
    const Fall faelle[] = {
        {"hidden by the wizard",
         [&] {
             wizards.last->Window()->hide();
             LgSichgViewEvent hidden(LgSichgViewEvent::kHiddenType);
             QCoreApplication::sendEvent(view.get(), &hidden);
         }},
        {"hidden by the view", [&] { view->ShowWizard(false, false, 0); }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        fall.verstecke();
        EXPECT_FALSE(view->IsWizardShown());
        EXPECT_TRUE(shell.bClose);
        EXPECT_TRUE(shell.controls.at(802));
        EXPECT_FALSE(gehalten()) << "the frame's commands are free";
        // "Secure loads" shows the same wizard again, which holds the frame again.
        view->OnBefehl(636);
        EXPECT_EQ(wizards.modes.size(), 1u);
        EXPECT_TRUE(view->IsWizardShown());
        EXPECT_TRUE(wizards.last->Window()->isVisible());
        EXPECT_FALSE(shell.bClose);
        EXPECT_FALSE(shell.controls.at(802));
        EXPECT_TRUE(gehalten());
    }
}

TEST_F(LgSichgViewTest, TabSwitchesTheVehicleUnlessTheTrailerIsASemitrailer)
{
    struct Fall
    {
        const char* zug;
        const char* anh;
        bool bWechsel;
    };
    for (const Fall& fall : {Fall{"LKW", "GDA", true}, Fall{"SZM", "SAH", false}}) {
        SCOPED_TRACE(fall.anh);
        auto z = LoadSampleVehicle(fall.zug);
        auto a = LoadSampleVehicle(fall.anh);
        ASSERT_TRUE(z && a);
        CoupleInFront(*a, std::move(z));
        CQOR1Doc eigenes;
        eigenes.SetFahrzeug(a.release());
        eigenes.OnDocumentOpened();
        CQORLgSicherungView v(&eigenes);
        const CFahrzeug* vorher = v.GetFahrzeug();
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(&v, &tab);
        EXPECT_EQ(v.GetFahrzeug() != vorher, fall.bWechsel);
        QCoreApplication::sendEvent(&v, &tab);
        EXPECT_EQ(v.GetFahrzeug(), vorher);
    }
}

TEST_F(LgSichgViewTest, TheSecuringTabOfADocumentShowsTheView)
{
    Oeffne("LKW");
    view.reset();
    FakeDialogs dialoge{run};
    CTabbedViewView host(&doc, [](int nKind, CQOR1Doc* pDoc) -> CGetAnsView* {
        if (nKind == CTabbedViewView::kLgSicherung)
            return new CQORLgSicherungView(pDoc);
        return MakeStandInView(nKind, pDoc);
    });
    host.SetProgramRun(&run);
    host.resize(1400, 760);
    auto* v = dynamic_cast<CQORLgSicherungView*>(host.GetView(CTabbedViewView::kLgSicherung));
    ASSERT_TRUE(v);
    ASSERT_TRUE(host.SelectTab(host.FindTabOfKind(CTabbedViewView::kLgSicherung)));
    EXPECT_EQ(host.GetSelectedView(), v);
    v->OnBefehl(827);
    EXPECT_EQ(dialoge.helps, std::vector<quint32>{894});
    // The window as the user sees it: the strips above the load area.
    host.show();
    QCoreApplication::processEvents();
    const QImage img = host.grab().toImage();
    Speichere(img, QStringLiteral("securing_tab.png"));
    EXPECT_FALSE(v->GetLadeflaeche().isEmpty());
    EXPECT_EQ(v->GetPunktRechtecke().size(), v->GetFahrzeug()->GetZurrpunktListe().size());
    // The strips lie side by side above the load area.
    CRibBtnContainer* zoom = v->GetStreifen(CQORLgSicherungView::kStreifenZoom);
    CRibBtnContainer* sichg = v->GetStreifen(CQORLgSicherungView::kStreifenSichg);
    CRibBtnContainer* hilfe = v->GetStreifen(CQORLgSicherungView::kStreifenHilfe);
    EXPECT_EQ(zoom->x(), 15);
    EXPECT_EQ(sichg->x(), zoom->x() + zoom->width() + 10);
    EXPECT_EQ(hilfe->x(), sichg->x() + sichg->width() + 10);
    EXPECT_LT(sichg->y() + sichg->height(), v->GetLadeflaeche().top());
}
