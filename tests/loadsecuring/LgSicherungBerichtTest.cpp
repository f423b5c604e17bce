// The load-securing view's report picture: its size from the load area, what it shows, the zoom kept,
// and no stale picture after a failure.
#include "FarbBild.h"
#include "LgSicherungViewSupport.h"

#include "model/securing/CLgsMangel.h"
#include "model/securing/CLgspReport.h"
#include "model/text/HtmlText.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

namespace {

QRgb Pixel(const QImage& img, QPoint pt)
{
    return img.pixel(pt) | 0xFF000000u;
}

} // namespace

TEST_F(LgSichgViewTest, ReportPictureShowsTheLoadAreaWithTheActiveUnitOnly)
{
    OeffneSattelzug();
    CFahrzeug& f = Fahrzeug();
    tagLGINFO* a = Last("Pallet", 0.5, 0.3, 1.2, 0.8, 0.6);
    tagLGINFO* b = Last("Pallet", 2.5, 0.3, 1.2, 0.8, 0.6);
    tagLGINFO* d = Last("Box", 8.0, 1.0, 0.8, 0.6, 0.3);
    d->m_nState |= tagLGINFO::kStateMarked;
    Einheit({a}, false);
    CLadeeinheit* aktiv = Einheit({b}, false);
    Plan().m_nAktiveLadeeinheit = aktiv->GetId();
    view->SetZoomIndex(2);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int nZoom : {1, 5, 9}) {
        SCOPED_TRACE(nZoom);
        const QString path = dir.filePath(QStringLiteral("lgsp%1.bmp").arg(nZoom));
        ASSERT_TRUE(view->RenderSnapshot(nZoom, path));
        // The view is back at its own zoom.
        EXPECT_EQ(view->GetZoomIndex(), 2);
        EXPECT_DOUBLE_EQ(view->GetZoom(), 125 * CQORLgSicherungView::kBasisZoom / 100.0);
        EXPECT_FALSE(view->IsSnapshot());
        int nBreite = 0, nHoehe = 0;
        ASSERT_TRUE(ReadBitmapSize(path.toStdString(), &nBreite, &nHoehe));
        const QImage img(path);
        ASSERT_FALSE(img.isNull());
        // Measured at the picture's zoom.
        const double dZoom = CQORLgSicherungView::kZoomStufen[static_cast<std::size_t>(nZoom)] *
                             CQORLgSicherungView::kBasisZoom / 100.0;
        view->SetZoomIndex(nZoom);
        const auto M = [&](double m) { return view->MetresToPixels(m); };
        const int L = M(f.GetLFLaenge()), W = M(f.GetLFBreite());
        EXPECT_EQ(nBreite, L + 20);
        EXPECT_EQ(nHoehe, W + 40);
        EXPECT_EQ(img.size(), QSize(L + 20, W + 40));
        EXPECT_GT(dZoom, 0.0);
        const double rx = f.GetRandabstand(0), ry = f.GetRandabstand(1);
        const auto Mitte = [&](const tagLGINFO* lg) {
            return QPoint(10 + M(rx + lg->m_dPosX + lg->GetDimX() / 2),
                          20 + M(ry + lg->m_dPosY + lg->GetDimY() / 2));
        };
        // A load outside every unit is left out, a load of another unit is drawn without its unit.
        EXPECT_FALSE(Gleich(Pixel(img, Mitte(d)), LgSichgSkizze::kFarbeLadung));
        EXPECT_TRUE(Gleich(Pixel(img, Mitte(a)), LgSichgSkizze::kFarbeLadung));
        // The active unit covers its load.
        EXPECT_FALSE(Gleich(Pixel(img, Mitte(b)), LgSichgSkizze::kFarbeLadung));
        // The far end of the load area is in the picture: its outline is drawn there.
        const int y = 20 + W / 2;
        EXPECT_FALSE(Gleich(Pixel(img, QPoint(10 + L - 1, y)), 0xFFFFFFFF)) << "outline at the end";
        EXPECT_TRUE(Gleich(Pixel(img, QPoint(10 + L + 5, y)), 0xFFFFFFFF)) << "margin after the end";
        if (nZoom == 5)
            Speichere(img, QStringLiteral("report_picture_zoom5.png"));
        view->SetZoomIndex(2);
    }
}

// A picture that cannot be made answers false, leaves no file (an old one is removed first) and keeps
// the zoom.
void PruefeFehlschlag(CQORLgSicherungView& view, const QString& path, bool bAlteDatei)
{
    if (bAlteDatei) {
        QFile alt(path);
        ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
        alt.write("BM old picture");
    }
    const int nZoom = view.GetZoomIndex();
    EXPECT_FALSE(view.RenderSnapshot(5, path));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(view.GetZoomIndex(), nZoom);
}

TEST_F(LgSichgViewTest, AReportPictureOfATractorLeavesNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Oeffne("SZM");
    PruefeFehlschlag(*view, dir.filePath(QStringLiteral("lgsp.bmp")), true);
}

TEST_F(LgSichgViewTest, AReportPictureThatCannotBeWrittenLeavesNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Oeffne("LKW");
    PruefeFehlschlag(*view, dir.filePath(QStringLiteral("missing/lgsp.bmp")), false);
}

