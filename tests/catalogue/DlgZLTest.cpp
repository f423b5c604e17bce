// The ZL-item editor: its limits as a table, the kinds' effect on the form, OK and the distance field.
#include "catalogue/CDlgZL.h"

#include "FormTestSupport.h"

#include "ui/ResourcePictures.h"

#include <QRadioButton>
#include <QValidator>

namespace {

class DlgZLTest : public FormTest
{
};

CDlgZL::Eingabe Gueltig(int art)
{
    CDlgZL::Eingabe e;
    e.nArt = art;
    e.name = QStringLiteral("Kran");
    e.dMasse = 500.0;
    if (art == 0) {
        e.dGroesse1 = 1000.0;
        e.dGroesse2 = 1000.0;
    }
    return e;
}

TEST_F(DlgZLTest, LimitsOfOk)
{
    struct Fall
    {
        const char* was;
        int art;
        void (*setze)(CDlgZL::Eingabe&);
        int feld; // 0: accepted
    };
    const Fall faelle[] = {
        {"first size 5000 passes", 0, [](CDlgZL::Eingabe& e) { e.dGroesse1 = 5000.0; }, 0},
        {"first size 5001", 0, [](CDlgZL::Eingabe& e) { e.dGroesse1 = 5001.0; }, CDlgZL::kIdGroesse1},
        {"first size 99", 0, [](CDlgZL::Eingabe& e) { e.dGroesse1 = 99.0; }, CDlgZL::kIdGroesse1},
        {"first size 100 passes", 0, [](CDlgZL::Eingabe& e) { e.dGroesse1 = 100.0; }, 0},
        {"second size 4000 passes", 0, [](CDlgZL::Eingabe& e) { e.dGroesse2 = 4000.0; }, 0},
        {"second size 4001", 0, [](CDlgZL::Eingabe& e) { e.dGroesse2 = 4001.0; }, CDlgZL::kIdGroesse2},
        {"second size 99", 0, [](CDlgZL::Eingabe& e) { e.dGroesse2 = 99.0; }, CDlgZL::kIdGroesse2},
        {"sizes unchecked for kind 3", 3, [](CDlgZL::Eingabe& e) { e.dGroesse1 = 9000.0; }, 0},
        {"mass 1 kg passes", 4, [](CDlgZL::Eingabe& e) { e.dMasse = 1.0; }, 0},
        {"mass 10000 kg passes", 0, [](CDlgZL::Eingabe& e) { e.dMasse = 10000.0; }, 0},
        {"mass 10001 kg", 6, [](CDlgZL::Eingabe& e) { e.dMasse = 10001.0; }, CDlgZL::kIdMasse},
        {"height unchecked while not counted", 0, [](CDlgZL::Eingabe& e) { e.dHoehe = 0.0; }, 0},
        {"height 0 counted", 0,
         [](CDlgZL::Eingabe& e) {
             e.bMitHoehe = true;
             e.dHoehe = 0.0;
         },
         CDlgZL::kIdHoehe},
        {"height 3000 counted", 0,
         [](CDlgZL::Eingabe& e) {
             e.bMitHoehe = true;
             e.dHoehe = 3000.0;
         },
         0},
        {"height 3001 counted", 0,
         [](CDlgZL::Eingabe& e) {
             e.bMitHoehe = true;
             e.dHoehe = 3001.0;
         },
         CDlgZL::kIdHoehe},
        {"height of kind 2 unchecked", 2,
         [](CDlgZL::Eingabe& e) {
             e.bMitHoehe = true;
             e.dHoehe = 9000.0;
         },
         0},
        {"distance -5000 kind 1", 1, [](CDlgZL::Eingabe& e) { e.dAbstand = -5000.0; }, 0},
        {"distance -5000 kind 5", 5, [](CDlgZL::Eingabe& e) { e.dAbstand = -5000.0; }, 0},
        {"distance 5001 kind 5", 5, [](CDlgZL::Eingabe& e) { e.dAbstand = 5001.0; }, CDlgZL::kIdAbstand},
        {"distance -5001 kind 1", 1, [](CDlgZL::Eingabe& e) { e.dAbstand = -5001.0; }, CDlgZL::kIdAbstand},
        {"distance unchecked for kind 2", 2, [](CDlgZL::Eingabe& e) { e.dAbstand = -9000.0; }, 0},
        {"distance unchecked for kind 0", 0, [](CDlgZL::Eingabe& e) { e.dAbstand = 9000.0; }, 0},
        {"empty name", 2, [](CDlgZL::Eingabe& e) { e.name = QStringLiteral("  "); }, CDlgZL::kIdName},
        {"empty name before the sizes", 0,
         [](CDlgZL::Eingabe& e) {
             e.name.clear();
             e.dGroesse1 = 1.0;
         },
         CDlgZL::kIdName},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        CDlgZL::Eingabe e = Gueltig(f.art);
        f.setze(e);
        const FormAblehnung a = CDlgZL::Pruefe(e);
        EXPECT_EQ(a.nFeld, f.feld);
        if (f.feld != 0) {
            EXPECT_EQ(a.nTitel, f.feld == CDlgZL::kIdName ? 263u : 168u);
        }
    }
    // Every kind refuses a mass of 0 kg.
    for (int art = 0; art < CDlgZL::kArtAnzahl; ++art) {
        SCOPED_TRACE(art);
        CDlgZL::Eingabe e = Gueltig(art);
        e.dMasse = 0.0;
        EXPECT_EQ(CDlgZL::Pruefe(e).nFeld, CDlgZL::kIdMasse);
    }
    // The texts carry their limits.
    CDlgZL::Eingabe e = Gueltig(0);
    e.dGroesse1 = 6000.0;
    const QString text = CDlgZL::Pruefe(e).text;
    EXPECT_TRUE(text.contains(QStringLiteral("100")) && text.contains(QStringLiteral("5000")) &&
                text.endsWith(QLatin1Char('!')))
        << text.toStdString();
}

TEST_F(DlgZLTest, KindsOutsideTheRangeActAsZero)
{
    for (int art : {-1, 7, 99}) {
        SCOPED_TRACE(art);
        EXPECT_EQ(CDlgZL::NormArt(art), 0);
        EXPECT_EQ(CDlgZL::BildId(art), 214u);
    }
    EXPECT_EQ(CDlgZL::StandardNameId(-1), 625u);
    CDlgZL dlg;
    dlg.m_nArt = 12;
    dlg.InitDialog();
    EXPECT_EQ(dlg.GewaehlteArt(), 0);
    EXPECT_EQ(dlg.Feld(CDlgZL::kIdName)->text(), ResText(623));
}

TEST_F(DlgZLTest, EachKindSetsPictureNameAndFields)
{
    struct Fall
    {
        int art;
        quint32 bild;
        quint32 name;
        bool abstand;
    };
    const Fall faelle[] = {{0, 214, 623, false}, {1, 213, 629, true},  {2, 215, 626, false},
                           {3, 212, 630, false}, {4, 211, 627, false}, {5, 216, 622, true},
                           {6, 219, 628, false}};
    CDlgZL dlg;
    dlg.m_nArt = 0;
    dlg.InitDialog();
    auto* mit = qobject_cast<QRadioButton*>(ControlId::Find(&dlg, CDlgZL::kIdMitHoehe));
    EXPECT_TRUE(mit->isChecked()) << "kind 0 starts with the height counted";
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.art);
        Tippe(&dlg, CDlgZL::kIdGroesse1, QStringLiteral("1200"));
        Befehl(&dlg, CDlgZL::RadioId(f.art));
        EXPECT_EQ(dlg.GewaehlteArt(), f.art);
        EXPECT_EQ(dlg.Feld(CDlgZL::kIdName)->text(), ResText(f.name));
        EXPECT_EQ(
            dlg.Bild().GetImage().convertToFormat(QImage::Format_RGB32),
            LoadCxImageFromResource(f.bild, PICTURE_FORMAT_BITMAP).convertToFormat(QImage::Format_RGB32));
        const bool frei = f.art == 0;
        EXPECT_EQ(dlg.Feld(CDlgZL::kIdGroesse1)->isEnabled(), frei);
        EXPECT_EQ(dlg.Feld(CDlgZL::kIdGroesse1)->GetDouble(), frei ? 1200.0 : 0.0);
        EXPECT_EQ(ControlId::Find(&dlg, CDlgZL::kIdOhneHoehe)->isEnabled(), frei);
        if (f.art != 0 && f.art != 2) {
            EXPECT_TRUE(
                qobject_cast<QRadioButton*>(ControlId::Find(&dlg, CDlgZL::kIdOhneHoehe))->isChecked());
        }
        for (int id : {1086, 1336, CDlgZL::kIdAbstand})
            EXPECT_EQ(ControlId::Find(&dlg, id)->isVisibleTo(&dlg), f.abstand) << id;
    }
    // Not counting the height empties and locks its field.
    Befehl(&dlg, CDlgZL::RadioId(0));
    Befehl(&dlg, CDlgZL::kIdMitHoehe);
    Tippe(&dlg, CDlgZL::kIdHoehe, QStringLiteral("800"));
    EXPECT_TRUE(dlg.Feld(CDlgZL::kIdHoehe)->isEnabled());
    Befehl(&dlg, CDlgZL::kIdOhneHoehe);
    EXPECT_FALSE(dlg.Feld(CDlgZL::kIdHoehe)->isEnabled());
    EXPECT_TRUE(dlg.Feld(CDlgZL::kIdHoehe)->text().isEmpty());
}

