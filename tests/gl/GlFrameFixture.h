// The GL fixture with an offscreen frame of the 3D view and the English language module installed, as
// the program has it when the chart panel's labels are drawn.
#pragma once

#include "GlFixture.h"
#include "platform/ResourceModule.h"
#include "view3d/OffscreenFrame.h"

#include <QCoreApplication>

#include <memory>

class GlFrameFixture : public GlFixture
{
protected:
    void SetUp() override
    {
        GlFixture::SetUp();
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        m_previous = ResourceModule::Current();
        ResourceModule::SetCurrent(m_module.get());
    }
    void TearDown() override
    {
        if (QOpenGLContext::currentContext() == &m_context)
            m_frame.Release();
        ResourceModule::SetCurrent(m_previous);
        GlFixture::TearDown();
    }

    OffscreenFrame m_frame;
    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous = nullptr;
};
