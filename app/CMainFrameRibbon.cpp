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
#include "model/text/TextProvider.h"
#include "platform/MenuResource.h"
#include "platform/ribbon/QuickAccessBar.h"
#include "ui/CXtpCmdUI.h"
#include "views/CTabbedViewView.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QTabBar>
#include <QTextStream>
#include <QToolButton>

namespace {

constexpr int kRecentFiles = 33271;
constexpr int kFirstRecentFile = 0xE110; // the commands of the recent files, 16 of them

// Texts of the quick access toolbar's menu.
constexpr std::uint32_t kShowBelow = 1539;
constexpr std::uint32_t kMinimizeRibbon = 1540;
constexpr std::uint32_t kShowAbove = 1544;
constexpr std::uint32_t kQuickAccessMenuTip = 1545;
// The caption of a system popup item before its key was added to it.
constexpr const char* kCaptionWithoutKey = "captionWithoutKey";

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

CMainFrame::CustomizeRunner& Runner()
{
    static CMainFrame::CustomizeRunner runner;
    return runner;
}

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
    m_commands.On(MainRibbonLayout::kCustomize, [this](unsigned) { OnCustomize(); });
    ribbon->SetUpdateRoute([this](CCmdUI& cmdUI) { m_commands.UpdateOrDefault(cmdUI); },
                           [this](CCmdUI& cmdUI) { RouteCommandToViews(cmdUI); });
    connect(ribbon, &RibbonBar::Command, this, [this](int id, int index) { OnCommand(id, index); });
    connect(ribbon, &RibbonBar::TabSelected, this, &CMainFrame::OnRibbonTabSelected);

    // The system popup's items are commands; their keys are the key table's (ApplyKeyBindings).
    CQORRibbonSystemPopupBar* popup = ribbon->SystemPopup();
    for (QAction* action : popup->actions()) {
        const int id = MenuResource::CommandOf(action);
        if (id <= 0 || id == kRecentFiles)
            continue;
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

    // What the user may place on the quick access toolbar and bind to keys: the commands of menu 128
    // and of the ribbon's groups, each looking as on the ribbon.
    m_customizeCategories = MainRibbonLayout::CustomizeCategories(*menu);
    QHash<int, RibbonControlSpec> looks;
    for (const RibbonCustomizeSheet::Category& category : m_customizeCategories) {
        for (int id : category.commands) {
            if (!looks.contains(id))
                looks.insert(id, MainRibbonLayout::CommandLook(id));
        }
    }
    ribbon->SetCommandDescriber([looks](int id) -> std::optional<RibbonControlSpec> {
        const auto there = looks.constFind(id);
        return there == looks.constEnd() ? std::nullopt : std::optional<RibbonControlSpec>(*there);
    });
    ribbon->Keys().SetDefaults(MainRibbonLayout::DefaultKeys(*menu));
    connect(ribbon, &RibbonBar::KeysChanged, this, &CMainFrame::ApplyKeyBindings);
    ApplyKeyBindings();

    // The quick access toolbar's menu: its place, the minimised ribbon, and the customise sheet.
    QuickAccessBar* quick = ribbon->QuickAccess();
    quick->MenuButton()->setToolTip(Text(kQuickAccessMenuTip));
    QMenu* quickMenu = quick->Menu();
    QAction* place = quickMenu->addAction(QString());
    QAction* minimize = quickMenu->addAction(Text(kMinimizeRibbon));
    minimize->setCheckable(true);
    quickMenu->addSeparator();
    QAction* customize = quickMenu->addAction(MenuResource::Caption(MainRibbonLayout::kCustomize));
    connect(quickMenu, &QMenu::aboutToShow, this, [ribbon, place, minimize] {
        place->setText(Text(ribbon->IsQuickAccessBelow() ? kShowAbove : kShowBelow));
        minimize->setChecked(ribbon->IsMinimized());
    });
    connect(place, &QAction::triggered, ribbon,
            [ribbon] { ribbon->SetQuickAccessBelow(!ribbon->IsQuickAccessBelow()); });
    connect(minimize, &QAction::triggered, ribbon, [ribbon](bool on) { ribbon->SetMinimized(on); });
    connect(customize, &QAction::triggered, this, [this] { OnCommand(MainRibbonLayout::kCustomize); });

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

void CMainFrame::SetCustomizeRunner(CustomizeRunner runner)
{
    Runner() = std::move(runner);
}

void CMainFrame::OnCustomize()
{
    if (!m_ribbon)
        return;
    RibbonCustomizeSheet sheet(m_ribbon, m_customizeCategories, this);
    if (Runner())
        Runner()(sheet);
    else
        sheet.exec(); // OK gives the ribbon the sheet's choices before it closes
}

void CMainFrame::ApplyKeyBindings()
{
    qDeleteAll(m_keyActions);
    m_keyActions.clear();
    if (!m_ribbon)
        return;
    const KeyBindings& keys = m_ribbon->Keys();
    QList<int> ids;
    for (const KeyBindings::Binding& binding : keys.Bindings()) {
        if (!ids.contains(binding.id))
            ids.append(binding.id);
    }
    for (int id : ids) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("key_%1").arg(id));
        action->setShortcuts(keys.KeysOf(id));
        addAction(action);
        connect(action, &QAction::triggered, this, [this, id] { RunKeyCommand(id); });
        m_keyActions.append(action);
    }
    // The popup shows the first key of each item in its text: a shortcut of its own would make the
    // key ambiguous (the popup belongs to the window through the system button), and then neither runs.
    if (CQORRibbonSystemPopupBar* popup = m_ribbon->SystemPopup()) {
        for (QAction* action : popup->actions()) {
            const int id = MenuResource::CommandOf(action);
            if (id <= 0 || action->menu())
                continue;
            QString caption = action->property(kCaptionWithoutKey).toString();
            if (caption.isEmpty()) {
                caption = action->text().section(QLatin1Char('\t'), 0, 0);
                action->setProperty(kCaptionWithoutKey, caption);
            }
            action->setShortcuts({});
            const QKeySequence key = keys.KeysOf(id).value(0);
            action->setText(key.isEmpty()
                                ? caption
                                : caption + QLatin1Char('\t') + key.toString(QKeySequence::NativeText));
        }
    }
}

bool CMainFrame::RunKeyCommand(int id)
{
    CXtpCmdUI cmdUI;
    cmdUI.SetRecording(true);
    cmdUI.ResetRecorded();
    cmdUI.m_nID = unsigned(id);
    m_commands.UpdateOrDefault(cmdUI);
    RouteCommandToViews(cmdUI);
    if (cmdUI.GetRecordedEnable() == 0)
        return false;
    return OnCommand(id);
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
