// The small editing forms: their clamps and checks as tables, and each form driven through its fields.
#include "catalogue/CDlgAddZLs.h"
#include "catalogue/CDlgBemerkungenFhzg.h"
#include "catalogue/CDlgDataOnNewFzg.h"
#include "catalogue/CDlgDsr.h"
#include "catalogue/CDlgEditGewicht.h"
#include "catalogue/CDlgLgRename.h"
#include "catalogue/CDlgLgUeberstand.h"
#include "catalogue/CDlgNutzbareLF.h"

#include "FormTestSupport.h"

#include "model/vehicle/FahrzeugArt.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QValidator>

namespace {

class SmallFormsTest : public FormTest
{
};

TEST_F(SmallFormsTest, OverhangClampsAndWarnsOfFourZerosOnlyWhenAsked)
{
    struct Fall
    {
        int feld;
        const char* text;
        float mm;
    };
    CDlgLgUeberstand dlg;
    dlg.m_dWerte = {0.5, 0.0, 0.0, 0.0};
    dlg.InitDialog();
    EXPECT_EQ(dlg.Feld(0)->GetFloat(), 500.0f);
    for (const Fall& f : {Fall{0, "3000", 2000.0f}, Fall{0, "1999", 1999.0f}, Fall{1, "6000", 5000.0f},
                          Fall{2, "6000", 5000.0f}, Fall{3, "6000", 5000.0f}, Fall{3, "5000", 5000.0f}}) {
        SCOPED_TRACE(std::to_string(f.feld) + " " + f.text);
        Tippe(&dlg, CDlgLgUeberstand::kIdErstes + f.feld, QString::fromLatin1(f.text));
        EXPECT_EQ(dlg.Feld(f.feld)->GetFloat(), f.mm);
    }
    Befehl(&dlg, CDlgBase::kIdOk);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dlg.m_dWerte[0], 1.999);
    EXPECT_DOUBLE_EQ(dlg.m_dWerte[3], 5.0);

    for (bool warnen : {false, true}) {
        SCOPED_TRACE(warnen);
        boxes.Clear();
        CDlgLgUeberstand null;
        null.m_bNullWarnung = warnen;
        null.InitDialog();
        Befehl(&null, CDlgBase::kIdOk);
        EXPECT_EQ(null.result() == QDialog::Accepted, !warnen);
        ASSERT_EQ(boxes.Records().size(), warnen ? 1 : 0);
        if (warnen) {
            EXPECT_EQ(boxes.Records().back().caption, ResText(88));
            EXPECT_EQ(boxes.Records().back().text, ResText(87));
        }
    }
    const FormAblehnung a = CDlgLgUeberstand::Pruefe({0.0, 0.0, 0.0, 0.0}, true);
    EXPECT_EQ(a.nFeld, CDlgLgUeberstand::kIdErstes + 3);
}

TEST_F(SmallFormsTest, MassFormClampsToItsLimitsAndRefusesAnEmptyField)
{
    struct Fall
    {
        const char* text;
        double kg;
    };
    CDlgEditGewicht dlg;
    dlg.m_dMasse = 1.2;
    dlg.m_dUntergrenze = 0.5;
    dlg.m_dObergrenze = 2.0;
    dlg.InitDialog();
    EXPECT_EQ(dlg.Feld()->text(), QStringLiteral("1200"));
    for (const Fall& f : {Fall{"100", 500.0}, Fall{"5000", 2000.0}, Fall{"750", 750.0}}) {
        SCOPED_TRACE(f.text);
        Tippe(&dlg, CDlgEditGewicht::kIdMasse, QString::fromLatin1(f.text));
        EXPECT_EQ(dlg.Feld()->GetDouble(), f.kg);
    }
    EXPECT_EQ(CDlgEditGewicht::Klemme(45000.0, 0.0, 40.0), 40000.0);
    dlg.Feld()->SetText(std::nullopt);
    Befehl(&dlg, CDlgBase::kIdOk);
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records().back().caption, ResText(263));
    EXPECT_EQ(boxes.Records().back().text, ResText(253) + QLatin1Char('!'));
    EXPECT_EQ(boxes.Records().back().icon, IMessageBoxService::Icon::Error);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    Tippe(&dlg, CDlgEditGewicht::kIdMasse, QStringLiteral("900"));
    Befehl(&dlg, CDlgBase::kIdOk);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dlg.m_dMasse, 0.9);
}

