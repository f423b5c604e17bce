// Scripted stand-ins of the views' seams for tests: they record what the views ask and answer what the
// test scripted. Each is installed in the program run it is given for its lifetime; the views under test
// are given that run.
#pragma once

#include "ui/ProgramRun.h"
#include "views/IFrameAnimation.h"
#include "views/IPlanDialogs.h"
#include "views/ISliderFactory.h"
#include "views/IViewShell.h"
#include "views/SliderValueEvent.h"

#include <QCoreApplication>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

// Records every call by name; the answers are fields the test sets.
class ScriptedViewShell : public IViewShell
{
public:
    explicit ScriptedViewShell(ProgramRun& run) : m_installation(run, *this) {}

    void SetCurrentView(CGetAnsView* pView) override { Log("SetCurrentView"), m_pCurrent = pView; }
    void SetActiveView(CGetAnsView* pView) override { Log("SetActiveView"), m_pActive = pView; }
    void BeginViewDrag(CGetAnsView*) override { Log("BeginViewDrag"); }
    void AddViewRibbonGroup() override { Log("AddViewRibbonGroup"), m_bRibbonGroup = true; }
    void RemoveViewRibbonGroup() override { Log("RemoveViewRibbonGroup"), m_bRibbonGroup = false; }
    bool IsActiveViewModeSet() const override { return m_bViewMode; }
    void Update3DViewRenderFlag() override { Log("Update3DViewRenderFlag"); }
    bool CanRemoveAchse() const override { return m_bCanRemoveAchse; }
    void OnRemoveAchse() override { Log("OnRemoveAchse"); }
    QWidget* GetLoadDialog() const override { return m_pLoadDialog; }
    void ShowLoadDialog(bool bShow) override { Log(bShow ? "ShowLoadDialog" : "HideLoadDialog"); }
    CTabbedViewView* GetActiveHost() const override { return m_pHost; }
    void RecalcLayout() override { Log("RecalcLayout"); }

    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : m_calls)
            n += c == call ? 1 : 0;
        return n;
    }

    std::vector<std::string> m_calls;
    CGetAnsView* m_pCurrent = nullptr;
    CGetAnsView* m_pActive = nullptr;
    CTabbedViewView* m_pHost = nullptr;
    bool m_bRibbonGroup = false;
    bool m_bViewMode = false;
    bool m_bCanRemoveAchse = false;
    QWidget* m_pLoadDialog = nullptr; // the open load dialog, if any

private:
    void Log(const char* call) { m_calls.emplace_back(call); }

    ServiceInstallation<IViewShell> m_installation;
};

// Accepts every dialog with the values the test put in, or cancels when told to.
class ScriptedPlanDialogs : public IPlanDialogs
{
public:
    explicit ScriptedPlanDialogs(ProgramRun& run) : m_installation(run, *this) {}

    bool EditGewicht(QWidget*, double& dTonnen) override
    {
        ++m_nOpened;
        if (m_bCancel)
            return false;
        dTonnen = m_dGewicht;
        return true;
    }
    bool EditZL(QWidget*, ZLValues& values) override
    {
        ++m_nOpened;
        if (m_bCancel)
            return false;
        values = m_zl;
        return true;
    }

    // Takes the values the test set (once it set them); remembers what it was shown.
    bool EditNutzbareLF(QWidget*, NutzbareLFValues& values, bool bMode1) override
    {
        ++m_nOpened;
        m_nutzLFGezeigt = values;
        m_bNutzLFModus1 = bMode1;
        if (m_bCancel)
            return false;
        values = m_nutzLF;
        return true;
    }

    bool EditUeberstand(QWidget*, double (&dWerte)[4], int& nFlag) override
    {
        ++m_nOpened;
        if (m_bCancel)
            return false;
        for (int i = 0; i < 4; ++i)
            dWerte[i] = m_dUeberstand[i];
        nFlag = m_nUeberstandFlag;
        return true;
    }

