// Vehicle renderer: one frame of a document's scene from the cached models.
#include "draw2d/CFahrzeugDiagramm3D.h"
#include "draw2d/CFahrzeugDiagrammBild.h"
#include "draw2d/SGitter3D.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/gl/IRenderDevice.h"
#include "view3d/CFahrzeug3D.h"
#include "view3d/LoadDrawer.h"
#include "view3d/ModelCache.h"
#include "view3d/SceneMarkers.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <vector>

namespace {

// Model numbers of the cache.
enum Model
{
    FH = 0,
    HT_SZM = 1,
    HT_ANH = 2,
    HT_LKW = 3,
    AA = 4,
    ZA_ZUG = 5,
    ZA_ZUG_L = 6,
    ZA_ANH = 7,
    ZA_ANH_L = 8,
    HECK_ZUG = 9,
    HECK_ANH = 10,
    HECK_ANH_UFS = 11,
    SAT = 12,
    SAH_MIT_ZUG = 13,
    SAH_NUR_ANH = 14,
    LF = 15,
    LF_LKW = 16,
    DAILY = 23,
    KEP_HT = 24,
    KEP_AA = 25,
    SDA_DEICHSEL = 26,
    SDA_SOLO = 27,
    SDA_GEKUPPELT = 28,
    ZUGOESE = 29,
    GDA_SCHEMEL = 30,
    VERLADEHOF = 31,
    GLSP_AREA = 32,
    GLSP = 33,
};

class SceneDraw
{
public:
    SceneDraw(IRenderDevice& device, ModelCache& cache, const tbMatrix* a, const tbMatrix* b)
        : m_device(device), m_cache(cache), m_a(a), m_b(b)
    {
    }

    tbMatrix End(tbMatrix world) const
    {
        if (m_a)
            world = world * *m_a;
        if (m_b)
            world = world * *m_b;
        return world;
    }

    // Draws a model at `at`, scaled by `scale`; false when the model cannot be had.
    bool Draw(int model, const tbVector3& scale, const tbVector3& at, bool both)
    {
        const DeviceModel* m = nullptr;
        if (m_cache.GetModell(model, &m) != 0 || m == nullptr)
            return false;
        m_device.SetTransform(TransformKind::World, End(tbMatrixScaling(scale) * tbMatrixTranslation(at)));
        m_device.DrawModel(*m, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, false);
        if (both)
            m_device.DrawModel(*m, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, false, true);
        return true;
    }
    bool Draw(int model, const tbVector3& at, bool both = false) { return Draw(model, {1, 1, 1}, at, both); }

    const DeviceModel* Get(int model)
    {
        const DeviceModel* m = nullptr;
        return m_cache.GetModell(model, &m) == 0 ? m : nullptr;
    }