TEST_F(SmallFormsTest, NamesOfBlanksAreRefusedAndPathCharactersKeptOut)
{
    struct Fall
    {
        const char* name;
        bool gut;
    };
    const Fall faelle[] = {{"", false}, {"   ", false}, {"\t ", false}, {" Box 1 ", true}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const QString name = QString::fromLatin1(f.name);
        EXPECT_EQ(!CDlgLgRename::Pruefe(name).Abgelehnt(), f.gut);
        EXPECT_EQ(!CDlgDataOnNewFzg::Pruefe(name, false, true).Abgelehnt(), f.gut);
    }
    EXPECT_EQ(CDlgLgRename::Pruefe(QString()).text, ResText(79) + QLatin1Char('!'));
    EXPECT_EQ(CDlgDataOnNewFzg::Pruefe(QString(), false, true).text, ResText(262));

    CDlgLgRename rename;
    rename.m_strName = QStringLiteral("Palette");
    rename.InitDialog();
    EXPECT_EQ(rename.windowTitle(), ResText(33075) + QStringLiteral(": ") + ResText(33079));
    EXPECT_EQ(rename.Feld()->text(), QStringLiteral("Palette"));
    rename.Feld()->setText(QStringLiteral("  "));
    Befehl(&rename, CDlgBase::kIdOk);
    EXPECT_NE(rename.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records().back().icon, IMessageBoxService::Icon::Error);
    rename.Feld()->setText(QStringLiteral(" Kiste "));
    Befehl(&rename, CDlgBase::kIdOk);
    EXPECT_EQ(rename.result(), QDialog::Accepted);
    EXPECT_EQ(rename.m_strName, QStringLiteral("Kiste"));

    CDlgDataOnNewFzg neu;
    neu.InitDialog();
    for (QLineEdit* feld : {rename.Feld(), qobject_cast<QLineEdit*>(ControlId::Find(&neu, 1014))}) {
        ASSERT_NE(feld->validator(), nullptr);
        QString text = QStringLiteral("a\\b|c?d");
        feld->validator()->fixup(text);
        EXPECT_EQ(text, QStringLiteral("abcd"));
    }
}

