// A scripted load-securing view for the wizard's tests: records what the wizard asks and sends.
#pragma once

#include "loadsecuring/ILgSicherungView.h"
#include "loadsecuring/LgSichgViewEvent.h"
#include "ui/ProgramRun.h"

#include <QEvent>
#include <QWidget>

#include <map>
#include <string>
#include <utility>
#include <vector>

class FakeLgSicherungView : public QWidget, public ILgSicherungView
{
public:
    explicit FakeLgSicherungView(CQOR1Doc* pDoc = nullptr) : m_pDoc(pDoc) {}

    QWidget* GetViewWindow() override { return this; }
    CQOR1Doc* GetViewDocument() override { return m_pDoc; }
    ProgramRun& GetViewProgramRun() override { return m_run; }
    bool QueryAction(LgSichgAktion eAktion, const LgSichgWert& wert, int* pOut, QString* pMessage,
                     bool bDefault, int* /*pExtra*/) override
    {
        const int nCode = static_cast<int>(eAktion);
        m_queries.emplace_back(nCode, wert);
        if (pOut)
            *pOut = -1;
        if (pMessage)
            pMessage->clear();
        auto it = m_answers.find(nCode);
        return it == m_answers.end() ? bDefault : it->second;
    }
    void MarkModified(CFahrzeug* /*pFahrzeug*/) override { Log("MarkModified"); }
    void RepaintView() override { Log("RepaintView"); }
    QRect GetClientRectOnScreen() const override { return m_rcClient; }
    bool IsZurrpunktInUse(const LgSichgWert& wert, CLadeeinheit* /*pEinheit*/, int nMethode) override
    {
        m_inUseChecks.emplace_back(wert, nMethode);
        return m_bInUse;
    }
    void ClearLoadMarks() override { Log("ClearLoadMarks"); }

    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : m_calls)
            n += c == call ? 1 : 0;
        return n;
    }

    // The wizard's events as (type, wParam, lParam), in the order they came.
    struct Received
    {
        int nType;
        std::intptr_t nWParam;
        std::intptr_t nLParam;
    };
    std::vector<Received> m_events;
    std::vector<std::string> m_calls;
    std::vector<std::pair<int, LgSichgWert>> m_queries;
    std::vector<std::pair<LgSichgWert, int>> m_inUseChecks;
    std::map<int, bool> m_answers;
    QRect m_rcClient{100, 100, 600, 400};
    bool m_bInUse = false;
    int m_nPageNoticeAnswer = 0;
    // The run whose answers the wizard keeps.
    ProgramRun m_run;

protected:
    bool event(QEvent* e) override
    {
        const int type = int(e->type());
        if (type == LgSichgViewEvent::kClosedType || type == LgSichgViewEvent::kHiddenType ||
            type == LgSichgViewEvent::kPageNoticeType) {
            auto* ev = static_cast<LgSichgViewEvent*>(e);
            m_events.push_back({type, ev->WParam(), ev->LParam()});
            ev->SetResult(m_nPageNoticeAnswer);
            return true;
        }
        return QWidget::event(e);
    }

private:
    void Log(const char* call) { m_calls.emplace_back(call); }
    CQOR1Doc* m_pDoc;
};
