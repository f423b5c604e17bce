// The load-securing wizard's events to its view: closed, hidden and the pages' notices.
#pragma once

#include <QEvent>

#include <cstdint>

// What a page tells the view; the view repaints for each.
enum class LgSichgSeitenHinweis : int
{
    kWahlGeaendert = 0,      // a choice of the page changed (value: the choice)
    kSeiteAktiviert = 1,     // a page became the active one
    kQuerQuelleGewaehlt = 2, // the source of the lashings across was chosen; value 1 (the rails)
                             // clears the hovered and selected lashing points first
};

// kClosedType (0x803C): the wizard closed itself; the view drops it.
// kHiddenType (0x803D): the wizard was hidden; the view gives the frame its commands back.
// kPageNoticeType (0x804C), WParam() and LParam(): a page's notice (LgSichgSeitenHinweis) and its
// value. The view sets the answer (-1: not handled).
class LgSichgViewEvent : public QEvent
{
public:
    static constexpr QEvent::Type kClosedType = QEvent::Type(0x803C);
    static constexpr QEvent::Type kHiddenType = QEvent::Type(0x803D);
    static constexpr QEvent::Type kPageNoticeType = QEvent::Type(0x804C);

    explicit LgSichgViewEvent(QEvent::Type type, std::intptr_t nWParam = 0, std::intptr_t nLParam = 0)
        : QEvent(type), m_nWParam(nWParam), m_nLParam(nLParam)
    {
    }
    LgSichgViewEvent(LgSichgSeitenHinweis eHinweis, std::intptr_t nWert)
        : LgSichgViewEvent(kPageNoticeType, static_cast<std::intptr_t>(eHinweis), nWert)
    {
    }
    std::intptr_t WParam() const { return m_nWParam; }
    std::intptr_t LParam() const { return m_nLParam; }
    int Result() const { return m_nResult; }
    void SetResult(int nResult) { m_nResult = nResult; }

private:
    std::intptr_t m_nWParam;
    std::intptr_t m_nLParam;
    int m_nResult = 0;
};
