// The load-securing view's report picture: its size from the load area, what it shows, the zoom kept,
// and no stale picture after a failure.
#include "LgSicherungViewSupport.h"

#include "model/securing/CLgspReport.h"

#include <QFile>
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
        EXPECT_FALSE(Gleich(Pixel(img, Mitte(d)), CQORLgSicherungView::kFarbeLadung));
        EXPECT_TRUE(Gleich(Pixel(img, Mitte(a)), CQORLgSicherungView::kFarbeLadung));
        // The active unit covers its load.
        EXPECT_FALSE(Gleich(Pixel(img, Mitte(b)), CQORLgSicherungView::kFarbeLadung));
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
