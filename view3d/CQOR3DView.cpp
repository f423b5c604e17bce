// The 3D view: its OpenGL widget and strips, the camera steered in the frame step, frames and screenshots.
#include "view3d/CQOR3DView.h"

#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/BmpFile.h"
#include "platform/ResourceModule.h"
#include "platform/gl/GlDevice.h"
#include "ui/CDlgHelpText.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "view3d/C3DViewport.h"
#include "view3d/CDlg3DViewSettings.h"
#include "view3d/ModelCache.h"
#include "view3d/OffscreenFrame.h"
#include "views/CQOR1View.h"
#include "views/CTabbedViewView.h"
#include "views/IViewShell.h"
#include "views/RenderFlagEvent.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

namespace {

// Texts of the screenshot's outcome: written to a path, not written to it, no picture folder.
constexpr quint32 kTextGeschrieben = 1470;
constexpr quint32 kTextNichtGeschrieben = 1471;
constexpr quint32 kTextKeinBildOrdner = 1472;

QString Text(quint32 id)
{
    const ResourceModule* module = ResourceModule::Current();
    return module ? module->String(id) : QString();
}

// The screenshot frame: a dotted rectangle over the picture, never part of it. The widget is shaped to
// the dots, so it also shows over the 3D view's own window once it has a native window of its own.
class FrameOverlay : public QWidget
{
public:
    FrameOverlay(CQOR3DView* view, QWidget* parent) : QWidget(parent), m_view(view)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void resizeEvent(QResizeEvent*) override { setMask(Dots(m_view->FrameRect())); }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::black); }

private:
    // One pixel on, two off, round the rectangle's edges (the right and bottom edge on `right()+1`,
    // `bottom()+1`, as a one-pixel pen draws it), sorted by rows as a region wants them.
    static QRegion Dots(const QRect& r)
    {
        if (r.width() <= 0 || r.height() <= 0)
            return {};
        const int left = r.left(), right = r.left() + r.width(), top = r.top(), bottom = r.top() + r.height();
        std::vector<QRect> dots;
        for (int x = left; x <= right; x += 3)
            dots.emplace_back(x, top, 1, 1);
        for (int y = top + 3; y < bottom; y += 3) {
            dots.emplace_back(left, y, 1, 1);
            dots.emplace_back(right, y, 1, 1);
        }
        for (int x = left; x <= right; x += 3)
            dots.emplace_back(x, bottom, 1, 1);
        QRegion region;
        region.setRects(dots.data(), static_cast<int>(dots.size()));
        return region;
    }

    CQOR3DView* m_view;
};

// A child widget shown over the 3D view's native window needs a native window of its own, stacked above
// it (without making its parents native).
void OverTheSurface(QWidget* widget)
{
    if (widget == nullptr)
        return;
    widget->setAttribute(Qt::WA_DontCreateNativeAncestors);
    widget->setAttribute(Qt::WA_NativeWindow);
    widget->raise();
}

} // namespace

CQOR3DView::CQOR3DView(CQOR1Doc* pDoc, View3DDevice& device, QWidget* parent)
    : CGetAnsView(pDoc, parent), CTimerManager(device),
      m_renderer(QCoreApplication::applicationDirPath(), ResourceModule::Current())
{
    m_Camera.SetInput(&device.Input());
    setFocusPolicy(Qt::StrongFocus);
    m_pTracker = new FrameOverlay(this, viewport());
    m_pTracker->setVisible(false);
    m_pStrip1 = new CRibBtnContainer(true, false, true);
    if (m_pStrip1->Create(637, viewport(), 0, 0, 0)) {
        m_pStrip1->AddButton(kCmdSolid, this);
        m_pStrip1->AddButton(kCmdWire, this);
        m_pStrip1->AddSeparator();
        m_pStrip1->AddButton(kCmdSettings, this);
        m_pStrip1->AddButton(kCmdScreenshot, this);
    }
    m_pStrip2 = new CRibBtnContainer(true, false, true);
    if (m_pStrip2->Create(635, viewport(), 0, 0, 400))
        m_pStrip2->AddButton(kCmdHelp, this);
    PlaceStrips(QPoint(0, 0));
}

