// A test fixture with a current OpenGL 3.3 core context, a GL device and a framebuffer to draw into.
#pragma once

#include "platform/gl/GlDevice.h"
#include "view3d/ModelCache.h"
#include "view3d/TextureManager.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>

#include <gtest/gtest.h>

#include <functional>

class GlFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Clears a framebuffer of `size` to white, runs `frame` on `device` (the fixture's GL device when
    // null) and reads the pixels back.
    QImage Render(QSize size, const std::function<void(IRenderDevice&)>& frame,
                  IRenderDevice* device = nullptr);
    // Draws into the given part of the current framebuffer without clearing the rest.
    void SetViewport(int x, int y, int width, int height);
    // Camera, perspective and the five lights of the 3D view.
    static void SetScene(IRenderDevice& device, const tbVector3& eye, const tbVector3& target, float aspect);
    // A model of the generated set.
    const DeviceModel& Model(int index);

    QOpenGLContext m_context;
    QOffscreenSurface m_surface;
    GlDevice m_device;
    TextureManager m_textures;
    // The folder that holds the generated Modelle/.
    static QString ProgramFolder();
    ModelCache m_cache{ProgramFolder(), m_textures};
};