    IRenderDevice& m_device;
    ModelCache& m_cache;
    const tbMatrix* m_a;
    const tbMatrix* m_b;
};

float F(double v)
{
    return static_cast<float>(v);
}

// The distance from axle 1 to axle 2: the first term of the corrected wheelbase.
float Axle12(CFahrzeug& v)
{
    return v.GetAchsanzahl() > 1 ? F(v.GetAchsPosition(1) - v.GetAchsPosition(0)) : 0.0f;
}

bool Lifted(const CFahrzeug& v, int axle)
{
    return axle >= 0 && axle < CFahrzeug::MAX_ACHSEN && v.m_nAchsFlags[axle] != 0;
}

// The body of one vehicle at origin `o`, by its kind; false when a model cannot be had.
bool DrawBody(SceneDraw& s, CFahrzeug& v, const tbVector3& o)
{
    const int kind = v.GetArt();
    const float d1 = F(v.GetAchse1Abstand());
    const float p1 = v.GetAchse1Position();
    const float L = F(v.GetLFLaenge());
    const float W = v.GetLFBreite();
    const float a12 = Axle12(v);
    const float R = F(v.GetRadstandKorrigiert());
    const bool coupled = v.GetPartner() != nullptr;
    const bool van = v.IsArt5();
    const tbVector3 z{0, 0, 1};
    bool ok = true;
    switch (kind) {
    case FahrzeugArt::kZugmaschine:
        if (van) {
            ok = s.Draw(DAILY, o, true) && s.Draw(KEP_HT, {1, 1, d1}, o, false) &&
                 s.Draw(KEP_HT, {1, 1, L}, o - d1 * z, false) && s.Draw(KEP_AA, o - a12 * z);
        } else {
            ok = s.Draw(FH, o, true) && s.Draw(HT_SZM, {1, 1, d1}, o, false) &&
                 s.Draw(HT_LKW, {1, 1, L}, o - d1 * z, false) && s.Draw(AA, o - a12 * z);
        }
        break;
    case FahrzeugArt::kSattelzugmaschine:
        ok = s.Draw(FH, o, true) && s.Draw(HT_SZM, {1, 1, L + 0.5f}, o, false) && s.Draw(AA, o - a12 * z) &&
             s.Draw(SAT, o - R * z);
        break;
    case FahrzeugArt::kAuflieger:
        ok = s.Draw(coupled ? SAH_MIT_ZUG : SAH_NUR_ANH, o + d1 * z) &&
             s.Draw(HT_ANH, {1, 1, L - 4.0f}, o + (d1 - 4.0f) * z, false);
        break;
    case FahrzeugArt::kStarrdeichsel:
        ok = s.Draw(SDA_DEICHSEL, {1, 1, d1 + 1.4f - 0.2f}, o - 0.2f * z, false) &&
             s.Draw(coupled ? SDA_GEKUPPELT : SDA_SOLO, o - d1 * z) &&
             s.Draw(HT_ANH, {1, 1, L}, o - d1 * z, false) && s.Draw(ZUGOESE, o);
        break;
    case FahrzeugArt::kAnhaenger:
        ok = s.Draw(GDA_SCHEMEL, o) && s.Draw(HT_ANH, {1, 1, L - d1 - 2.0f}, o - 1.99f * z, false);
        break;
    default:
        break;
    }
    if (!ok)
        return false;
    // The further axles.
    const bool motor = kind == FahrzeugArt::kZugmaschine || kind == FahrzeugArt::kSattelzugmaschine;
    const int count =
        v.GetAchsanzahl() + (kind == FahrzeugArt::kStarrdeichsel || kind == FahrzeugArt::kAuflieger);
    for (int i = motor ? 2 : 1; i < count; ++i) {
        const int model = motor ? (Lifted(v, i) ? ZA_ZUG_L : ZA_ZUG) : (Lifted(v, i) ? ZA_ANH_L : ZA_ANH);
        if (!s.Draw(model, o - F(v.GetAchsPosition(i) + p1) * z))
            return false;
    }
    // The load area and the rear.
    if (kind != FahrzeugArt::kSattelzugmaschine &&
        !s.Draw(kind == FahrzeugArt::kZugmaschine ? LF_LKW : LF, {W, 1, L},
                o + tbVector3{0, van ? -0.42f : 0.0f, -p1}, false))
        return false;
    if (!van) {
        if (kind == FahrzeugArt::kSattelzugmaschine)
            ok = s.Draw(HECK_ZUG, o - F(v.GetPosLetzteAchse() + 0.585) * z);
        else if (kind == FahrzeugArt::kZugmaschine)
            ok = s.Draw(HECK_ZUG, o - F(v.GetPosLetzteAchse() + d1 + 0.585) * z);
        else
            ok = s.Draw(v.HasZLTyp1() ? HECK_ANH : HECK_ANH_UFS, o - (L + p1) * z);
    }
    return ok;
}

void Lights(IRenderDevice& device, bool full)
{
    if (full) {
        for (int i = 0; i < 4; ++i)
            device.LightEnable(i, true);
    } else {
        device.LightEnable(2, false);
        device.LightEnable(3, false);
    }
}

// The two lateral-limit coefficients of the vehicle's chart; without a chart the whole half width counts.
struct Lateral
{
    float c1;
    float c2;
};

Lateral LateralOf(const CFahrzeug& v, float m)
{
    const float K = v.m_Diagramm.GetK();
    if (K > 0.0f && std::isfinite(K) && std::isfinite(v.m_Diagramm.GetC()))
        return {K, v.m_Diagramm.GetC()};
    return {v.GetLFBreite() * 0.5f * m, 0.0f};
}

LoadDrawer::LoadArea AreaOf(CFahrzeug& v, const tbVector3& o, const SceneDraw& s)
{
    LoadDrawer::LoadArea area;
    // The load area starts at the vehicle's origin less p1; the loads' own placement adds the rest.
    area.sceneOffset = v.GetAchse1Position() - o.z;
    area.width = v.GetLFBreite();
    area.length = v.GetLFLaenge();
    area.van = v.IsArt5();
    if (s.m_a)
        area.a = *s.m_a;
    if (s.m_b)
        area.b = *s.m_b;
    return area;
}

// A vehicle of the frame and its origin in the scene.
struct DrawnVehicle
{
    CFahrzeug* v;
    tbVector3 o;
};

// What the steps of one frame share: the vehicles drawn and what follows from them.
struct SceneFrame
{
    std::vector<DrawnVehicle> vehicles;
    CFahrzeug* trailer = nullptr;
    CFahrzeug* active = nullptr;
    // Every vehicle of the document is drawn.
    bool whole = false;
    // Only a semi-trailer combination counts as drawn whole for the lights: a drawbar or centre-axle
    // trailer drawn with its towing vehicle leaves the one not worked on lit by lights 0 and 1.
    bool litWhole = false;
    // The scene's largest payload, which scales the marker's lift and the chart surfaces.
    float maxPayload = 0.0f;
    int modus = 0;

