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
class CQOR1Doc;
class IRenderDevice;
class ModelCache;
class ResourceModule;

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

private:
    void FillCircles();

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
};
