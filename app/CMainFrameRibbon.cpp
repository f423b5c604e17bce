// The main window's ribbon: its icons and construction, the system popup with the recent files, the
// language menu, the view group and the update pass of the idle time.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CQOR2App.h"
#include "app/CQOR2StatusBar.h"
#include "app/CQORRibbonBar.h"
#include "app/CQORRibbonSystemPopupBar.h"
#include "app/LanguageMenu.h"
#include "app/MainRibbonLayout.h"
#include "platform/MenuResource.h"
#include "views/CTabbedViewView.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QTabBar>
#include <QTextStream>

namespace {

constexpr int kRecentFiles = 33271;
constexpr int kFirstRecentFile = 0xE110; // the commands of the recent files, 16 of them

} // namespace

bool CMainFrame::LoadRibbonIcons()
{
    MainRibbonLayout::LoadIcons();
    return true;
}

bool CMainFrame::CreateRibbon()
{
    QString error;
    const std::optional<MenuResource> menu = MenuResource::Load(128, &error);
    if (!menu) {
        QTextStream(stderr) << error << Qt::endl;
        return false;
    }
    auto* ribbon = new CQORRibbonBar(this);
    if (!MainRibbonLayout::Build(ribbon, *menu)) {
        QTextStream(stderr) << "Menu 128 of the language module lacks the ribbon's popups." << Qt::endl;
        delete ribbon;
        return false;
    }
    m_ribbon = ribbon;
    setMenuWidget(ribbon);
    RegisterCommands();
    ribbon->SetUpdateRoute([this](CCmdUI& cmdUI) { m_commands.UpdateOrDefault(cmdUI); },
                           [this](CCmdUI& cmdUI) { RouteCommandToViews(cmdUI); });
    connect(ribbon, &RibbonBar::Command, this, [this](int id, int index) { OnCommand(id, index); });
    connect(ribbon, &RibbonBar::TabSelected, this, &CMainFrame::OnRibbonTabSelected);

    // The system popup's items are commands, and their shortcuts work while the popup is closed.
    CQORRibbonSystemPopupBar* popup = ribbon->SystemPopup();
    for (QAction* action : popup->actions()) {
        const int id = MenuResource::CommandOf(action);
        if (id <= 0 || id == kRecentFiles)
            continue;
        addAction(action);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    connect(popup, &QMenu::aboutToShow, this, &CMainFrame::FillRecentFiles);
    FillRecentFiles();

    // The options popup: its language menu lists the modules found; the states come from the update.
    if (QMenu* options = MainRibbonLayout::OptionsPopup(ribbon)) {
        connect(options, &QMenu::aboutToShow, this, [this, options] {
            CQORRibbonSystemPopupBar::UpdateMenu(
                options, [this](CCmdUI& cmdUI) { m_commands.UpdateOrDefault(cmdUI); },
                [this](CCmdUI& cmdUI) { RouteCommandToViews(cmdUI); });
        });
        for (QAction* action : options->actions()) {
            QMenu* sub = action->menu();
            if (!sub)
                continue;
            connect(sub, &QMenu::aboutToShow, this, [this, sub] {
                if (const CQOR2App* app = CQOR2App::Instance())
                    LanguageMenu::Initialise(sub, app->Languages());
                CQORRibbonSystemPopupBar::UpdateMenu(
                    sub, [this](CCmdUI& cmdUI) { m_commands.UpdateOrDefault(cmdUI); },
                    [this](CCmdUI& cmdUI) { RouteCommandToViews(cmdUI); });
            });
        }
    }
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence::HelpContents);
    addAction(help);
    connect(help, &QAction::triggered, this, [this] { OnCommand(633); });

    if (CQOR2App* app = CQOR2App::Instance()) {
        app->AddIdleWork([frame = QPointer<CMainFrame>(this)] {
            if (frame)
                frame->UpdateCommandUI();
        });
    }
    UpdateCommandUI();
    return true;
}

void CMainFrame::LoadCommandBars(QSettings& settings)
{
    if (!m_ribbon)
        return;
    settings.beginGroup(QStringLiteral("CommandBars"));
    const QVariant saved = settings.value(QStringLiteral("Layout"));
    settings.endGroup();
    // A layout this version did not write (damaged, of another program or version) leaves the defaults.
    if (saved.isValid() && saved.typeId() == QMetaType::QByteArray)
        m_ribbon->RestoreLayout(saved.toByteArray());
}

void CMainFrame::SaveCommandBars(QSettings& settings) const
{
    if (!m_ribbon)
        return;
    settings.beginGroup(QStringLiteral("CommandBars"));
    settings.setValue(QStringLiteral("Layout"), m_ribbon->SaveLayout());
    settings.endGroup();
}

void CMainFrame::FillRecentFiles()
{
    CQORRibbonSystemPopupBar* popup = m_ribbon ? m_ribbon->SystemPopup() : nullptr;
    if (!popup)
        return;
    QAction* anchor = nullptr;
    for (QAction* action : popup->actions()) {
        const int id = MenuResource::CommandOf(action);
        if (id == kRecentFiles)
            anchor = action;
        else if (id >= kFirstRecentFile && id < kFirstRecentFile + 16)
            delete action;
    }
    if (!anchor)
        return;
    const CQOR2App* app = CQOR2App::Instance();
    const QStringList files = app ? app->RecentFiles() : QStringList();
    // The item 33271 is the list's heading; the files follow it, newest first.
    QAction* before = nullptr;
    const QList<QAction*> actions = popup->actions();
    const qsizetype at = actions.indexOf(anchor);
    before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
    for (int i = 0; i < files.size() && i < 16; ++i) {
        const int id = kFirstRecentFile + i;
        auto* item =
            new QAction(QStringLiteral("&%1  %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()), popup);
        item->setData(id);
        item->setToolTip(files[i]);
        popup->insertAction(before, item);
        connect(item, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    popup->UpdateCommandUI();
}

void CMainFrame::AddViewRibbonGroup()
{
    // The group belongs to the tab the ribbon is built with; another tab shown now goes without it.
    if (m_ribbon && m_ribbon->Tabs()->currentIndex() == MainRibbonLayout::kViewGroupTab)
        MainRibbonLayout::AddViewGroup(m_ribbon);
}

void CMainFrame::RemoveViewRibbonGroup()
{
    if (m_ribbon)
        MainRibbonLayout::RemoveViewGroup(m_ribbon);
}

void CMainFrame::OnRibbonTabSelected(int index)
{
    // The view group follows the active child's divided view on the tab that owns it; without a child
    // nothing changes.
    CChildFrame* child = ActiveChild();
    if (!child || !GetActiveDoc())
        return;
    const CTabbedViewView* host = child->GetTabbedView();
    if (index == MainRibbonLayout::kViewGroupTab && host && host->IsSplitterTabSelected())
        AddViewRibbonGroup();
    else
        RemoveViewRibbonGroup();
}

void CMainFrame::UpdateCommandUI()
{
    if (m_ribbon) {
        m_ribbon->UpdateCommandUI();
        if (CQORRibbonSystemPopupBar* popup = m_ribbon->SystemPopup())
            popup->UpdateCommandUI();
    }
    if (m_statusBar)
        m_statusBar->UpdatePanes();
}
