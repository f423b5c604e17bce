// One verdict per load unit, marked alike everywhere: the loading plan (and with it the plan report's
// picture), the securing view, the securing report's sketch and the report dialog take the unit's
// mark from GetSicherungsStand, for a unit secured without defects, one with defects and one whose
// securing was started but never calculated.
#include "LgSicherungViewSupport.h"

#include "draw2d/SicherungsMarke.h"
#include "model/plan/SicherungsStand.h"
#include "model/securing/CLgsMangel.h"
#include "reports/CDlgDrucken2.h"
#include "ui/ControlId.h"
#include "views/CQOR2View.h"

#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QTemporaryDir>

#include <array>
#include <string>

namespace {

// What the pixels that a mark changed look like: how many of them are green, red and grey.
struct Marke
{
    int gruen = 0;
    int rot = 0;
    int grau = 0;
};

// Compares a picture with the same picture of the unit outside the securing (no mark at all).
Marke Vergleiche(const QImage& mit, const QImage& ohne)
{
    Marke m;
    if (mit.size() != ohne.size())
        return m;
    for (int y = 0; y < mit.height(); ++y)
        for (int x = 0; x < mit.width(); ++x) {
            const QRgb c = mit.pixel(x, y);
            if ((c & 0xFFFFFF) == (ohne.pixel(x, y) & 0xFFFFFF))
                continue;
            // The marks' own colours by hue: a green tick, a red disc (redder than the brown lashings
            // and the orange warning corners, also where the plan lays it half-transparent over the
            // unit) and a mid grey disc (neither the black lines nor their light edges).
            const QColor farbe = QColor::fromRgb(c);
            const int h = farbe.hsvHue(), sat = farbe.hsvSaturation(), v = farbe.value();
            if (sat > 80 && h >= 90 && h <= 150)
                ++m.gruen;
            else if (sat > 100 && (h <= 12 || h >= 345))
                ++m.rot;
            else if (sat < 30 && v > 100 && v < 185)
                ++m.grau;
        }
    return m;
}

} // namespace

TEST_F(LgSichgViewTest, OneVerdictGivesTheSameMarkInEveryPlaceThatShowsTheUnit)
{
    Oeffne("LKW");
    tagLGINFO* lg = Last("Crate", 2.0, 0.6, 1.6, 1.0, 0.8);
    CLadeeinheit* le = Einheit({lg}, false);
    Plan().m_nAktiveLadeeinheit = le->GetId();
    CQOR2View plan(&doc);
    plan.SetProgramRun(&run);
    plan.resize(1400, 700);
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const auto skizze = [&](const char* name) {
        const QString pfad = ordner.filePath(QString::fromLatin1(name) + QStringLiteral(".bmp"));
        EXPECT_TRUE(view->RenderSnapshot(3, pfad, &Fahrzeug()));
        return QImage(pfad).convertToFormat(QImage::Format_RGB32);
    };
    const auto dialogZaehlt = [&] {
        CDlgDrucken2 d(&doc, &Fahrzeug(), nullptr);
        d.InitDialog();
        auto* box = qobject_cast<QAbstractButton*>(ControlId::Find(&d, CDlgDrucken2::kIdLgs1));
        EXPECT_NE(box, nullptr);
        return box ? std::make_pair(box->isChecked(), box->text().toStdString())
                   : std::make_pair(false, std::string());
    };

    // The pictures without any mark: the unit outside the securing.
    ASSERT_EQ(GetSicherungsStand(*le), SicherungsStand::kKeine);
    const QImage planOhne = plan.RenderPicture(QSize(1400, 700)).convertToFormat(QImage::Format_RGB32);
    const QImage ansichtOhne = Bild().convertToFormat(QImage::Format_RGB32);
    const QImage skizzeOhne = skizze("ohne");
    EXPECT_EQ(dialogZaehlt(), std::make_pair(false, std::string("Load securing [0]")));

    struct Fall
    {
        const char* name;
        SicherungsStand stand;
        Marke erwartet; // which colour the mark shows (1) and which not (0)
        bool bBericht;
    };
    const Fall faelle[] = {
        {"started, never calculated", SicherungsStand::kNichtBerechnet, {0, 0, 1}, false},
        {"calculated with defects", SicherungsStand::kMaengel, {0, 1, 0}, true},
        {"calculated without defects", SicherungsStand::kGesichert, {1, 0, 0}, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        le->m_bVorhanden = 1;
        le->ClearMaengel();
        le->m_nZurrParam[0] = fall.stand == SicherungsStand::kNichtBerechnet ? -1 : 2;
        if (fall.stand == SicherungsStand::kMaengel) {
            le->AddMangel(new CLgsMangel(2, 0, le), true);
        }
        ASSERT_EQ(GetSicherungsStand(*le), fall.stand);

        const QImage planBild = plan.RenderPicture(QSize(1400, 700)).convertToFormat(QImage::Format_RGB32);
        const QImage ansichtBild = Bild().convertToFormat(QImage::Format_RGB32);
        const QImage skizzeBild = skizze(fall.name);
        const std::string datei = std::string("urteil_") + std::to_string(static_cast<int>(fall.stand));
        Speichere(planBild, QString::fromStdString(datei + "_plan.png"));
        Speichere(ansichtBild, QString::fromStdString(datei + "_ansicht.png"));
        Speichere(skizzeBild, QString::fromStdString(datei + "_skizze.png"));
        const std::array<std::pair<const char*, Marke>, 3> marken = {{
            {"loading plan", Vergleiche(planBild, planOhne)},
            {"securing view", Vergleiche(ansichtBild, ansichtOhne)},
            {"report sketch", Vergleiche(skizzeBild, skizzeOhne)},
        }};
        for (const auto& [wo, m] : marken) {
            SCOPED_TRACE(wo);
            EXPECT_EQ(m.gruen > 60, fall.erwartet.gruen == 1) << m.gruen;
            EXPECT_EQ(m.rot > 60, fall.erwartet.rot == 1) << m.rot;
            EXPECT_EQ(m.grau > 60, fall.erwartet.grau == 1) << m.grau;
        }
        // The report dialog offers a securing report only for a calculated unit.
        EXPECT_EQ(dialogZaehlt(),
                  std::make_pair(fall.bBericht,
                                 std::string(fall.bBericht ? "Load securing [1]" : "Load securing [0]")));
    }
}