TEST_F(SmallFormsTest, KindListKeepsItsOrderAndSetsTheForm)
{
    struct Fall
    {
        quint32 text;
        int art;
        double vorgabe;
        bool breite;
        bool varianten;
    };
    const Fall faelle[] = {
        {265, 0, 2550.0, true, false}, {242, 1, 2550.0, true, true},  {241, 2, 2550.0, true, false},
        {293, 4, 2550.0, false, true}, {243, 3, 2550.0, true, false}, {266, 5, 2000.0, true, false},
    };
    CDlgDataOnNewFzg dlg;
    dlg.InitDialog();
    ASSERT_EQ(dlg.Liste()->count(), 6);
    EXPECT_EQ(dlg.Liste()->currentIndex(), 0);
    for (int i = 0; i < 6; ++i) {
        const Fall& f = faelle[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(dlg.Liste()->itemText(i), ResText(f.text));
        EXPECT_EQ(dlg.Liste()->itemData(i).toInt(), f.art);
        const CDlgDataOnNewFzg::SZustand z = CDlgDataOnNewFzg::Zustand(f.art);
        EXPECT_EQ(z.dBreiteVorgabe, f.vorgabe);
        dlg.WaehleEintrag(i);
        EXPECT_EQ(dlg.m_nArt, f.art);
        EXPECT_EQ(dlg.BreitenFeld()->isVisibleTo(&dlg), f.breite);
        EXPECT_EQ(ControlId::Find(&dlg, CDlgDataOnNewFzg::kIdBreiteText)->isEnabled(), f.breite);
        for (int id : {CDlgDataOnNewFzg::kIdVariante1, CDlgDataOnNewFzg::kIdVariante2})
            EXPECT_EQ(ControlId::Find(&dlg, id)->isVisibleTo(&dlg), f.varianten);
        EXPECT_EQ(dlg.windowTitle(), ResText(264) + QStringLiteral(": ") + ResText(f.text));
        // An unreadable width falls back to the kind's restore value.
        Tippe(&dlg, CDlgDataOnNewFzg::kIdBreite, QString());
        if (f.breite) {
            EXPECT_EQ(dlg.BreitenFeld()->GetDouble(), f.vorgabe);
        }
    }
}

TEST_F(SmallFormsTest, NewVehicleWidthIsClampedAndCheckedOnlyWhileShown)
{
    struct Fall
    {
        const char* text;
        double mm;
    };
    CDlgDataOnNewFzg dlg;
    dlg.InitDialog();
    for (const Fall& f : {Fall{"800", 1000.0}, Fall{"6000", 5000.0}, Fall{"2480", 2480.0}}) {
        SCOPED_TRACE(f.text);
        Tippe(&dlg, CDlgDataOnNewFzg::kIdBreite, QString::fromLatin1(f.text));
        EXPECT_EQ(dlg.BreitenFeld()->GetDouble(), f.mm);
    }
    qobject_cast<QLineEdit*>(ControlId::Find(&dlg, 1014))->setText(QStringLiteral("Neu"));
    // A truck with an empty width is refused with text 564.
    dlg.BreitenFeld()->SetText(std::nullopt);
    Befehl(&dlg, CDlgBase::kIdOk);
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records().back().text, ResText(564));
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    // A tractor has no width field, so an empty one does not matter; its second variant is taken.
    dlg.WaehleEintrag(3);
    dlg.BreitenFeld()->SetText(std::nullopt);
    qobject_cast<QRadioButton*>(ControlId::Find(&dlg, CDlgDataOnNewFzg::kIdVariante2))->setChecked(true);
    Befehl(&dlg, CDlgBase::kIdOk);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(dlg.m_nArt, FahrzeugArt::kSattelzugmaschine);
    EXPECT_EQ(dlg.m_nVariante, 2);
    EXPECT_EQ(dlg.m_strName, QStringLiteral("Neu"));
}

