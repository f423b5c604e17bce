// A probe view that records what the protocol asks of it, and a host of probes with the English module.
#pragma once

#include "tests/support/views/CPlaceholderView.h"
#include "views/CGetAnsView.h"
#include "views/CTabbedViewView.h"

#include "platform/ResourceModule.h"
#include "ui/ProgramRun.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

struct NotifyCall
{
    int nKind;
    int nCode;
    int nValue;
    bool operator==(const NotifyCall&) const = default;
};

// Answers `m_nAnswer` to notifications of code `m_nAnswerCode`, refuses leave queries of reason
// `m_nRefuseReason` with its text, and writes every call into the shared logs.
class ProbeView : public CPlaceholderView
{
public:
    ProbeView(CQOR1Doc* pDoc, std::vector<NotifyCall>* pLog) : CPlaceholderView(pDoc, 196, 1), m_pLog(pLog) {}

    int OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert) override
    {
        const int nCode = int(eMeldung);
        m_notified.push_back({m_eView, nCode, wert.nZahl});
        m_pLog->push_back({m_eView, nCode, wert.nZahl});
        if (nCode == m_nAnswerCode)
            return m_nAnswer;
        return CPlaceholderView::OnViewNotify(eMeldung, wert);
    }
    bool CanLeave(VerlassenGrund eGrund, int nArg, std::string* pMessage) override
    {
        m_leaveQueries.push_back({m_eView, int(eGrund), nArg});
        if (int(eGrund) != m_nRefuseReason)
            return false;
        if (pMessage)
            *pMessage += m_strRefusal;
        return true;
    }
    void OnDocNotify(DokumentMeldung eMeldung, int nArg) override
    {
        m_pLog->push_back({m_eView, -int(eMeldung), nArg});
    }

    std::vector<NotifyCall>* m_pLog;
    std::vector<NotifyCall> m_notified;
    std::vector<NotifyCall> m_leaveQueries;
    int m_nAnswerCode = -1;
    int m_nAnswer = 0;
    int m_nRefuseReason = -1;
    std::string m_strRefusal;
};

// The English module for tab titles and placeholder captions, current while the object lives.
class EnglishModule
{
public:
    EnglishModule()
        : m_module(
              ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr)),
          m_previous(ResourceModule::Current())
    {
        ResourceModule::SetCurrent(m_module.get());
    }
    ~EnglishModule() { ResourceModule::SetCurrent(m_previous); }
    EnglishModule(const EnglishModule&) = delete;
    EnglishModule& operator=(const EnglishModule&) = delete;
    const ResourceModule* Module() const { return m_module.get(); }

private:
    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous;
};

// Gives a view the keyboard focus as a click would, also when the test window is not active.
inline void Focus(CGetAnsView* pView)
{
    pView->setFocus(Qt::MouseFocusReason);
    if (pView->GetProgramRun().GetAktiveAnsicht() != pView) {
        QFocusEvent e(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(pView, &e);
    }
}

// The pixels of a picture, painted larger than a page, that are not white and lie right of or below
// the page: what a printer would cut off.
inline int InkOutsidePage(const QImage& bild, const QSize& seite)
{
    int n = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if ((x >= seite.width() || y >= seite.height()) && bild.pixel(x, y) != qRgb(255, 255, 255))
                ++n;
    return n;
}

// A view's drawing painted unscrolled into a white picture of `size`, reduced by `teil`: pictures of
// printer pages, which are too large to paint at full size.
inline QImage PaintReduced(CGetAnsView& view, const QSize& size, int teil)
{
    struct Zugang : CGetAnsView
    {
        static void Male(CGetAnsView& v, QPainter& p) { (v.*&Zugang::OnDraw)(p); }
    };
    QImage bild(size, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter painter(&bild);
    painter.scale(1.0 / teil, 1.0 / teil);
    Zugang::Male(view, painter);
    return bild;
}

// A printed page of a view: its drawing painted as on a page of `seite` (reduced by `teil`) into a white
// picture with half a page of room on every side, so that whatever would fall off the page shows there.
// The page itself stands at (seite / teil) / 2.
inline QImage PaintPageWithRoom(CGetAnsView& view, const QSize& seite, int teil)
{
    struct Zugang : CGetAnsView
    {
        static void Male(CGetAnsView& v, QPainter& p) { (v.*&Zugang::OnDraw)(p); }
    };
    const QSize blatt = seite / teil;
    QImage bild(blatt * 2, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter painter(&bild);
    painter.translate(blatt.width() / 2, blatt.height() / 2);
    painter.scale(1.0 / teil, 1.0 / teil);
    Zugang::Male(view, painter);
    return bild;
}

// The smallest rectangle holding every pixel that is not white; empty for a white picture.
inline QRect InkBounds(const QImage& bild)
{
    const QImage b = bild.convertToFormat(QImage::Format_RGB32);
    int left = b.width(), top = b.height(), right = -1, bottom = -1;
    for (int y = 0; y < b.height(); ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < b.width(); ++x)
            if ((zeile[x] & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