void CQOR3DView::CreateGlWidget()
{
    // Made when the view is first shown, not before. The frames go to a native window of the widget's own,
    // so the main window keeps its raster painting and is not made again when the widget joins it.
    if (!Available() || m_pGl != nullptr)
        return;
    m_pGl = new C3DViewport([this](GlDevice& device, QSize pixels) { DrawFrame(device, pixels); },
                            [this] { OnLostDevice(); }, [this] { OnResetDevice(); }, viewport());
    m_pGl->setFocusPolicy(Qt::NoFocus);
    m_pGl->setFormat(Device3D()->SurfaceFormat());
    if (const unsigned texture = Device3D()->TextureFormat())
        m_pGl->setTextureFormat(texture);
    m_pGl->setGeometry(viewport()->rect());
    // Under the strips and the drag frame.
    m_pGl->lower();
    if (m_bSetUp)
        AttachWindow(m_pGl);
    m_pGl->show();
    OverTheSurface(m_pTracker);
    OverTheSurface(m_pStrip1);
    OverTheSurface(m_pStrip2);
}

CQOR3DView::~CQOR3DView()
{
    // The GL widget goes first: its context's end still reaches the renderer.
    delete m_pGl;
    m_pGl = nullptr;
}

void CQOR3DView::OnInitialUpdate()
{
    CGetAnsView::OnInitialUpdate();
    SetScrollSizes(QSize(0, 0));
    if (!Available() || m_bSetUp)
        return;
    if (m_pGl != nullptr)
        AttachWindow(m_pGl);
    m_Camera.Set(this, m_vStartEye, m_vStartTarget, 0.0f, 0.0f, 0.0f);
    CreateSwapChain();
    m_renderer.InitResources();
    m_bSetUp = true;
}

void CQOR3DView::OnUpdate(CGetAnsView*, UpdateHinweis eHinweis)
{
    if (eHinweis == UpdateHinweis::kNeuBerechnet || eHinweis == UpdateHinweis::kBearbeitet)
        m_bDirty = 1;
}

int CQOR3DView::OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert)
{
    const int handled = CGetAnsView::OnViewNotify(eMeldung, wert);
    if (handled == 0 && eMeldung == AnsichtMeldung::kRaender)
        PlaceStrips(ResolveInsets(wert.raender));
    return handled;
}

void CQOR3DView::PlaceStrips(QPoint insets)
{
    const QPoint scroll = GetScrollPosition();
    int x = 15 - insets.x() - scroll.x();
    for (CRibBtnContainer* strip : {m_pStrip1, m_pStrip2})
        if (strip && strip->HasWindow()) {
            strip->SetWindowPosAndShape(x, 10 - insets.y() - scroll.y());
            strip->raise();
            x += strip->width() + 10;
        }
}

void CQOR3DView::OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated)
{
    CGetAnsView::OnActivateView(bActivate, pActivated, pDeactivated);
    if (bActivate && pActivated == this)
        IViewShell::Of(&GetProgramRun()).SetCurrentView(this);
    // The child window sets render flag 2 while this view is its active one (message 0x8136).
    const bool bAktiv = bActivate && pActivated == this;
    if (bAktiv || pDeactivated == this)
        for (QWidget* w = parentWidget(); w; w = w->parentWidget())
            if (qobject_cast<QMdiSubWindow*>(w)) {
                QCoreApplication::postEvent(w, new RenderFlagEvent(bAktiv, this));
                break;
            }
    Present();
}

bool CQOR3DView::Available() const
{
    return Device3D() != nullptr && Device3D()->Is3DAvailable();
}

int CQOR3DView::SceneKind() const
{
    CQOR1Doc* doc = GetDocument();
    CFahrzeug* trailer = doc ? doc->GetAnhaenger() : nullptr;
    if (trailer == nullptr)
        return 1;
    if (trailer->GetArt() == FahrzeugArt::kAuflieger)
        return 2;
    return GetSettings()[0] != 0 ? 1 : 2;
}