TEST_F(SmallFormsTest, CornerDiameterAndRadiusFollowEachOther)
{
    CDlgDsr dlg;
    dlg.InitDialog();
    Tippe(&dlg, CDlgDsr::kIdDurchmesser, QStringLiteral("500"));
    dlg.Verlassen(CDlgDsr::kIdDurchmesser);
    EXPECT_EQ(dlg.Feld(CDlgDsr::kIdRadius)->text(), QStringLiteral("250"));
    // What a field does not take is refused with the whole millimetres it takes, and the other field
    // keeps its value.
    struct Abgelehnt
    {
        int feld;
        const char* text;
        const char* meldung;
    };
    for (const Abgelehnt& a :
         {Abgelehnt{CDlgDsr::kIdDurchmesser, "600", "Enter a whole number from 0 to 500."},
          Abgelehnt{CDlgDsr::kIdRadius, "250.5",
                    "\u201c250.5\u201d is not a whole number. Enter a whole number from 0 to 250."},
          Abgelehnt{CDlgDsr::kIdRadius, "-1", "Enter a whole number from 0 to 250."}}) {
        SCOPED_TRACE(a.text);
        const int anderes = a.feld == CDlgDsr::kIdDurchmesser ? CDlgDsr::kIdRadius : CDlgDsr::kIdDurchmesser;
        const QString vorher = dlg.Feld(anderes)->text();
        Tippe(&dlg, a.feld, QString::fromLatin1(a.text));
        dlg.Verlassen(a.feld);
        EXPECT_TRUE(dlg.Feld(a.feld)->IsRefused());
        EXPECT_EQ(dlg.Feld(a.feld)->text(), QString::fromLatin1(a.text));
        EXPECT_TRUE(dlg.Feld(a.feld)->RefusalMessage().contains(QString::fromUtf8(a.meldung)))
            << dlg.Feld(a.feld)->RefusalMessage().toStdString();
        EXPECT_EQ(dlg.Feld(anderes)->text(), vorher);
    }
    Tippe(&dlg, CDlgDsr::kIdRadius, QStringLiteral("101"));
    dlg.Verlassen(CDlgDsr::kIdRadius);
    EXPECT_EQ(dlg.Feld(CDlgDsr::kIdDurchmesser)->GetInt(), 202);
    // An empty source sets the other to 0.
    dlg.Feld(CDlgDsr::kIdDurchmesser)->setText(QString());
    dlg.Verlassen(CDlgDsr::kIdDurchmesser);
    EXPECT_EQ(dlg.Feld(CDlgDsr::kIdRadius)->GetInt(), 0);

    struct Fall
    {
        bool keine;
        std::optional<int> erste;
        std::optional<int> zweite;
        int ergebnis;
    };
    const Fall faelle[] = {{true, 300, 150, 0},
                           {false, 300, 150, 300},
                           {false, std::nullopt, 120, 240},
                           {false, std::nullopt, std::nullopt, 0},
                           {false, 0, 120, 0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.ergebnis);
        EXPECT_EQ(CDlgDsr::Ergebnis(f.keine, f.erste, f.zweite), f.ergebnis);
    }
    dlg.Feld(CDlgDsr::kIdDurchmesser)->setText(QString());
    Tippe(&dlg, CDlgDsr::kIdRadius, QStringLiteral("40"));
    Befehl(&dlg, CDlgBase::kIdOk);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nErgebnis, 80);
}

TEST_F(SmallFormsTest, UsableAreaStoresTheThirdValueTwiceLocksAndHidesByRule)
{
    const CDlgNutzbareLF::Werte w =
        CDlgNutzbareLF::Speichern({250.0, 150.0, 50.0}, {2, 3, 4}, {0.0, 300.0, 700.0});
    EXPECT_DOUBLE_EQ(w.dLaengen[3], 0.05);
    EXPECT_DOUBLE_EQ(w.dLaengen[0], 0.25);
    EXPECT_EQ(w.nRaster[3], 4);
    EXPECT_FLOAT_EQ(w.fWerte[3], 0.7f);

    auto lkw = Beispiel(QStringLiteral("LKW"));
    auto kep = Beispiel(QStringLiteral("KEP"));
    ASSERT_TRUE(lkw && kep);
    ASSERT_TRUE(kep->IsArt5());
    struct Fall
    {
        const char* was;
        bool ohneInfo;
        const CFahrzeug* aktiv;
        bool verborgen;
    };
    for (const Fall& f : {Fall{"truck", false, lkw.get(), false}, Fall{"van", false, kep.get(), true},
                          Fall{"asked", true, lkw.get(), true}, Fall{"no window", false, nullptr, false}}) {
        SCOPED_TRACE(f.was);
        CDlgNutzbareLF dlg;
        dlg.m_bOhneInfo = f.ohneInfo;
        dlg.m_pAktivFahrzeug = f.aktiv;
        dlg.InitDialog();
        EXPECT_EQ(ControlId::Find(&dlg, CDlgNutzbareLF::kIdInfo)->isVisibleTo(&dlg), !f.verborgen);
    }

    CDlgNutzbareLF dlg;
    dlg.m_Werte.dLaengen = {0.25, 0.15, 0.05, 0.05};
    dlg.m_Werte.nRaster = {1, 2, 3, 9};
    dlg.m_bErsteGesperrt = true;
    dlg.InitDialog();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(dlg.Feld(CDlgNutzbareLF::kIdLaengen + i)->isEnabled());
    EXPECT_TRUE(dlg.Feld(CDlgNutzbareLF::kIdRaster)->isEnabled());
    EXPECT_EQ(dlg.Feld(CDlgNutzbareLF::kIdLaengen)->text(), QStringLiteral("250"));
    Tippe(&dlg, CDlgNutzbareLF::kIdRaster + 2, QStringLiteral("5"));
    Tippe(&dlg, CDlgNutzbareLF::kIdWerte + 1, QStringLiteral("400"));
    Befehl(&dlg, CDlgNutzbareLF::kIdInfo);
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records().back().html.textId, 711);
    EXPECT_EQ(boxes.Records().back().html.captionId, 273);
    Befehl(&dlg, CDlgBase::kIdOk);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_Werte.nRaster[2], 5);
    EXPECT_EQ(dlg.m_Werte.nRaster[3], 5);
    EXPECT_DOUBLE_EQ(dlg.m_Werte.dLaengen[2], 0.05);
    EXPECT_FLOAT_EQ(dlg.m_Werte.fWerte[1], 0.4f);

    dlg.show();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue"));
    EXPECT_TRUE(
        dlg.grab().toImage().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue/usable_area.png")));
}

