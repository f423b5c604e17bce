// Sample vehicles in a document, the language module, and a back buffer with the rulers, the vehicle
// drawings and the dimension lines laid out as the template view lays them out at zoom 0.25.
#pragma once

#include "RecordingPlanView.h"
#include "SampleVehicles.h"
#include "draw2d/CBemassung.h"
#include "draw2d/CDIBFahrzeug.h"
#include "draw2d/CKoordSys.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/ResourceModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class PlanDrawingFixture : public ::testing::Test
{
protected:
    static constexpr double kZoom = 0.25;
    static constexpr int kY = 313;

    PlanDrawingFixture()
        : m_module(
              ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr)),
          m_previous(ResourceModule::Current())
    {
        ResourceModule::SetCurrent(m_module.get());
    }
    ~PlanDrawingFixture() override { ResourceModule::SetCurrent(m_previous); }

    // The sample of a file title, not recalculated.
    static std::unique_ptr<CFahrzeug> Sample(const std::string& file)
    {
        for (const SampleVehicle& s : SampleVehicles())
            if (file == s.file)
                return BuildSampleVehicle(s);
        ADD_FAILURE() << "no sample " << file;
        return nullptr;
    }

    // A document holding the sample (and, for a trailer, its towing vehicle), recalculated.
    void Open(const std::string& file, const std::string& zug = {})
    {
        m_doc = std::make_unique<CQOR1Doc>();
        CFahrzeug* v = Sample(file).release();
        if (!zug.empty()) {
            CFahrzeug* z = Sample(zug).release();
            CFahrzeug::Koppeln(*z, *v);
        }
        m_doc->SetFahrzeug(v);
        m_doc->OnFahrzeugChanged(false);
        m_koord = std::make_unique<CKoordSys>();
        m_koord->m_pDoc = m_doc.get();
        m_koord->AdaptScale(kZoom, false, 1.0);
        m_bemassung.m_pDoc = m_doc.get();
        m_view.m_pDoc = m_doc.get();
        m_view.m_nPixProMeter = m_koord->m_nPixProMeter;
        m_view.m_bTowingPair = !zug.empty();
        m_drawing = CDIBFahrzeug::Create(v);
    }

    // A load of mass m (t) with its centre of gravity x metres behind the usable area's front.
    static void AddLoad(CFahrzeug& f, double m, double x)
    {
        if (!f.m_pQor)
            f.m_pQor = new CQOR(&f, 0, "Plan");
        auto* p = new tagLGINFO;
        p->m_strName = "Load";
        p->m_nTyp = 0;
        p->m_dLaenge = 1.0;
        p->m_dBreite = 1.0;
        p->m_dSPLaenge = 0.5;
        p->m_dSPBreite = 0.5;
        p->m_dSPMasse = m;
        p->m_dMasse = m;
        p->m_dPosX = x - 0.5;
        p->m_dPosY = 0.5;
        f.m_pQor->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        f.m_pQor->UpdateSchwerpunkt();
    }

    int Px(double metres) const { return static_cast<int>(m_koord->m_nPixProMeter * metres * kZoom); }

    // x of the document vehicle's load-area front: motor vehicles put axle 1 on the view's first
    // reference line, trailers leave room for their front.
    int OriginX() const
    {
        CFahrzeug* v = m_doc->GetFahrzeug();
        CFahrzeug* first = m_doc->GetFirstFahrzeug() ? m_doc->GetFirstFahrzeug() : v;
        if (first->IsMotorfahrzeug())
            return static_cast<int>((first->IsArt5() ? 436 : 356) * kZoom) + Px(first->GetAchse1Abstand());
        return 20 + m_drawing->GetDrawLength(m_koord->m_nPixProMeter, kZoom);
    }

    // Rulers, the towing vehicle (in a pair), the vehicle and, when asked, the dimension lines; a
    // partial paint leaves out the additions of the vehicle kinds.
    QImage Render(bool bBemassung = true, bool bFahrzeug = true, bool bTeilweise = false)
    {
        QImage image(1100, 480, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const STupel scale(1.0, 1.0, -1);
        m_x = OriginX();
        m_koord->Draw(painter, m_x, kY, scale, kZoom, &m_view);
        const int top = m_koord->GetAchsOben();
        m_view.m_rcLadeflaeche = QRect(m_x, top, Px(m_doc->GetFahrzeug()->GetLFLaenge()), kY - top);
        if (bFahrzeug) {
            const int dpx = Px(m_doc->GetAnhaengerVersatz());
            m_xFahrzeug = m_doc->GetZugfahrzeug() ? m_x + dpx : m_x;
            if (m_drawing->m_pZugfahrzeug)
                m_drawing->m_pZugfahrzeug->Draw(painter, m_x, kY, m_koord.get(), scale, kZoom, 0, &m_view,
                                                bTeilweise);
            m_drawing->Draw(painter, m_xFahrzeug, kY, m_koord.get(), scale, kZoom, 0, &m_view, bTeilweise);
        }
        if (bBemassung)
            m_bemassung.Draw(painter, m_xFahrzeug, kY, m_koord->m_nPixProMeter, scale, kZoom, &m_view);
        return image;
    }

    static void Keep(const QImage& image, const std::string& name)
    {
        const QString out = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/draw2d/template");
        QDir().mkpath(out);
        EXPECT_TRUE(
            image.save(out + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".png")));
    }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous;
    std::unique_ptr<CQOR1Doc> m_doc;
    std::unique_ptr<CKoordSys> m_koord;
    std::unique_ptr<CDIBFahrzeug> m_drawing;
    CBemassung m_bemassung;
    RecordingPlanView m_view;
    int m_x = 0;
    int m_xFahrzeug = 0;
};