float CQOR3DView::SceneLength(int kind) const
{
    CQOR1Doc* doc = GetDocument();
    if (doc == nullptr)
        return 0.0f;
    CFahrzeug* first = doc->GetFirstFahrzeug();
    CFahrzeug* trailer = doc->GetAnhaenger();
    if (kind == 1 || trailer == nullptr || trailer == first) {
        CFahrzeug* v = kind == 1 ? doc->GetAktivFahrzeug(false) : first;
        if (v == nullptr)
            v = first;
        return v ? static_cast<float>(v->CalcHinterachsgruppe(false)) : 0.0f;
    }
    const float length = static_cast<float>(trailer->CalcHinterachsgruppe(false));
    return first ? length - CFahrzeug3D::TrailerOffset(*first, *trailer) : length;
}

namespace {

// The distance from which a vehicle of `length` metres, the camera's target at its middle, fits wholly
// into a view whose narrower half field has the tangent `tanHalfField`; within the camera's limits.
float FramingDistance(float length, float tanHalfField)
{
    if (!(tanHalfField > 0.0f))
        return CCamera::MAX_DISTANCE;
    // The sphere around the vehicle seen from the target: half its length with half a metre at each
    // end, its height (about 4 m, the target 1.5 m above the floor) and half its width.
    const float halfLength = std::max(0.0f, length) / 2.0f + 0.5f;
    const float radius = std::sqrt(halfLength * halfLength + 2.5f * 2.5f + 1.3f * 1.3f);
    const float sinHalf = tanHalfField / std::sqrt(1.0f + tanHalfField * tanHalfField);
    return std::clamp(radius / sinHalf, CCamera::MIN_DISTANCE, CCamera::MAX_DISTANCE);
}

} // namespace

int CQOR3DView::Move(float time)
{
    const bool focused = hasFocus() || (m_pGl && m_pGl->hasFocus());
    if (m_bDirty == 0)
        return focused ? m_Camera.Update(time, this, m_vPivot, false) : 2;
    const int kind = SceneKind();
    const float length = SceneLength(kind);
    if (kind != m_nLastSceneKind) {
        tbVector3 target = m_Camera.Target();
        target.z = -0.5f * length;
        m_Camera.SetTarget(target);
        // The first view of a scene shows the whole vehicle: the camera stands back as far as it takes,
        // over the part of the back buffer that the client shows.
        const QSize client = m_pGl != nullptr ? m_pGl->size() : size();
        const QSize buffer = Device3D() != nullptr ? Device3D()->VideoMode() : client;
        if (!client.isEmpty() && !buffer.isEmpty()) {
            const float tanHalf = std::tan(3.14159265f / 8.0f);
            const float tanV =
                tanHalf * float(std::min(client.height(), buffer.height())) / float(buffer.height());
            const float tanH =
                tanHalf * float(std::min(client.width(), buffer.width())) / float(buffer.height());
            m_Camera.SetDistance(
                std::max(m_Camera.Distance(), FramingDistance(length, std::min(tanV, tanH))));
        }
        m_nLastSceneKind = kind;
    }
    m_Camera.SetSceneLength(length);
    if (CQOR1Doc* doc = GetDocument())
        if (CFahrzeug* active = doc->GetAktivFahrzeug(false))
            m_Camera.SetLowFloor(active->IsArt5());
    m_Camera.Update(time, this, m_vPivot, true);
    return 0;
}

QRect CQOR3DView::ScreenshotRect(QSize client, QSize buffer)
{
    const int w = std::min({client.width(), buffer.width(), kShotWidth});
    const int h = std::min({client.height(), buffer.height(), kShotHeight});
    return {(client.width() - w) / 2, (client.height() - h) / 2, std::max(w, 0), std::max(h, 0)};
}

tbMatrix CQOR3DView::ClientProjection(QSize client, QSize buffer, bool orthographic, float orthoWidth)
{
    const tbMatrix whole = OffscreenFrame::Projection(buffer, orthographic, orthoWidth);
    if (client.isEmpty() || buffer.isEmpty())
        return whole;
    // The client shows the centre of the back buffer at the buffer's scale; a larger client the whole field.
    const float sx =
        static_cast<float>(buffer.width()) / static_cast<float>(std::min(client.width(), buffer.width()));
    const float sy =
        static_cast<float>(buffer.height()) / static_cast<float>(std::min(client.height(), buffer.height()));
    return whole * tbMatrixScaling({sx, sy, 1.0f});
}

