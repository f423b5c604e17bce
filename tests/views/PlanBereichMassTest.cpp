// The report picture of a plan keeps the figures of the permissible range's dimension whole, clear of
// the dimension's bars and arrows and inside the picture.
#include "ViewTestSupport.h"
#include "views/CQOR2View.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

bool Dunkel(const QImage& img, int x, int y)
{
    return qGray(img.pixel(x, y)) < 140;
}

// The dimension below the load area: its two bars, 16 pixels high, are the lowest columns of the picture
// that are dark over 14 rows in a row; the figures stand in the rows of the bars.
struct Mass
{
    int nOben = 0;   // first row of the bars
    int nLinks = 0;  // the left bar's first column
    int nRechts = 0; // the right bar's last column
};

bool Saeule(const QImage& img, int x, int y)
{
    for (int k = 0; k < 14; ++k)
        if (y + k >= img.height() || !Dunkel(img, x, y + k))
            return false;
    return true;
}

std::optional<Mass> FindeMass(const QImage& img)
{
    for (int y = img.height() - 14; y >= 0; --y) {
        std::vector<int> spalten;
        for (int x = 0; x < img.width(); ++x)
            if (Saeule(img, x, y))
                spalten.push_back(x);
        if (spalten.size() < 2 || spalten.back() - spalten.front() <= 40)
            continue;
        Mass m{y, spalten.front(), spalten.back()};
        while (m.nOben > 0 && Saeule(img, m.nLinks, m.nOben - 1))
            --m.nOben;
        return m;
    }
    return std::nullopt;
}

// Dark pixels of the rows of the bars in the columns [x0, x1].
int DunkleSpalten(const QImage& img, const Mass& m, int x0, int x1)
{
    int n = 0;
    for (int x = std::max(0, x0); x <= std::min(img.width() - 1, x1); ++x)
        for (int y = m.nOben; y < m.nOben + 16 && y < img.height(); ++y)
            n += Dunkel(img, x, y) ? 1 : 0;
    return n;
}

} // namespace

TEST(PlanBereichMass, TheReportPictureKeepsTheRangeFiguresClearOfBarsAndArrows)
{
    EnglishModule module;
    // The truck's and the semi-trailer's range starts at the load area's front, where the picture's
    // margin is narrowest.
    for (const char* titel : {"LKW", "SAH"}) {
        SCOPED_TRACE(titel);
        auto f = LoadSampleVehicle(titel);
        ASSERT_TRUE(f && f->GetQor());
        CQOR1Doc doc;
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        CQOR2View view(&doc);
        view.resize(1400, 700);
        CFahrzeug& v = *doc.GetFahrzeug();
        auto* lg = new tagLGINFO;
        lg->m_strName = "Pallet";
        lg->m_dLaenge = 1.2;
        lg->m_dBreite = 0.8;
        lg->m_dHoehe = 1.0;
        lg->m_dSPLaenge = 0.6;
        lg->m_dSPBreite = 0.4;
        lg->m_dMasse = lg->m_dSPMasse = 0.6;
        lg->m_dPosX = 1.0;
        lg->m_dPosY = 0.2;
        v.GetQor()->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
        CPlanAnzeige anz(*v.GetQor());
        anz.SetZulBereich(true);
        anz.SetRasterZeigen(false);
        view.RecalcSchwerpunkt();
        view.m_nNutzbarerBereich = v.CalcNutzbarerBereich();
        ASSERT_TRUE(view.m_nNutzbarerBereich & 2) << "the range is known";

        const QImage bild = view.RenderExport().convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(bild.isNull());
        const QString ordner = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views");
        QDir().mkpath(ordner);
        bild.save(ordner + QStringLiteral("/bereich_mass_%1.png").arg(QLatin1String(titel)));
        const std::optional<Mass> m = FindeMass(bild);
        ASSERT_TRUE(m) << "the dimension is drawn";
        // The figures: something dark left of the left bar and right of the right one ...
        EXPECT_GT(DunkleSpalten(bild, *m, 0, m->nLinks - 3), 20) << "from-figure";
        EXPECT_GT(DunkleSpalten(bild, *m, m->nRechts + 3, bild.width() - 1), 20) << "to-figure";
        // ... with a clear column between each figure and its bar, and none cut by the picture's edge.
        EXPECT_EQ(DunkleSpalten(bild, *m, m->nLinks - 2, m->nLinks - 2), 0);
        EXPECT_EQ(DunkleSpalten(bild, *m, m->nRechts + 2, m->nRechts + 2), 0);
        EXPECT_EQ(DunkleSpalten(bild, *m, 0, 0), 0);
        EXPECT_EQ(DunkleSpalten(bild, *m, bild.width() - 1, bild.width() - 1), 0);
    }
}
