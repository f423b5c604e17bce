// The securing of a load unit told three ways, walked through the program's own wizard over the
// load-securing view of a sample vehicle: the wizard's result page, the unit's defect list and the mark
// the view draws over the unit must say the same.
#include "FarbBild.h"
#include "LgSicherungViewSupport.h"

#include "draw2d/SicherungsMarke.h"
#include "loadsecuring/CPgLgSichgPage11.h"
#include "loadsecuring/CPgLgSichgPage5.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/securing/CLgsMangel.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"

#include <QAbstractButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

// The secured tick is green; nothing else in the view is.
bool Gruen(QRgb c)
{
    return qGreen(c) > qRed(c) + 60 && qGreen(c) > qBlue(c) + 60;
}

bool MangelRot(QRgb c)
{
    return Gleich(c, SicherungsMarke::kFarbeMaengel);
}

// The unit's pairs of opposite lashing points with both points there.
int Paare(const CLadeeinheit& le)
{
    return static_cast<int>(std::count_if(le.m_ZPPtrTupel.begin(), le.m_ZPPtrTupel.end(),
                                          [](const auto& t) { return t && t->IsVollstaendig(); }));
}

// The titles of every kind of defect the calculation makes.
constexpr quint32 kMangelTitel[] = {593, 594, 595, 604, 606, 619, 4140};

} // namespace