    bool Lit(const DrawnVehicle& d) const { return litWhole || d.v == active; }
};

using Charts = std::map<const CFahrzeug*, std::unique_ptr<CFahrzeugDiagramm3D>>;

// Which vehicles, where: a semi-trailer combination is always drawn whole, another combination whole
// unless the display switch asks for the active vehicle alone.
SceneFrame CollectVehicles(CQOR1Doc& doc, CFahrzeug& front, const SAnsicht3DFlags& flags, int modus)
{
    SceneFrame frame;
    frame.modus = modus;
    frame.trailer = doc.GetAnhaenger();
    frame.active = doc.GetAktivFahrzeug(false);
    CFahrzeug* trailer = frame.trailer;
    const bool semi = trailer != nullptr && trailer->GetArt() == FahrzeugArt::kAuflieger;
    frame.whole = semi || flags[4] == 0 || trailer == nullptr;
    if (frame.whole) {
        frame.vehicles.push_back({&front, {}});
        if (trailer && trailer != &front)
            frame.vehicles.push_back({trailer, {0, 0, CFahrzeug3D::TrailerOffset(front, *trailer)}});
    } else {
        frame.vehicles.push_back({frame.active ? frame.active : &front, {}});
    }
    frame.litWhole = semi;
    if (trailer && trailer != &front)
        frame.maxPayload = F(std::max(front.GetMaxNutzlast(true), trailer->GetMaxNutzlast(true)));
    else
        frame.maxPayload = F((frame.active ? frame.active : &front)->GetMaxNutzlast(true));
    return frame;
}

// The loading yard and the vehicle bodies; false when a model cannot be had.
bool DrawYardAndBodies(SceneDraw& s, const SceneFrame& frame, const SAnsicht3DFlags& flags)
{
    for (int i = 0; i < 4; ++i)
        s.m_device.LightEnable(i, true);
    if (flags[3] != 0 && !s.Draw(VERLADEHOF, {}, true))
        return false;
    for (const DrawnVehicle& d : frame.vehicles) {
        Lights(s.m_device, frame.Lit(d));
        if (!DrawBody(s, *d.v, d.o))
            return false;
    }
    return true;
}

// The centre-of-gravity marker of each vehicle with a load area and a loaded plan, with the dashed line
// from the marker down to the load floor.
void DrawSchwerpunktMarkers(SceneDraw& s, const SceneFrame& frame, SGitter3D& grid)
{
    for (const DrawnVehicle& d : frame.vehicles) {
        CFahrzeug& v = *d.v;
        CQOR* plan = v.GetQor();
        if (frame.modus != 0 || v.GetArt() == FahrzeugArt::kSattelzugmaschine || plan == nullptr)
            continue;
        const float m = F(plan->GetMasse());
        const std::optional<float> lift = SceneMarkers::MarkerLift(m, frame.maxPayload, v.IsArt5());
        const DeviceModel* model = s.Get(GLSP);
        if (m == 0.0f || !lift || model == nullptr)
            continue;
        const float W = v.GetLFBreite();
        const float across = W * 0.5f - F(plan->GetSchwerpunktY());
        const float floor = v.IsArt5() ? 0.78f : 1.18f;
        const tbVector3 position{across, floor + *lift,
                                 d.o.z - v.GetAchse1Position() - F(plan->GetSchwerpunktX())};
        const bool overloaded = v.CalcNutzlastAnPos(plan->GetSchwerpunktX()) < plan->GetMasse();
        const Lateral lateral = LateralOf(v, m);
        const tbColor colour =
            SceneMarkers::MarkerColour(overloaded, std::fabs(across), W, lateral.c1, lateral.c2, m);
        SceneMarkers::DrawMarker(s.m_device, *model, position, colour);
        s.m_device.SetTransform(TransformKind::World, s.End(tbMatrixIdentity()));
        grid.Render(s.m_device, position, {position.x, floor, position.z}, colour,
                    tbColor{0.2f, 0.2f, 0.2f, 1.0f});
    }
}

// In the securing mode: the lashing rails and the lashing points on each load area.
void DrawZurrschienenUndPunkte(SceneDraw& s, const SceneFrame& frame, LoadDrawer& loads)
{
    for (const DrawnVehicle& d : frame.vehicles) {
        CFahrzeug& v = *d.v;
        if (v.GetArt() == FahrzeugArt::kSattelzugmaschine)
            continue;
        const LoadDrawer::LoadArea area = AreaOf(v, d.o, s);
        loads.DrawZurrschienen(s.m_device, v, area);
        loads.DrawZurrpunkte(s.m_device, v, area);
    }
}

// The area the centre of gravity may take with the plan's mass, for a plan within the payload.
void DrawZulaessigerBereich(SceneDraw& s, const SceneFrame& frame, const DrawnVehicle& d)
{
    CFahrzeug& v = *d.v;
    CQOR* plan = v.GetQor();
    if (plan == nullptr)
        return;
    const float m = F(plan->GetMasse());
    const DeviceModel* model = s.Get(GLSP_AREA);
    if (model == nullptr || !(m > 0.0f && m <= F(v.GetMaxNutzlast(true))))
        return;
    const Lateral lateral = LateralOf(v, m);
    const std::optional<tbMatrix> world = SceneMarkers::AreaWorld(
        m, frame.maxPayload, v.GetLFBreite(), lateral.c1, lateral.c2, F(v.GetNutzlastKurve().GetNutzbarVon()),
        F(v.GetNutzlastKurve().GetNutzbarBis()), d.o.z, v.GetAchse1Position(), v.IsArt5());
    if (!world)
        return;
    s.m_device.SetTransform(TransformKind::World, s.End(*world));
    s.m_device.DrawModel(*model, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, true);
}

// The chart's surface on the load floor from the load area's front, and its panel on the ground.
void DrawDiagramm(SceneDraw& s, const SceneFrame& frame, const SAnsicht3DFlags& flags, const DrawnVehicle& d,
                  CFahrzeugDiagramm3D& chart)
{
    CFahrzeug& v = *d.v;
    const float floor = v.IsArt5() ? 0.78f : 1.18f;
    s.m_device.SetTransform(TransformKind::World,
                            s.End(tbMatrixTranslation({0.0f, floor, d.o.z - v.GetAchse1Position()})));
    if (flags[2] != 0 && chart.BuildMesh(v, frame.maxPayload, v.IsArt5()))
        chart.Render3D(s.m_device);
    s.m_device.SetTransform(TransformKind::World, s.End(tbMatrixIdentity()));
    if (flags[5] != 0)
        if (const QImage* picture = chart.PanelPicture(v))
            chart.RenderPanel(s.m_device, d.o, *picture, v.GetLFBreite());
}

// The second pass over the load areas: the permissible area, the loads, the load units, the load-area
// walls and the charts.
void DrawLadeflaechen(SceneDraw& s, const SceneFrame& frame, const SAnsicht3DFlags& flags, LoadDrawer& loads,
                      Charts& charts)
{
    for (const DrawnVehicle& d : frame.vehicles) {
        CFahrzeug& v = *d.v;
        Lights(s.m_device, frame.Lit(d));
        if (v.GetArt() == FahrzeugArt::kSattelzugmaschine)
            continue;
        const LoadDrawer::LoadArea area = AreaOf(v, d.o, s);
        if (flags[0] != 0 && frame.modus == 0)
            DrawZulaessigerBereich(s, frame, d);
        if (CQOR* plan = v.GetQor()) {
            const auto lgs = plan->GetLgInfos();
            const auto einheiten = plan->GetLadeeinheiten();
            loads.DrawLadungen(s.m_device, std::list<tagLGINFO*>(lgs.begin(), lgs.end()), area, true, true);
            loads.DrawLadeeinheiten(s.m_device, std::list<CLadeeinheit*>(einheiten.begin(), einheiten.end()),
                                    area, true, true);
        }
        if (flags[9] != 0)
            loads.DrawLadeflaeche(s.m_device, area, true, true);
        if (flags[2] != 0 || flags[5] != 0) {
            std::unique_ptr<CFahrzeugDiagramm3D>& chart = charts[&v];
            if (!chart)
                chart = std::make_unique<CFahrzeugDiagramm3D>();
            DrawDiagramm(s, frame, flags, d, *chart);
        }
    }
}

// Charts of vehicles no longer drawn go.
void ForgetOtherCharts(Charts& charts, const SceneFrame& frame)
{
    for (auto it = charts.begin(); it != charts.end();)
        it = std::any_of(frame.vehicles.begin(), frame.vehicles.end(),
                         [&](const DrawnVehicle& d) { return d.v == it->first; })
                 ? std::next(it)
                 : charts.erase(it);
}

} // namespace

