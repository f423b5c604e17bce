// Vertex and index buffers of models, one copy per group of OpenGL contexts that share their objects,
// so every 3D view of the program draws from the same buffers.
#pragma once

#include <QOpenGLFunctions_3_3_Core>

#include <vector>

class DeviceModel;

class GlModelStore
{
public:
    struct Buffers
    {
        GLuint vbo = 0, ibo = 0;
        // Per part: first index and base vertex in the buffers.
        std::vector<GLint> firstIndex, baseVertex;
    };

    // The buffers of `model` in the share group of the current context, uploaded on the first request.
    // The buffers live as long as the group; a model's identity is never reused, so a model that is
    // gone only leaves its buffers unused.
    static const Buffers& Get(QOpenGLFunctions_3_3_Core& gl, const DeviceModel& model);
    // How many models the share group of the current context holds (0 without a current context).
    static int Count();
};