TEST_F(DlgZLTest, OkStoresMetresAndTonnesOrRefusesWithTheFieldSelected)
{
    CDlgZL dlg;
    dlg.m_nArt = 5;
    dlg.m_dMasse = 7.0; // every number starts at 0 whatever the caller set
    dlg.InitDialog();
    EXPECT_EQ(dlg.Feld(CDlgZL::kIdMasse)->GetDouble(), 0.0);
    Befehl(&dlg, CDlgBase::kIdOk);
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records().back().caption, ResText(168));
    EXPECT_EQ(boxes.Records().back().icon, IMessageBoxService::Icon::Warning);
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    Tippe(&dlg, CDlgZL::kIdMasse, QStringLiteral("1500"));
    Tippe(&dlg, CDlgZL::kIdAbstand, QStringLiteral("-300"));
    dlg.Feld(CDlgZL::kIdName)->SetText(QStringLiteral(" "));
    Befehl(&dlg, CDlgBase::kIdOk);
    ASSERT_EQ(boxes.Records().size(), 2);
    EXPECT_EQ(boxes.Records().back().caption, ResText(263));
    // The empty name is replaced by the kind's default name, selected.
    EXPECT_EQ(dlg.Feld(CDlgZL::kIdName)->text(), ResText(622));
    EXPECT_TRUE(dlg.Feld(CDlgZL::kIdName)->hasSelectedText());
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    Befehl(&dlg, CDlgBase::kIdOk);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nArt, 5);
    EXPECT_EQ(dlg.m_strName, ResText(622));
    EXPECT_DOUBLE_EQ(dlg.m_dMasse, 1.5);
    EXPECT_DOUBLE_EQ(dlg.m_dAbstand, -0.3);
    EXPECT_EQ(dlg.m_dGroesse1, 0.0);
}