void CQOR3DView::DrawFrame(GlDevice& device, QSize pixels)
{
    QOpenGLExtraFunctions* gl = QOpenGLContext::currentContext()->extraFunctions();
    gl->glViewport(0, 0, pixels.width(), pixels.height());
    gl->glDepthMask(GL_TRUE);
    gl->glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    gl->glClearDepthf(1.0f);
    gl->glClearStencil(0);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    device.ApplyStates();
    const QSize buffer(m_bufferWidth, m_bufferHeight);
    const bool ortho = m_renderer.Flags()[7] != 0;
    device.SetTransform(
        TransformKind::Projection,
        ClientProjection(pixels, buffer.isEmpty() ? pixels : buffer, ortho, m_Camera.OrthoWidth()));
    device.SetTransform(TransformKind::View, m_Camera.GetViewMatrix());
    OffscreenFrame::SetLights(device);
    ModelCache* cache = Device3D() != nullptr ? Device3D()->ModelCacheInUse() : nullptr;
    if (cache != nullptr && GetDocument() != nullptr)
        m_renderer.Render(device, *cache, GetDocument(), m_Camera.Target(), nullptr, nullptr, m_nRenderMode);
}

void CQOR3DView::Render(float)
{
    if (m_pGl == nullptr || !m_pGl->RenderNow())
        return;
    m_bDirty = 0;
    ++m_nRenders;
    if (m_bScreenshot != 0)
        WriteScreenshot();
}

QString CQOR3DView::ScreenshotPath() const
{
    const std::filesystem::path& folder = GetProgramFolders().pictures;
    if (folder.empty())
        return {};
    return QDir(QString::fromStdString(folder.string())).filePath(QStringLiteral("3DScreenshot.bmp"));
}