TEST_F(SmallFormsTest, PlacementChoicesPerPairWithTheirPicture)
{
    CDlgAddZLs neu;
    EXPECT_EQ(neu.m_nWahl1, -1);
    EXPECT_EQ(neu.m_nWahl2, -1);
    neu.Vorbereiten(false);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(ControlId::Find(&neu, 1033))->isChecked());
    EXPECT_TRUE(qobject_cast<QRadioButton*>(ControlId::Find(&neu, 1035))->isChecked());
    EXPECT_EQ(neu.GezeigtesBild(), 222u);
    struct Schritt
    {
        int klick;
        quint32 bild;
    };
    for (const Schritt& s :
         {Schritt{1034, 223}, Schritt{1036, 223}, Schritt{1033, 222}, Schritt{1034, 223}}) {
        SCOPED_TRACE(s.klick);
        neu.Klick(s.klick);
        EXPECT_EQ(neu.GezeigtesBild(), s.bild);
    }
    // The pairs are separate groups.
    EXPECT_TRUE(qobject_cast<QRadioButton*>(ControlId::Find(&neu, 1036))->isChecked());
    qobject_cast<QAbstractButton*>(ControlId::Find(&neu, 1))->click();
    EXPECT_EQ(neu.result(), QDialog::Accepted);
    EXPECT_EQ(neu.m_nWahl1, 1);
    EXPECT_EQ(neu.m_nWahl2, 1);

    CDlgAddZLs bearbeiten;
    bearbeiten.m_nWahl1 = 1;
    bearbeiten.m_nWahl2 = 0;
    bearbeiten.Vorbereiten(true);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(ControlId::Find(&bearbeiten, 1034))->isChecked());
    EXPECT_TRUE(qobject_cast<QRadioButton*>(ControlId::Find(&bearbeiten, 1035))->isChecked());
    EXPECT_EQ(bearbeiten.GezeigtesBild(), 223u);
    EXPECT_EQ(TextVon(&bearbeiten, 1), ResText(68));
}

TEST_F(SmallFormsTest, RemarksMarkAnEdit)
{
    CDlgBemerkungenFhzg dlg(QStringLiteral("Remarks on LKW"), QStringLiteral("old"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Remarks on LKW"));
    EXPECT_EQ(dlg.Text(), QStringLiteral("old"));
    EXPECT_FALSE(dlg.m_bGeaendert);
    dlg.Feld()->appendPlainText(QStringLiteral("new line"));
    EXPECT_TRUE(dlg.m_bGeaendert);
}

} // namespace