namespace {

int Zaehle(const std::string& text, const std::string& teil)
{
    int n = 0;
    for (std::size_t pos = text.find(teil); pos != std::string::npos; pos = text.find(teil, pos + 1))
        ++n;
    return n;
}

std::string Mm(double d)
{
    return QString::number(d * 1000.0, 'f', 0).toStdString();
}

} // namespace

TEST_F(LgSichgViewTest, UnitToolTipListsItsLoadsMassAndWholeDistances)
{
    OeffneSattelzug();
    CFahrzeug& f = Fahrzeug();
    tagLGINFO* a = Last("Crate<1>", 0.4, 0.3, 1.2, 0.8, 0.6);
    tagLGINFO* b = Last("Pallet", 1.6, 0.3, 1.2, 0.8, 0.25);
    CLadeeinheit* leer = Einheit({}, false);
    CLadeeinheit* voll = Einheit({a, b}, false);
    struct Fall
    {
        const char* name;
        CLadeeinheit* le;
        bool bAktiv;
        int nZeilen;
        const char* masse;
    };
    const Fall faelle[] = {
        {"a unit without loads", leer, false, 0, "0 kg"},
        {"the active unit", voll, true, 2, "850 kg"},
        {"another unit", voll, false, 2, "850 kg"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Plan().m_nAktiveLadeeinheit = fall.bAktiv ? fall.le->GetId() : 0;
        const std::string html = view->EinheitTooltip(*fall.le);
        const char* farbe = fall.bAktiv ? "#9CB4F1" : "#CDDBE9";
        EXPECT_EQ(Zaehle(html, std::string("background-color:") + farbe), fall.nZeilen);
        EXPECT_EQ(Zaehle(html, "border-color:red"), 0) << "no row of a unit is marked";
        EXPECT_NE(html.find("Total mass: <b>" + std::string(fall.masse) + "</b>"), std::string::npos);
        const std::string titel = QString::fromLatin1(fall.bAktiv ? "Load unit %1 (active)" : "Load unit %1")
                                      .arg(fall.le->GetId())
                                      .toStdString();
        EXPECT_NE(html.find(titel), std::string::npos) << titel;
        double x = 0, y = 0, l = 0, w = 0;
        fall.le->GetRechteck(&x, &y, &l, &w);
        const std::string abstaende[] = {Mm(f.GetAbstandLaengs(3, x, l)), Mm(f.GetAbstandQuer(0, y, w)),
                                         Mm(f.GetAbstandQuer(2, y, w)), Mm(f.GetAbstandLaengs(4, x, l))};
        // The rear distance on a semi-trailer has five digits: written whole, in the markers' order.
        EXPECT_GE(abstaende[3].size(), 5u);
        std::size_t pos = 0;
        for (const std::string& a_ : abstaende) {
            const std::string zelle = "<td align=\"right\">" + a_ + "</td>";
            const std::size_t p = html.find(zelle, pos);
            ASSERT_NE(p, std::string::npos) << zelle;
            pos = p + zelle.size();
        }
        EXPECT_EQ(html.find("<$SAbst"), std::string::npos);
        if (fall.nZeilen) {
            EXPECT_NE(html.find("Crate&lt;1&gt;"), std::string::npos);
            EXPECT_EQ(html.find("Crate<1>"), std::string::npos);
        }
    }
    Plan().m_nAktiveLadeeinheit = voll->GetId();
    const QImage tip = [&] {
        QLabel label;
        label.setText(QString::fromStdString(view->EinheitTooltip(*voll)));
        label.adjustSize();
        return label.grab().toImage();
    }();
    Speichere(tip, QStringLiteral("unit_tooltip.png"));
}

TEST_F(LgSichgViewTest, LoadToolTipListsTheMarkedLoadsAndMarksTheHoveredOne)
{
    Oeffne("LKW");
    tagLGINFO* a = Last("Pallet", 0.4, 0.3, 1.2, 0.8, 0.6);
    tagLGINFO* b = Last("Box & Co", 1.8, 0.3, 0.8, 0.6, 0.3);
    tagLGINFO* c = Last("Crate", 3.0, 0.3, 1.0, 0.8, 0.4);
    a->m_nState |= tagLGINFO::kStateMarked;
    c->m_nState |= tagLGINFO::kStateMarked;
    struct Fall
    {
        const char* name;
        tagLGINFO* gezeigt;
        int nMarkiert;
    };
    for (const Fall& fall : {Fall{"hovering a marked load", c, 1}, Fall{"hovering an unmarked load", b, 0}}) {
        SCOPED_TRACE(fall.name);
        const std::string html = view->LadungenTooltip(fall.gezeigt);
        EXPECT_EQ(Zaehle(html, "background-color:#F7F7F7"), 2);
        EXPECT_EQ(Zaehle(html, "border-color:red"), fall.nMarkiert);
        // Plan order, the unmarked load left out.
        const std::size_t pa = html.find("Pallet"), pc = html.find("Crate");
        ASSERT_NE(pa, std::string::npos);
        ASSERT_NE(pc, std::string::npos);
        EXPECT_LT(pa, pc);
        EXPECT_EQ(html.find("Box &amp; Co"), std::string::npos);
        EXPECT_NE(html.find("<td>600 kg</td>"), std::string::npos);
        if (fall.nMarkiert) {
            EXPECT_NE(html.find("<b>400 kg</b>"), std::string::npos);
        }
    }
}

TEST_F(LgSichgViewTest, ToolTipPicturesKeepToTheirBox)
{
    // Qt's rich text, which draws the tool tips, takes a picture's size only as plain numbers: the
    // pictures of the loads are fitted into 64 x 64 pixels keeping their shape, never enlarged.
    QTemporaryDir bilder;
    ASSERT_TRUE(bilder.isValid());
    struct Fall
    {
        int w, h;
        QSize gezeigt;
    };
    const Fall faelle[] = {{200, 150, {64, 48}}, {90, 300, {19, 64}}, {40, 20, {40, 20}}};
    const BilderOrdner folder(bilder.path());
    Oeffne("LKW");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(testing::Message() << fall.w << " x " << fall.h);
        const QString name = QStringLiteral("bild%1x%2.png").arg(fall.w).arg(fall.h);
        ASSERT_TRUE(SchreibeFarbBild(bilder.filePath(name), fall.w, fall.h));
        tagLGINFO* lg = Last("Crate", 1.0, 0.3, 1.2, 0.8, 0.5, 3);
        lg->m_strBildDatei = name.toStdString();
        lg->m_nState |= tagLGINFO::kStateMarked;
        CLadeeinheit* le = Einheit({lg}, false);
        for (const std::string& html : {view->EinheitTooltip(*le), view->LadungenTooltip(lg)}) {
            const QRect r = FarbBildFlaeche(QString::fromStdString(html));
            EXPECT_NEAR(r.width(), fall.gezeigt.width(), 1) << html;
            EXPECT_NEAR(r.height(), fall.gezeigt.height(), 1) << html;
        }
        lg->m_nState &= ~tagLGINFO::kStateMarked;
    }
}

