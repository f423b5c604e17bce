// Whether an OpenGL 3.3 core context can be made here, and the saved 3D settings record.
#include "platform/GlProbe.h"

#include "platform/RegularFile.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>
#include <QSurfaceFormat>

namespace GlSettings {

std::uint32_t Field(const GlSettingsRecord& record, int offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | record[static_cast<std::size_t>(offset + i)];
    return value;
}

void SetField(GlSettingsRecord& record, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        record[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

GlSettingsRecord Make(int width, int height, int refreshRate, int samples)
{
    GlSettingsRecord record{};
    SetField(record, 0, 0); // adapter
    SetField(record, 4, 1); // hardware device
    SetField(record, 8, 1); // windowed
    SetField(record, 12, static_cast<std::uint32_t>(width));
    SetField(record, 16, static_cast<std::uint32_t>(height));
    SetField(record, kRefreshOffset, static_cast<std::uint32_t>(refreshRate));
    SetField(record, 24, 22); // display format: 32-bit colour without alpha
    SetField(record, 28, 22); // back buffer likewise
    SetField(record, 32, 75); // depth 24, stencil 8
    SetField(record, kSamplesOffset, static_cast<std::uint32_t>(samples));
    SetField(record, 40, 0);      // quality
    SetField(record, 44, 4 | 64); // hardware vertex processing
    SetField(record, 64, 44100);
    SetField(record, 68, 16);
    return record;
}

} // namespace GlSettings

namespace {

bool TryContext(int samples, QString* renderer = nullptr)
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSamples(samples);
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    if (!surface.isValid())
        return false;
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create())
        return false;
    const QSurfaceFormat made = context.format();
    if (made.majorVersion() < 3 || (made.majorVersion() == 3 && made.minorVersion() < 3))
        return false;
    if (!context.makeCurrent(&surface))
        return false;
    if (renderer)
        *renderer =
            QString::fromLatin1(reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER)));
    context.doneCurrent();
    return true;
}

} // namespace

GlProbeResult ProbeOpenGL(const QString& recordFile)
{
    GlProbeResult result;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) || !QGuiApplication::primaryScreen()) {
        result.status = GlProbeResult::Status::NoScreen;
        return result;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    result.refreshRate = screen->refreshRate();

    QByteArray bytes;
    if (!recordFile.isEmpty() && ReadRegularFile(recordFile, 72, &bytes)) {
        GlSettingsRecord record{};
        if (bytes.size() == 72) {
            std::copy(bytes.begin(), bytes.end(), record.begin());
            const int samples = static_cast<int>(GlSettings::Field(record, GlSettings::kSamplesOffset));
            if (samples >= 0 && samples <= 16 && TryContext(samples)) {
                result.status = GlProbeResult::Status::Ok;
                result.samples = samples;
                result.fromSavedRecord = true;
                return result;
            }
        }
    }

    // Mesa's software rasteriser draws multisampled frames too slowly for the 3D view: none there.
    QString renderer;
    const bool software = TryContext(0, &renderer) && (renderer.contains(QStringLiteral("llvmpipe")) ||
                                                       renderer.contains(QStringLiteral("softpipe")));
    for (int samples : {4, 3, 2, 0}) {
        if ((software && samples > 0) || !TryContext(samples))
            continue;
        result.status = GlProbeResult::Status::Ok;
        result.samples = samples;
        if (!recordFile.isEmpty()) {
            const QSize size = screen->size();
            const GlSettingsRecord record =
                GlSettings::Make(size.width(), size.height(), qRound(result.refreshRate), samples);
            // A link in the record's place is replaced by the record, never written through.
            result.recordWritten =
                WriteRegularFile(recordFile, QByteArray(reinterpret_cast<const char*>(record.data()),
                                                        static_cast<qsizetype>(record.size())));
        }
        return result;
    }
    result.status = GlProbeResult::Status::NoContext;
    return result;
}
