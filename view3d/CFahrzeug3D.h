// Vehicle renderer of the 3D view: display switches, device resources and the three-circle marker.
#pragma once

#include "draw2d/SGitter3D.h"
#include "model/base/tbColor.h"
#include "model/base/tbMatrix.h"
#include "model/base/tbVector3.h"
#include "view3d/SAnsicht3DFlags.h"
#include "view3d/TextureEffect.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <memory>

class CFahrzeug;
class CFahrzeugDiagramm3D;
class CLadeeinheit;
class CQOR1Doc;
class IRenderDevice;
class ModelCache;
class ResourceModule;
struct tagLGINFO;

tbColor LerpColor(const tbColor& from, const tbColor& to, float t);
tbMatrix IdentityMatrix();

class CFahrzeug3D
{
public:
    // Position and 32-bit colour, 16 bytes.
    struct ColourVertex
    {
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        std::uint32_t colour = 0;
    };
    // Position, colour and texture coordinates, 24 bytes.
    struct TexturedVertex
    {
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        std::uint32_t colour = 0;
        float u = 0.0f;
        float v = 0.0f;
    };
    static constexpr int CIRCLE_VERTICES = 33;
    using Circle = std::array<ColourVertex, CIRCLE_VERTICES>;

    // A label's text drawn into a texture; `width` in world units for the height asked.
    struct Label
    {
        QImage image;
        float width = 0.0f;
    };

    // `module` gives bitmap 509; the program folder holds Modelle/TEX/Waage.bmp.
    CFahrzeug3D(QString programFolder, const ResourceModule* module);
    virtual ~CFahrzeug3D();
    CFahrzeug3D(const CFahrzeug3D&) = delete;
    CFahrzeug3D& operator=(const CFahrzeug3D&) = delete;

    // Creates the device resources once; false (and none left half made) when the scale picture is
    // missing or unreadable, so a later call tries again.
    bool InitResources();
    void ReleaseResources();
    bool HasResources() const { return m_bResources; }

    // The three circles around `position`, scaled by `radius`, in `colour` (the last colour when 0).
    int DrawKreise(IRenderDevice& device, const tbVector3& position, std::uint32_t colour, float radius);

    // One frame of the document's scene: yard, vehicle bodies, axles, load areas, the centre-of-gravity
    // marker and its permissible area, the loads, the load-area walls and the camera's circle marker, as
    // the display switches ask. Every world matrix ends with `a` and then `b` when they are given. 0 after
    // a complete frame; 1 without a document or vehicle, or when a body model cannot be had (what was
    // drawn stays). `nModus` 0 is the normal view.
    int Render(IRenderDevice& device, ModelCache& cache, CQOR1Doc* doc, const tbVector3& cameraTarget,
               const tbMatrix* a, const tbMatrix* b, int nModus);
    // The scene offset along z of the trailer drawn behind `front`.
    static float TrailerOffset(CFahrzeug& front, CFahrzeug& trailer);

    // Label text in the label font; `height` is the text height in world units.
    Label MakeLabel(const QString& text, float height) const;

    // Securing queries on a load unit; each answers 0 for a unit without securing data (one the
    // load-securing wizard has not worked out). 1 when its lashing devices are chains (else straps).
    static int IsLgSichgFlagSet(const CLadeeinheit* unit);
    // The unit's anti-skid-mat setting (1 with mats).
    static int GetLgSichgValue(const CLadeeinheit* unit);
    // The anti-skid-mat setting of the unit a placed load belongs to; 0 for a form-fit item or filler
    // (object type 5 or more), a load of no unit or a unit the vehicle's plan does not hold.
    static int GetLgSichgValueLg(const tagLGINFO* load, const CFahrzeug* vehicle);

    SAnsicht3DFlags& Flags() { return m_Flags; }
    const Circle& GetCircle(int i) const { return m_circles.at(static_cast<std::size_t>(i)); }
    const TextureEffect* OpaqueEffect() const { return m_opaqueEffect.get(); }
    const TextureEffect* BlendedEffect() const { return m_blendedEffect.get(); }
    const QImage* ScaleTexture() const { return m_scaleTexture.get(); }
    const QImage* BitmapTexture() const { return m_bitmapTexture.get(); }
    const QFont* Font() const { return m_font.get(); }
    const std::array<TexturedVertex, 6>& ScaleIcon() const { return m_scaleIcon; }
    const tbVector3& ScaleCorner(int i) const { return i == 0 ? m_scaleCorner1 : m_scaleCorner2; }
    float ScaleSize() const { return m_scaleSize; }

    // Label colours.
    static constexpr tbColor LABEL_COLOUR_1{0.0f, 0.4f, 0.0f, 1.0f};
    static constexpr tbColor LABEL_COLOUR_2{0.8f, 0.0f, 0.0f, 1.0f};
    static constexpr tbColor LABEL_COLOUR_3{0.325f, 1.0f, 0.0f, 1.0f};

    // Text height of the axle-load labels and the plate's margin around the text, in world units.
    static constexpr float AXLE_LABEL_HEIGHT = 0.5f;
    static constexpr float AXLE_LABEL_MARGIN = 0.15f;
    // The axle-load labels of one vehicle at origin `o`: the front group's (not for a trailer drawn
    // behind its towing vehicle) and the rear group's, lying on the ground beside the vehicle. A group
    // whose permissible load is not above 0 gets no label. The number of labels drawn.
    int DrawAchslastLabels(IRenderDevice& device, CFahrzeug& vehicle, const tbVector3& o, bool behindTowing,
                           const tbMatrix& world);
    // The scale plate under a label: the quad from `corner1` to `corner2` on the ground (y of the
    // corners), the corners widened by 1.02, in `colour` at alpha 0.6, with the scale picture's part;
    // drawn only when the opaque effect exists.
    void DrawAchslastSkala(IRenderDevice& device, const tbVector3& corner1, const tbVector3& corner2,
                           const tbColor& colour);
    // Where the labels stand across: the larger of the side distance and half the width plus a margin.
    static float LabelSide(float width, bool van);

private:
    void FillCircles();
    const Label& CachedLabel(const QString& text);

    QString m_programFolder;
    const ResourceModule* m_module;
    SAnsicht3DFlags m_Flags;
    std::array<Circle, 3> m_circles{};
    bool m_bResources = false;
    std::unique_ptr<QFont> m_font;
    std::unique_ptr<QImage> m_scaleTexture;
    std::unique_ptr<QImage> m_bitmapTexture;
    std::array<TexturedVertex, 6> m_scaleIcon{};
    tbVector3 m_scaleCorner1;
    tbVector3 m_scaleCorner2;
    float m_scaleSize = 0.0f;
    std::unique_ptr<TextureEffect> m_opaqueEffect;
    std::unique_ptr<TextureEffect> m_blendedEffect;
    // The dashed line under the centre-of-gravity marker: up to 50 m, a period of 0.4, dashes 1 and 3.
    SGitter3D m_grid;
    // The chart surfaces and panels of the vehicles drawn last.
    std::map<const CFahrzeug*, std::unique_ptr<CFahrzeugDiagramm3D>> m_charts;
    // Label pictures by text, kept so a frame does not make a new texture for the same figure.
    std::map<QString, Label> m_labels;
};