float CFahrzeug3D::TrailerOffset(CFahrzeug& front, CFahrzeug& trailer)
{
    const float d1 = F(front.GetAchse1Abstand());
    const float L = F(front.GetLFLaenge());
    switch (trailer.GetArt()) {
    case FahrzeugArt::kAnhaenger:
        return -(d1 + L + 1.5f + F(trailer.GetAchse1Abstand()));
    case FahrzeugArt::kStarrdeichsel:
        return -(d1 + L - F(front.m_dKupplungsabstand));
    case FahrzeugArt::kAuflieger:
        return -F(front.GetRadstandKorrigiert());
    default:
        return 0.0f;
    }
}

int CFahrzeug3D::Render(IRenderDevice& device, ModelCache& cache, CQOR1Doc* doc,
                        const tbVector3& cameraTarget, const tbMatrix* a, const tbMatrix* b, int nModus)
{
    CFahrzeug* front = doc != nullptr ? doc->GetFirstFahrzeug() : nullptr;
    if (front == nullptr)
        return 1;
    const SceneFrame frame = CollectVehicles(*doc, *front, m_Flags, nModus);
    // Figures change with the loads: a long session keeps the label pictures of recent frames only (never
    // during a frame, whose draws may still refer to them).
    if (m_labels.size() > 64)
        m_labels.clear();
    SceneDraw s(device, cache, a, b);
    if (!DrawYardAndBodies(s, frame, m_Flags))
        return 1;
    if (m_Flags[6] != 0)
        for (const DrawnVehicle& d : frame.vehicles)
            DrawAchslastLabels(device, *d.v, d.o,
                               frame.trailer != nullptr && d.v == frame.trailer && frame.whole,
                               s.End(tbMatrixIdentity()));
    if (m_Flags[1] != 0)
        DrawSchwerpunktMarkers(s, frame, m_grid);
    LoadDrawer loads(cache);
    if (nModus != 0)
        DrawZurrschienenUndPunkte(s, frame, loads);
    DrawLadeflaechen(s, frame, m_Flags, loads, m_charts);
    ForgetOtherCharts(m_charts, frame);
    if (m_Flags[8] != 0)
        DrawKreise(device, cameraTarget, 0, 0.25f);
    return 0;
}
