// The private messages between the load-securing wizard and its pages.
#pragma once

#include <QEvent>
#include <QSize>

#include <cstdint>

class CCmdUI;
class QPainter;
class QString;
class QWidget;

// To a page (sent unless said):
// - kDrawHeaderType (0x803E), Painter() and HeaderSize(): draw the page's header picture.
// - kViewNotifyType (0x803F, posted), WParam() code, LParam() value: the page's OnViewNotify.
// - kQueryType (0x8040), WParam() the action's number, LParam() a number, Message(): the page's
//   QueryViewAction; a number that names no action has no answer (-1), an action that takes an object
//   is refused (1).
// - kUpdateNextType (0x8041), kUpdateBackType (0x8042), kUpdateReportType (0x8045), CmdUI(): the page's
//   opinion on enabling Next, Back and the report button; Result() nonzero when it gave one.
// - kRefreshHintType (0x8046), WParam(): RefreshHint.
// - kInitialFocusType (0x804E, posted), FocusWidget(): the focus goes to what GetInitialFocus named.
// - kShowReportType (0x8044): the result page shows its report in an HTML message box.
// To the wizard:
// - kRelayType (0x8043), WParam(), LParam(): posted on to the active page as kViewNotifyType.
// - kFirstActivateType (0x8048), Page(): a page was activated for the first time.
class LgSichgPageEvent : public QEvent
{
public:
    static constexpr QEvent::Type kDrawHeaderType = QEvent::Type(0x803E);
    static constexpr QEvent::Type kViewNotifyType = QEvent::Type(0x803F);
    static constexpr QEvent::Type kQueryType = QEvent::Type(0x8040);
    static constexpr QEvent::Type kUpdateNextType = QEvent::Type(0x8041);
    static constexpr QEvent::Type kUpdateBackType = QEvent::Type(0x8042);
    static constexpr QEvent::Type kRelayType = QEvent::Type(0x8043);
    static constexpr QEvent::Type kShowReportType = QEvent::Type(0x8044);
    static constexpr QEvent::Type kUpdateReportType = QEvent::Type(0x8045);
    static constexpr QEvent::Type kRefreshHintType = QEvent::Type(0x8046);
    static constexpr QEvent::Type kFirstActivateType = QEvent::Type(0x8048);
    static constexpr QEvent::Type kInitialFocusType = QEvent::Type(0x804E);

    explicit LgSichgPageEvent(QEvent::Type type, std::intptr_t nWParam = 0, std::intptr_t nLParam = 0)
        : QEvent(type), m_nWParam(nWParam), m_nLParam(nLParam)
    {
    }

    std::intptr_t WParam() const { return m_nWParam; }
    std::intptr_t LParam() const { return m_nLParam; }
    QPainter* Painter() const { return m_pPainter; }
    QSize HeaderSize() const { return m_size; }
    CCmdUI* CmdUI() const { return m_pCmdUI; }
    QString* Message() const { return m_pMessage; }
    QObject* Page() const { return m_pPage; }
    QWidget* FocusWidget() const { return m_pFocus; }
    int Result() const { return m_nResult; }

    void SetPainter(QPainter* p, QSize size) { m_pPainter = p, m_size = size; }
    void SetCmdUI(CCmdUI* p) { m_pCmdUI = p; }
    void SetMessage(QString* p) { m_pMessage = p; }
    void SetPage(QObject* p) { m_pPage = p; }
    void SetFocusWidget(QWidget* p) { m_pFocus = p; }
    void SetResult(int n) { m_nResult = n; }

private:
    std::intptr_t m_nWParam;
    std::intptr_t m_nLParam;
    QPainter* m_pPainter = nullptr;
    QSize m_size;
    CCmdUI* m_pCmdUI = nullptr;
    QString* m_pMessage = nullptr;
    QObject* m_pPage = nullptr;
    QWidget* m_pFocus = nullptr;
    int m_nResult = 0;
};