TEST_F(DlgZLTest, DistanceTakesOneLeadingMinusAndNamesNoPathCharacters)
{
    CDlgZL dlg;
    dlg.m_nArt = 1;
    dlg.InitDialog();
    const QValidator* v = dlg.Feld(CDlgZL::kIdAbstand)->validator();
    ASSERT_NE(v, nullptr);
    struct Fall
    {
        const char* text;
        bool gut;
    };
    for (const Fall& f : {Fall{"-1200", true}, Fall{"1200", true}, Fall{"12-0", false}, Fall{"--1", false},
                          Fall{"1e3", false}}) {
        SCOPED_TRACE(f.text);
        QString t = QString::fromLatin1(f.text);
        int pos = 0;
        EXPECT_EQ(v->validate(t, pos) == QValidator::Acceptable, f.gut);
    }
    const QValidator* name = dlg.Feld(CDlgZL::kIdName)->validator();
    ASSERT_NE(name, nullptr);
    QString pfad = QStringLiteral("a/b:c");
    name->fixup(pfad);
    EXPECT_EQ(pfad, QStringLiteral("abc"));
}

TEST_F(DlgZLTest, PictureOfTheForm)
{
    CDlgZL dlg;
    dlg.m_nArt = 0;
    dlg.InitDialog();
    Tippe(&dlg, CDlgZL::kIdGroesse1, QStringLiteral("2400"));
    Tippe(&dlg, CDlgZL::kIdGroesse2, QStringLiteral("1100"));
    Tippe(&dlg, CDlgZL::kIdMasse, QStringLiteral("850"));
    dlg.show();
    const QImage shot = dlg.grab().toImage();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue"));
    EXPECT_TRUE(shot.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue/zl_editor.png")));
    // The kind picture lies in its frame: not all white.
    const QRect frame = ControlId::Find(&dlg, CDlgZL::kIdBild)->geometry();
    bool farbig = false;
    for (int y = frame.top() + 5; y < frame.bottom() - 5 && !farbig; ++y)
        for (int x = frame.left() + 5; x < frame.right() - 5 && !farbig; ++x)
            farbig = (shot.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_TRUE(farbig);
}

} // namespace