    // Remembers the caption and text it was shown; gives back the test's text and changed flag.
    bool EditBemerkungen(QWidget*, const std::string& caption, std::string& text, bool& changed) override
    {
        ++m_nOpened;
        m_strBemerkungTitel = caption;
        m_strBemerkungGezeigt = text;
        if (m_bCancel)
            return false;
        text = m_strBemerkung;
        changed = m_bBemerkungGeaendert;
        return true;
    }

    bool m_bCancel = false;
    int m_nOpened = 0;
    double m_dGewicht = 0.0;
    std::string m_strBemerkung;
    bool m_bBemerkungGeaendert = true;
    std::string m_strBemerkungTitel;
    std::string m_strBemerkungGezeigt;
    ZLValues m_zl;
    NutzbareLFValues m_nutzLF;
    NutzbareLFValues m_nutzLFGezeigt;
    bool m_bNutzLFModus1 = false;
    double m_dUeberstand[4] = {0.0, 0.0, 0.0, 0.0};
    int m_nUeberstandFlag = 0;

private:
    ServiceInstallation<IPlanDialogs> m_installation;
};

// A slider that the test moves: each move sends the owner the message of the slider's kind.
class ScriptedSlider : public IValueSlider
{
public:
    ScriptedSlider(QWidget* pOwner, int nMessage, double dValue)
        : m_pOwner(pOwner), m_nMessage(nMessage), m_dValue(dValue)
    {
    }
    double GetValue() const override { return m_dValue; }
    void SetValue(double dValue) override { m_dValue = dValue; }
    COLORREF SetEditBkColor(COLORREF colour) override { return std::exchange(m_colour, colour); }
    void Close() override { m_bClosed = true; }
    void FocusEdit() override { ++m_nFocus; }
    const QObject* SenderObject() const override { return &m_sender; }
    QRect WindowRect() const override { return m_rc; }
    void MoveWindow(const QRect& rc) override { m_rc = rc; }

    // The user moves the slider to a value.
    void Move(double dValue)
    {
        m_dValue = dValue;
        SliderValueEvent e(m_nMessage, dValue);
        QCoreApplication::sendEvent(m_pOwner, &e);
    }

    QWidget* m_pOwner;
    int m_nMessage;
    double m_dValue;
    COLORREF m_colour = 0xFFFFFF;
    bool m_bClosed = false;
    int m_nFocus = 0;
    QObject m_sender; // stands for the slider's window
    QRect m_rc{0, 0, 46, 16};
};

// Makes scripted sliders and keeps a pointer to the last one.
class ScriptedSliderFactory : public ISliderFactory
{
public:
    explicit ScriptedSliderFactory(ProgramRun& run) : m_installation(run, *this) {}

    // Kind k sends message 0x8066 + k - 1.
    std::unique_ptr<IValueSlider> Create(int nKind, double dValue, double, double, QPoint, QWidget* pOwner,
                                         bool) override
    {
        auto slider =
            std::make_unique<ScriptedSlider>(pOwner, SliderValueEvent::kFirstValue + nKind - 1, dValue);
        m_pLast = slider.get();
        m_nLastKind = nKind;
        return slider;
    }

    ScriptedSlider* m_pLast = nullptr;
    int m_nLastKind = 0;

private:
    ServiceInstallation<ISliderFactory> m_installation;
};

// Records what an animation is asked to do.
class RecordingAnimation : public IFrameAnimation
{
public:
    void AddFrame(const CMemBm&) override { ++m_nFrames; }
    void SetSequence(const std::vector<int>& frames, int nStart) override
    {
        m_sequence = frames, m_nStart = nStart;
    }
    void SetPosition(QPoint) override {}
    void Draw(QPainter&) override { ++m_nDraws; }
    void Step(QPainter*) override { ++m_nSteps; }
    void ShowFrame(int nFrame) override { m_nShown = nFrame; }

    int m_nFrames = 0;
    std::vector<int> m_sequence;
    int m_nStart = -1;
    int m_nDraws = 0;
    int m_nSteps = 0;
    int m_nShown = -1;
};