void CQOR3DView::WriteScreenshot()
{
    m_bScreenshot = 0;
    m_strShotError.clear();
    const QString path = ScreenshotPath();
    if (path.isEmpty()) {
        m_strShotError = Text(kTextKeinBildOrdner);
        IViewShell::Of(&GetProgramRun()).ShowStatusText(m_strShotError);
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QImage frame = m_pGl->grabFramebuffer();
    const QRect area = ScreenshotRect(frame.size(), QSize(m_bufferWidth, m_bufferHeight).isEmpty()
                                                        ? frame.size()
                                                        : QSize(m_bufferWidth, m_bufferHeight));
    // A new file beside the old one, renamed over it: a failure leaves the old picture as it was.
    const QString part = path + QStringLiteral(".part");
    if (frame.isNull() || area.isEmpty() || !WriteDIBSectionToBmp(part, frame.copy(area))) {
        QFile::remove(part);
        m_strShotError = Text(kTextNichtGeschrieben).arg(QDir::toNativeSeparators(path));
    } else {
        std::error_code ec;
        std::filesystem::rename(part.toStdString(), path.toStdString(), ec);
        if (ec) {
            QFile::remove(part);
            m_strShotError = Text(kTextNichtGeschrieben).arg(QDir::toNativeSeparators(path)) +
                             QLatin1Char(' ') + QString::fromStdString(ec.message());
        }
    }
    QGuiApplication::restoreOverrideCursor();
    // The user learns where the picture went, or why it did not.
    IViewShell::Of(&GetProgramRun())
        .ShowStatusText(m_strShotError.isEmpty() ? Text(kTextGeschrieben).arg(QDir::toNativeSeparators(path))
                                                 : m_strShotError);
}

int CQOR3DView::Present()
{
    if (!Available() || m_pGl == nullptr || Device3D()->DeviceLost())
        return 1;
    m_pGl->update();
    return 0;
}

void CQOR3DView::ComputePivot(const QPoint& pixel)
{
    // The pressed pixel's ray through the client projection, met with the load floor's height.
    const QSize client = m_pGl ? m_pGl->size() : viewport()->size();
    if (client.isEmpty())
        return;
    const QSize buffer =
        QSize(m_bufferWidth, m_bufferHeight).isEmpty() ? client : QSize(m_bufferWidth, m_bufferHeight);
    const tbMatrix viewProjection =
        m_Camera.GetViewMatrix() *
        ClientProjection(client, buffer, m_renderer.Flags()[7] != 0, m_Camera.OrthoWidth());
    const tbMatrix inverse = tbMatrixInvert(viewProjection);
    const float x = 2.0f * (static_cast<float>(pixel.x()) + 0.5f) / static_cast<float>(client.width()) - 1.0f;
    const float y =
        1.0f - 2.0f * (static_cast<float>(pixel.y()) + 0.5f) / static_cast<float>(client.height());
    const tbVector3 nearPoint = tbVector3TransformCoords({x, y, 0.0f}, inverse);
    const tbVector3 farPoint = tbVector3TransformCoords({x, y, 1.0f}, inverse);
    const tbVector3 dir = tbVector3Normalize(farPoint - nearPoint);
    const float floor = 1.18f;
    if (dir.y < -1e-4f && nearPoint.y > floor) {
        const float t = (floor - nearPoint.y) / dir.y;
        m_vPivot = nearPoint + t * dir;
    } else {
        m_vPivot = nearPoint + CCamera::PIVOT_DISTANCE * dir;
    }
    if (!std::isfinite(m_vPivot.x) || !std::isfinite(m_vPivot.y) || !std::isfinite(m_vPivot.z))
        m_vPivot = m_Camera.Target();
}

int CQOR3DView::HandleMessage(QWidget* window, QEvent* event)
{
    const int result = CTimerManager::HandleMessage(window, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            ComputePivot(mouse->position().toPoint());
        m_Camera.UpdateMouseMode(true);
        break;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        m_Camera.UpdateMouseMode(true);
        break;
    default:
        break;
    }
    return result == 0 ? 0 : 2;
}

int CQOR3DView::IsActive()
{
    CQOR1Doc* doc = GetDocument();
    return doc && doc->GetAktivFahrzeug(false) ? 1 : 0;
}

int CQOR3DView::Update(float, int)
{
    return IsActive();
}

int CQOR3DView::NeedsRender(float, int deviceState)
{
    if (deviceState != 2 && !(NeedsRenderFlag(2) || (deviceState != 0 && NeedsRenderFlag(1))))
        return 0;
    if (CQOR1Doc* doc = GetDocument())
        doc->RebuildKurvenMeshes();
    return 1;
}

void CQOR3DView::OnLostDevice()
{
    m_renderer.ReleaseResources();
}

int CQOR3DView::OnResetDevice()
{
    if (!Available())
        return 1;
    if (const int failed = CreateSwapChain())
        return failed;
    m_renderer.InitResources();
    m_bDirty = 1;
    Present();
    return 0;
}

int CQOR3DView::CreateSwapChain()
{
    const QSize mode = Device3D() != nullptr ? Device3D()->VideoMode() : QSize(0, 0);
    SetBackBufferSize(mode.width(), mode.height());
    return 0;
}

QWidget* CQOR3DView::GetWindowHandle()
{
    return m_pGl ? static_cast<QWidget*>(m_pGl) : this;
}

std::array<int, CQOR3DView::kSettingCount> CQOR3DView::GetSettings() const
{
    std::array<int, kSettingCount> settings{};
    for (std::size_t i = 0; i < CDlg3DViewSettings::kBoxes.size(); ++i) {
        const int flag = CDlg3DViewSettings::kBoxes[i].flag;
        settings[i] = flag < 0 ? m_bShowFrame : const_cast<CFahrzeug3D&>(m_renderer).Flags()[flag];
    }
    return settings;
}

void CQOR3DView::SetSettings(const std::array<int, kSettingCount>& settings)
{
    for (std::size_t i = 0; i < CDlg3DViewSettings::kBoxes.size(); ++i) {
        const int flag = CDlg3DViewSettings::kBoxes[i].flag;
        if (flag < 0)
            SetShowFrame(settings[i]);
        else
            m_renderer.Flags()[flag] = settings[i];
    }
    // The camera follows the orthographic switch.
    const bool ortho = m_renderer.Flags()[7] != 0;
    if (ortho != m_Camera.IsOrthographic())
        m_Camera.SetOrthographic(ortho);
}

void CQOR3DView::SetShowFrame(int on)
{
    m_bShowFrame = on;
    if (m_pTracker) {
        m_pTracker->setVisible(on != 0);
        m_pTracker->raise();
        m_pTracker->update();
    }
    for (CRibBtnContainer* strip : {m_pStrip1, m_pStrip2})
        if (strip)
            strip->raise();
}

QRect CQOR3DView::FrameRect() const
{
    const int cw = viewport()->width(), ch = viewport()->height();
    const int w = std::min(cw, kShotWidth), h = std::min(ch, kShotHeight);
    return {kFrameShift + (cw - w) / 2, (ch - h + 2) / 2, w - 2, h - 2};
}

void CQOR3DView::ShowSettingsDialog(int bRenderAll)
{
    QPointer<QWidget> focus = QApplication::focusWidget();
    CDlg3DViewSettings dialog(this);
    dialog.m_nCheck = GetSettings();
    dialog.bRenderAll = bRenderAll;
    dialog.m_pView = this;
    if (dialog.exec() == QDialog::Accepted) {
        SetSettings(dialog.m_nCheck);
        m_bDirty = 1;
        Present();
    }
    if (focus)
        focus->setFocus();
}

void CQOR3DView::SwitchVehicle()
{
    CQOR1Doc* doc = GetDocument();
    CTabbedViewView* host = GetHost();
    CQOR1View* tmpl = host ? host->FindView<CQOR1View>() : nullptr;
    if (doc == nullptr || tmpl == nullptr || tmpl->CanShowPartner() == 0)
        return;
    doc->SetAktivIndex(doc->GetAktivIndex() == 1 ? 2 : 1, true, false);
    m_bDirty = 1;
    doc->RedrawViews();
}

bool CQOR3DView::OnBefehl(int nId)
{
    switch (nId) {
    case kCmdWire:
    case kCmdSolid:
    case kCmdSettings:
    case kCmdScreenshot:
    case kCmdHelp:
        OnCommand(nId);
        return true;
    default:
        return false;
    }
}

void CQOR3DView::OnCommand(int id)
{
    switch (id) {
    case kCmdWire:
    case kCmdSolid:
        m_nRenderMode = id == kCmdWire ? 1 : 0;
        m_bDirty = 1;
        Present();
        break;
    case kCmdSettings:
        ShowSettingsDialog(1);
        break;
    case kCmdScreenshot:
        m_bScreenshot = 1;
        m_bDirty = 1;
        break;
    case kCmdHelp: {
        CDlgHelpText dialog(this);
        if (const ResourceModule* module = ResourceModule::Current())
            dialog.SetTitle(module->String(634));
        dialog.SetResourceId(898);
        dialog.exec();
        break;
    }
    default:
        break;
    }
}

bool CQOR3DView::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab &&
        static_cast<QKeyEvent*>(e)->modifiers() == Qt::NoModifier) {
        SwitchVehicle();
        return true;
    }
    if (e->type() == CommandEvent::kType) {
        OnCommand(static_cast<int>(static_cast<CommandEvent*>(e)->Id()));
        return true;
    }
    if (e->type() == CommandUpdateEvent::EventType()) {
        auto* query = static_cast<CommandUpdateEvent*>(e);
        if (query->Id() == kCmdSolid)
            query->Enable(m_nRenderMode == 1);
        else if (query->Id() == kCmdWire)
            query->Enable(m_nRenderMode == 0);
        else
            query->Enable(true);
        return true;
    }
    if (e->type() == static_cast<QEvent::Type>(kMsgSettings)) {
        ShowSettingsDialog(1);
        return true;
    }
    return CGetAnsView::event(e);
}

void CQOR3DView::resizeEvent(QResizeEvent* e)
{
    CGetAnsView::resizeEvent(e);
    m_rcClient = viewport()->rect();
    if (m_pGl)
        m_pGl->setGeometry(m_rcClient);
    if (m_pTracker)
        m_pTracker->setGeometry(m_rcClient);
    m_bDirty = 1;
}

void CQOR3DView::showEvent(QShowEvent* e)
{
    CreateGlWidget();
    CGetAnsView::showEvent(e);
    SetRenderFlag(1, true);
    m_bDirty = 1;
}

void CQOR3DView::hideEvent(QHideEvent* e)
{
    SetRenderFlag(1, false);
    CGetAnsView::hideEvent(e);
}

void CQOR3DView::paintEvent(QPaintEvent* e)
{
    // Without an OpenGL widget the view is an empty white window with its strips.
    if (m_pGl == nullptr)
        CGetAnsView::paintEvent(e);
}