TEST_F(LgSichgViewTest, DefectListShowsTheDefectsInListOrder)
{
    Oeffne("LKW");
    tagLGINFO* a = Last("Pallet", 0.4, 0.3, 1.2, 0.8, 0.6);
    CLadeeinheit* le = Einheit({a}, false);
    Plan().m_nAktiveLadeeinheit = le->GetId();
    auto* m1 = new CLgsMangel(2, 0, le);
    auto* m2 = new CLgsMangel(1, 0, le);
    le->AddMangel(m1, false);
    le->AddMangel(m2, false);
    boxes.Clear();
    view->ShowMaengel(nullptr);
    ASSERT_EQ(boxes.Records().size(), 1);
    const auto& r = boxes.Records()[0];
    EXPECT_EQ(r.html.captionId, 610);
    EXPECT_EQ(r.html.iconId, 820);
    ASSERT_EQ(r.html.buttons.size(), 1);
    EXPECT_EQ(r.html.buttons[0].first, 668);
    const std::string text = r.html.text.toStdString();
    const std::string erstes = "<b>" + EscapeHtml(m1->GetText()) + "</b>: " + m1->GetHtml();
    const std::string zweites = "<b>" + EscapeHtml(m2->GetText()) + "</b>: " + m2->GetHtml();
    const std::size_t p1 = text.find(erstes), p2 = text.find(zweites, p1 + 1);
    ASSERT_NE(p1, std::string::npos) << text;
    ASSERT_NE(p2, std::string::npos) << text;
    EXPECT_EQ(Zaehle(text, "<li style=\"margin-bottom:0.5em\">"), 2);
    EXPECT_NE(text.find(QStringLiteral("load unit %1").arg(le->GetId()).toStdString()), std::string::npos);
    // Without an active unit nothing is shown.
    Plan().m_nAktiveLadeeinheit = 0;
    boxes.Clear();
    view->ShowMaengel(nullptr);
    EXPECT_TRUE(boxes.Records().isEmpty());
}

TEST_F(LgSichgViewTest, ToolTipFollowsTheObjectUnderThePointer)
{
    Oeffne("LKW");
    tagLGINFO* a = Last("Pallet", 0.4, 0.3, 1.2, 0.8, 0.6);
    tagLGINFO* b = Last("Crate", 3.0, 0.3, 1.0, 0.8, 0.4);
    b->m_nState |= tagLGINFO::kStateMarked;
    CLadeeinheit* le = Einheit({a}, false);
    Bild();
    const QRect rcEinheit = view->GetEinheitRegionen().at(le);
    const QRect rcLadung = view->GetLadungRegionen().at(b);
    EXPECT_TRUE(view->ToolTipText(Client(rcEinheit.center())).contains(QStringLiteral("Load unit")));
    EXPECT_TRUE(view->ToolTipText(Client(rcLadung.center())).contains(QStringLiteral("Marked loads")));
    EXPECT_TRUE(view->ToolTipText(Client(view->GetLadeflaeche().bottomRight() + QPoint(30, 30))).isEmpty());
}
