// The divided tab's splitter: which pane is active, its blue frame, and a row dragged away.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"
#include "model/document/CQOR1Doc.h"
#include "views/CQOR3D1SplitterWnd.h"
#include "views/CTabbedViewView.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SplitterWndTest : public ::testing::Test
{
protected:
    SplitterWndTest()
        : m_host(&m_doc, [this](int kind, CQOR1Doc* pDoc) -> CGetAnsView* {
              auto* probe = new ProbeView(pDoc, &m_log);
              m_probes[kind] = probe;
              return probe;
          })
    {
        m_shell.m_pHost = &m_host;
        m_host.SetProgramRun(&m_run);
        m_host.resize(800, 600);
        m_host.show();
    }
    CQOR3D1SplitterWnd* Splitter() { return dynamic_cast<CQOR3D1SplitterWnd*>(m_host.GetSplitter()); }

    EnglishModule m_module;
    ProgramRun m_run;
    ScriptedViewShell m_shell{m_run};
    CQOR1Doc m_doc;
    std::vector<NotifyCall> m_log;
    ProbeView* m_probes[4] = {};
    CTabbedViewView m_host;
};

TEST_F(SplitterWndTest, TheActivePaneIsFramedInBlue)
{
    ASSERT_NE(Splitter(), nullptr);
    ASSERT_TRUE(m_host.SelectTab(m_host.FindTabOfKind(CTabbedViewView::kSplitterTabKind)));
    int row = 0, col = 0;
    EXPECT_EQ(Splitter()->FindActiveView(&row, &col), nullptr);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(col, -1);
    const struct
    {
        int kind;
        int row;
    } cases[] = {{1, 1}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        Focus(m_probes[c.kind]);
        QCoreApplication::processEvents();
        EXPECT_EQ(Splitter()->FindActiveView(&row, &col), m_probes[c.kind]);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(col, 0);
        // The frame lies in the two pixels around the view, inside its pane.
        QWidget* pane = Splitter()->widget(c.row);
        const QImage picture = pane->grab().toImage();
        const QRect view = m_probes[c.kind]->geometry();
        EXPECT_EQ(m_probes[c.kind]->m_rcBorder, QMargins(2, 2, 2, 2));
        for (const QPoint& p :
             {QPoint(view.left() - 1, view.center().y()), QPoint(view.left() - 2, view.center().y()),
              QPoint(view.center().x(), view.top() - 1), QPoint(view.right() + 2, view.center().y()),
              QPoint(view.center().x(), view.bottom() + 1)})
            EXPECT_EQ(picture.pixel(p) & 0xFFFFFF, CQOR3D1SplitterWnd::kFrameColour & 0xFFFFFF)
                << p.x() << "," << p.y();
        if (c.kind == 0) {
            QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views"));
            m_host.grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views/splitter_active_frame.png"));
        }
    }
}

TEST_F(SplitterWndTest, ARowDraggedBelowItsMinimumIsHidden)
{
    ASSERT_TRUE(m_host.SelectTab(m_host.FindTabOfKind(CTabbedViewView::kSplitterTabKind)));
    m_host.GetSplitter()->widget(1)->setMinimumHeight(80);
    const struct
    {
        int handle;
        int position;
        int hiddenRow;
    } drags[] = {{1, 10000, 1}};
    for (const auto& d : drags) {
        SCOPED_TRACE(d.position);
        EXPECT_FALSE(m_host.IsRowHidden(d.hiddenRow));
        // Dragging the handle to the bottom: the lower row falls under its minimum.
        QSplitterHandle* handle = m_host.GetSplitter()->handle(d.handle);
        ASSERT_NE(handle, nullptr);
        const QPoint start = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QTest::mouseMove(handle, start + QPoint(0, 500));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start + QPoint(0, 500));
        EXPECT_TRUE(m_host.IsRowHidden(d.hiddenRow));
        EXPECT_FALSE(m_host.IsRowHidden(1 - d.hiddenRow));
    }
}

} // namespace