TEST_F(LgSichgViewTest, ResultPageDefectListAndViewMarkSayTheSame)
{
    struct Fall
    {
        const char* name;
        const char* fahrzeug;
        double dMitte;  // middle of the unit along the load area, metres from its front
        double dLaenge; // the unit's length along the vehicle
        int nPaare;     // pairs of opposite lashing points beside it, counted by hand
    };
    // The sample truck has lashing points on both sides at 0.5, 1.5 ... 6.5 m, the two-axle drawbar
    // trailer at 0.5, 1.533, 2.567, 3.6 ... 6.7 m.
    const Fall faelle[] = {
        {"a Euro pallet on the truck", "LKW", 1.6, 1.2, 1},
        {"a long crate on the truck", "LKW", 2.0, 2.4, 2},
        {"a crate along four pairs of the truck", "LKW", 3.0, 4.4, 4},
        {"a Euro pallet on the drawbar trailer", "GDA", 1.8, 1.2, 1},
        {"a long crate on the drawbar trailer", "GDA", 3.0, 2.4, 2},
        {"a short box between two points of the truck", "LKW", 2.0, 0.6, 0},
    };
    // The result page writes its sketch beside the pictures.
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const BilderOrdner folder(ordner.path());
    int nOhneMangel = 0;
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        CQOR1Doc eigenes;
        eigenes.SetFahrzeug(LoadSampleVehicle(fall.fahrzeug).release());
        eigenes.OnDocumentOpened();
        view.reset(new CQORLgSicherungView(&eigenes));
        view->SetProgramRun(&run);
        view->resize(1400, 700);
        double dRand = 0.0;
        Fahrzeug().AddRandabstand(&dRand, nullptr);
        Last("Goods", fall.dMitte - fall.dLaenge / 2 - dRand, 0.3, fall.dLaenge, 0.8, 0.5);

        // "Secure loads" forms a unit of the one load and opens the wizard, which the user walks to its
        // result: the simple method to the vehicle's lashing points, friction 0.3, a strap of STF 250 daN
        // and LC 2500 daN.
        boxes.Clear();
        view->OnBefehl(636);
        ASSERT_NE(view->GetWizard(), nullptr);
        auto* wizard = qobject_cast<CPshLgSichgWizard*>(view->GetWizard()->Window());
        ASSERT_NE(wizard, nullptr);
        CLadeeinheit* le = Plan().GetAktiveLadeeinheit();
        ASSERT_NE(le, nullptr);
        ASSERT_EQ(le->m_Lgs.size(), 1u);
        for (int nSchritt = 0; wizard->ActiveIndex() != CPshLgSichgWizard::kResultPage; ++nSchritt) {
            ASSERT_LT(nSchritt, 12) << "the wizard does not reach its result";
            CPgLgSichgBase2* page = wizard->GetPage(wizard->ActiveIndex());
            if (wizard->ActiveIndex() == 3) {
                auto* reibung =
                    qobject_cast<CEditLast*>(ControlId::Find(page, CPgLgSichgPage5::kIdOhneMatte));
                ASSERT_NE(reibung, nullptr);
                reibung->SetDouble(0.3);
            }
            if (wizard->ActiveIndex() == 4) {
                // The automatic attachment points need two lashing points along the unit.
                auto* automatisch =
                    qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage11::kIdAutomatisch));
                ASSERT_NE(automatisch, nullptr);
                automatisch->setChecked(fall.nPaare > 1);
            }
            if (wizard->ActiveIndex() == 7) {
                CWizardParams& wp = wizard->GetParams();
                wp.m_nZurrmittelTyp = 0;
                wp.m_nVorspannkraft = 250;
                wp.m_nZurrkraft = 2500;
            }
            const int nVorher = wizard->ActiveIndex();
            ASSERT_TRUE(wizard->GoToPage(nVorher + 1))
                << "page " << nVorher << " refused: "
                << (boxes.Records().isEmpty() ? std::string()
                                              : boxes.Records().last().html.text.toStdString());
        }
        ASSERT_EQ(wizard->GetParams().m_nVerfahren, 0);
        ASSERT_EQ(wizard->GetParams().m_nQuerQuelle, 0);
        const QString ergebnis = wizard->GetPage(CPshLgSichgWizard::kResultPage)->HintHtml();
        ASSERT_FALSE(ergebnis.isEmpty());

        // The pairs beside the unit are found, on every vehicle.
        EXPECT_EQ(Paare(*le), fall.nPaare);
        int nQuelle = -1, nSpann = 0, nPaare = -1;
        const int nZurrmittel = le->GetZurrParameter(&nQuelle, &nSpann, &nPaare);
        EXPECT_EQ(nPaare, fall.nPaare);

        // The defect list the view shows for the unit.
        boxes.Clear();
        view->ShowMaengel(nullptr);
        ASSERT_EQ(boxes.Records().size(), 1);
        const QString liste = boxes.Records().last().html.text;

        bool bMangel = false;
        for (quint32 nTitel : kMangelTitel) {
            SCOPED_TRACE(nTitel);
            const QString titel = QString::fromStdString(EscapeHtml(LoadResString(nTitel)));
            const bool bImErgebnis = ergebnis.contains(titel);
            EXPECT_EQ(liste.contains(QStringLiteral("<b>") + titel + QStringLiteral("</b>")), bImErgebnis)
                << liste.toStdString();
            bMangel = bMangel || bImErgebnis;
        }
        EXPECT_EQ(le->CountMaengel(1) > 0, bMangel);
        nOhneMangel += bMangel ? 0 : 1;
        if (ergebnis.contains(QString::fromStdString(EscapeHtml(LoadResString(594))))) {
            // Too few pairs: both say how many pairs there are, the same as the unit has.
            const QString zahlen = QString::fromStdString(FormatResChecked(590, {fall.nPaare, nZurrmittel}));
            EXPECT_TRUE(ergebnis.contains(zahlen)) << ergebnis.toStdString();
            EXPECT_TRUE(liste.contains(zahlen)) << liste.toStdString();
            EXPECT_LT(fall.nPaare, nZurrmittel);
        }

        // The view's mark: the tick only without defects, the defect mark with them.
        EXPECT_EQ(view->EinheitKennzeichen(*le),
                  bMangel ? SicherungsStand::kMaengel : SicherungsStand::kGesichert);
        const QImage bild = Bild();
        Speichere(bild, QStringLiteral("befund_%1_%2.png").arg(fall.fahrzeug).arg(fall.dLaenge));
        EXPECT_EQ(Zaehle(bild, bild.rect(), MangelRot) > 20, bMangel);
        EXPECT_EQ(Zaehle(bild, bild.rect(), Gruen) > 20, !bMangel);
        view.reset();
    }
    EXPECT_GT(nOhneMangel, 0) << "one unit at least is secured without defects";
}
