// The 3D view of a document: a view of the tabbed host and a render manager of the frame step.
#pragma once

#include "model/base/tbVector3.h"
#include "view3d/CCamera.h"
#include "view3d/CFahrzeug3D.h"
#include "view3d/CTimerManager.h"
#include "views/CGetAnsView.h"

#include <QPointer>
#include <QRect>
#include <QSize>

#include <array>

class C3DViewport;
class CRibBtnContainer;
class GlDevice;
class ModelCache;
class QWidget;

class CQOR3DView : public CGetAnsView, public CTimerManager
{
    Q_OBJECT

public:
    // The commands of the view's strips, also when routed from the frame.
    bool OnBefehl(int nId) override;
    // Commands of the strips.
    static constexpr int kCmdSolid = 825;
    static constexpr int kCmdWire = 826;
    static constexpr int kCmdSettings = 638;
    static constexpr int kCmdScreenshot = 828;
    static constexpr int kCmdHelp = 827;
    // The private message that opens the view settings; its value is the dialog's render-all flag.
    static constexpr int kMsgSettings = 0x8063;
    // The largest screenshot.
    static constexpr int kShotWidth = 648;
    static constexpr int kShotHeight = 790;
    static constexpr int kFrameShift = 46;
    // The number of settings the view settings dialog edits, in its exchange order.
    static constexpr int kSettingCount = 12;

    // A view of `pDoc` on the run's 3D `device`, which outlives the view.
    CQOR3DView(CQOR1Doc* pDoc, View3DDevice& device, QWidget* parent = nullptr);
    ~CQOR3DView() override;

    // View side.
    void OnInitialUpdate() override;
    void OnUpdate(CGetAnsView* pSender, UpdateHinweis eHinweis) override;
    int OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert) override;
    void OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated) override;

    // Render-manager side.
    int Move(float time) override;
    void Render(float time) override;
    int Present() override;
    int HandleMessage(QWidget* window, QEvent* event) override;
    int IsActive() override;
    int Update(float time, int n) override;
    int NeedsRender(float time, int deviceState) override;
    void OnLostDevice() override;
    int OnResetDevice() override;
    QWidget* GetWindowHandle() override;
    int CreateSwapChain();

    // The settings the view settings dialog edits, in its exchange order (box 1177 is the frame switch).
    std::array<int, kSettingCount> GetSettings() const;
    void SetSettings(const std::array<int, kSettingCount>& settings);
    // Opens the view settings; `bRenderAll` lets each click render all 3D views at once.
    void ShowSettingsDialog(int bRenderAll);

    CFahrzeug3D& Renderer() { return m_renderer; }
    CCamera& Camera() { return m_Camera; }
    int IsDirty() const { return m_bDirty; }
    void SetDirty() { m_bDirty = 1; }
    int GetShowFrame() const { return m_bShowFrame; }
    void SetShowFrame(int on);
    int GetRenderMode() const { return m_nRenderMode; }
    void RequestScreenshot() { m_bScreenshot = 1; }
    const tbVector3& Pivot() const { return m_vPivot; }
    // The OpenGL widget, or null while 3D is unavailable.
    C3DViewport* GlWidget() const { return m_pGl; }
    CRibBtnContainer* Strip(int i) const { return i == 0 ? m_pStrip1 : m_pStrip2; }
    // Frames the frame step rendered.
    int RenderCount() const { return m_nRenders; }
    // The screenshot frame's rectangle in the client area.
    QRect FrameRect() const;
    // The part of the back buffer a screenshot takes: the client clipped to 648 x 790, centred.
    static QRect ScreenshotRect(QSize client, QSize buffer);
    // The projection for a client of `client` pixels that shows the centre of a back buffer of
    // `buffer`: the same scale as the whole buffer, or the whole field when the client is larger.
    static tbMatrix ClientProjection(QSize client, QSize buffer, bool orthographic, float orthoWidth);
    // Length of the scene along z for the scene kind (1 one vehicle, 2 the combination).
    float SceneLength(int kind) const;
    // Where the last screenshot went and why it failed; empty when it was written.
    const QString& LastScreenshotError() const { return m_strShotError; }
    QString ScreenshotPath() const;

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void CreateGlWidget();
    void DrawFrame(GlDevice& device, QSize pixels);
    void OnCommand(int id);
    void SwitchVehicle();
    // The two strips at the top left, moved in by the picture's insets.
    void PlaceStrips(QPoint insets);
    void ComputePivot(const QPoint& pixel);
    void WriteScreenshot();
    int SceneKind() const;
    // Whether the device has 3D on (the view stays an empty window otherwise).
    bool Available() const;

    CFahrzeug3D m_renderer;
    int m_bDirty = 1;
    int m_bShowFrame = 0;
    QRect m_rcClient;
    QWidget* m_pTracker = nullptr;
    CCamera m_Camera;
    tbVector3 m_vPivot{-1.0f, -1.0f, -1.0f};
    int m_nLastSceneKind = 0;
    CRibBtnContainer* m_pStrip1 = nullptr;
    CRibBtnContainer* m_pStrip2 = nullptr;
    int m_nRenderMode = 1;
    tbVector3 m_vStartEye{-0.8f, 1.9f, -2.99f};
    tbVector3 m_vStartTarget{0.0f, 1.5f, -1.0f};
    int m_bScreenshot = 0;

    C3DViewport* m_pGl = nullptr;
    bool m_bSetUp = false;
    int m_nRenders = 0;
    QString m_strShotError;
};
