// What the main window's ribbon holds.
#include "app/MainRibbonLayout.h"

#include "app/CQORRibbonBar.h"
#include "app/CQORRibbonSystemPopupBar.h"
#include "model/text/TextProvider.h"
#include "platform/MenuResource.h"
#include "platform/ribbon/RibbonGroup.h"
#include "platform/ribbon/RibbonToolTip.h"
#include "ui/CRibBtn.h"
#include "ui/ImageManager.h"

#include <QComboBox>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>

namespace {

RibbonControlSpec Control(int id, int type = RIBBON_BUTTON, int style = RIBBON_STYLE_AUTO, int icon = -1,
                          bool beginGroup = false)
{
    RibbonControlSpec spec;
    spec.id = id;
    spec.type = type;
    spec.style = style;
    spec.iconId = icon < 0 ? id : icon;
    spec.beginGroup = beginGroup;
    return spec;
}

const int kPercents[] = {0, 1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 40, 50};

constexpr int kRecentFiles = 33271;

// The items of a menu popup that are commands one can place or bind, sub-menus left out.
void MenuCommands(const QList<MenuResource::Item>& items, QList<int>* ids)
{
    for (const MenuResource::Item& item : items) {
        if (item.kind == MenuResource::Item::ITEM && item.id > 0 && item.id != kRecentFiles &&
            !ids->contains(item.id))
            ids->append(item.id);
    }
}

void MenuKeys(const QList<MenuResource::Item>& items, QList<KeyBindings::Binding>* keys)
{
    for (const MenuResource::Item& item : items) {
        if (item.kind == MenuResource::Item::POPUP)
            MenuKeys(item.children, keys);
        else if (item.kind == MenuResource::Item::ITEM && item.id > 0 && !item.shortcut.isEmpty())
            keys->append({item.id, item.shortcut});
    }
}

} // namespace

QList<MainRibbonLayout::Group> MainRibbonLayout::TabGroups()
{
    return {
        {347, {Control(531), Control(532)}},
        {107,
         {Control(33124), Control(644), Control(33101), Control(33070), Control(33071), Control(33112),
          Control(kPrintSplit, RIBBON_SPLIT_POPUP, RIBBON_STYLE_AUTO, -1, true), Control(892),
          Control(655, RIBBON_BUTTON, RIBBON_STYLE_AUTO, -1, true), Control(656)}},
        {136,
         {Control(33128, RIBBON_BUTTON, RIBBON_STYLE_AUTO, 564, true),
          Control(33130, RIBBON_BUTTON, RIBBON_STYLE_AUTO, 565),
          Control(33132, RIBBON_CHECK_BOX, RIBBON_STYLE_AUTO, 566),
          Control(33148, RIBBON_BUTTON, RIBBON_STYLE_LARGE, -1, true),
          Control(33072, RIBBON_BUTTON, RIBBON_STYLE_LARGE, 732),
          Control(831, RIBBON_BUTTON, RIBBON_STYLE_LARGE),
          Control(kPercentCombo, RIBBON_COMBO, RIBBON_STYLE_CAPTION, 559, true),
          Control(33156, RIBBON_CHECK_BOX, RIBBON_STYLE_AUTO, 560)}},
    };
}

MainRibbonLayout::Group MainRibbonLayout::ViewGroup()
{
    return {kViewGroup, {Control(119), Control(120), Control(121), Control(33288), Control(122)}};
}

QList<RibbonControlSpec> MainRibbonLayout::TabRowControls()
{
    return {Control(kOptionsPopup, RIBBON_POPUP, RIBBON_STYLE_CAPTION, 0),
            Control(633, RIBBON_BUTTON, RIBBON_STYLE_ICON)};
}

QStringList MainRibbonLayout::PercentEntries()
{
    // The first entry says that no side difference is given.
    QStringList entries = {QString::fromStdString(LoadResString(559))};
    for (int n : {1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 40, 50})
        entries << QStringLiteral("%1 %").arg(n);
    return entries;
}

int MainRibbonLayout::PercentOfEntry(int entry)
{
    return entry >= 0 && entry < int(std::size(kPercents)) ? kPercents[entry] : 0;
}

int MainRibbonLayout::EntryOfPercent(int percent)
{
    for (int entry = 1; entry < int(std::size(kPercents)); ++entry) {
        if (kPercents[entry] == percent)
            return entry;
    }
    return 0;
}

void MainRibbonLayout::LoadIcons()
{
    QList<int> ids = {kSystemIcon, kPrintSetup, 57665, 1400, 33269, 33338, 33333};
    auto add = [&ids](const RibbonControlSpec& spec) {
        if (spec.iconId > 0)
            ids << spec.iconId;
    };
    for (const Group& group : TabGroups())
        std::for_each(group.controls.begin(), group.controls.end(), add);
    const Group views = ViewGroup();
    std::for_each(views.controls.begin(), views.controls.end(), add);
    for (const RibbonControlSpec& spec : TabRowControls())
        add(spec);
    for (int id : ids) {
        if (!ImageManager::HasIcon(quint32(id)))
            ImageManager::SetIcons(quint32(id));
    }
}

RibbonControlSpec MainRibbonLayout::Describe(RibbonControlSpec spec)
{
    QString caption, title, text;
    CRibBtn::TextsFromString(quint32(spec.id), true, &caption, &title, &text);
    // Menus mark commands that open a dialog with "..."; the ribbon's captions go without.
    spec.caption = caption.endsWith(QLatin1String("...")) ? caption.chopped(3) : caption;
    spec.tipTitle = title;
    spec.tipText = text;
    if (spec.id == kOptionsPopup)
        spec.caption = MenuResource::Caption(692);
    if (spec.iconId > 0) {
        const QImage normal = ImageManager::Icon(quint32(spec.iconId));
        if (!normal.isNull()) {
            QIcon icon;
            icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
            icon.addPixmap(QPixmap::fromImage(ImageManager::Icon(quint32(spec.iconId), true)),
                           QIcon::Disabled);
            spec.icon = icon;
        }
    }
    return spec;
}

bool MainRibbonLayout::Build(CQORRibbonBar* ribbon, const MenuResource& menu)
{
    if (menu.Popups().size() < 2)
        return false;
    LoadIcons();
    const RibbonControlSpec system = Describe(Control(kSystemIcon));
    CQORRibbonSystemPopupBar* popup = ribbon->AddSystemButton(kSystemButton, system.icon);
    popup->clear();
    menu.FillPopup(0, popup);
    for (QAction* action : popup->actions()) {
        if (const int id = MenuResource::CommandOf(action); id > 0)
            action->setIcon(Describe(Control(id)).icon);
    }
    ribbon->ToolTip()->Watch(ribbon->SystemButton(), system.tipTitle, system.tipText, system.icon);

    ribbon->AddTab(MenuResource::Caption(kTabCaption));
    for (const Group& group : TabGroups()) {
        RibbonGroup* made = ribbon->AddGroup(group.id, MenuResource::Caption(group.id));
        for (const RibbonControlSpec& spec : group.controls) {
            QMenu* controlPopup = nullptr;
            if (spec.id == kPrintSplit) {
                controlPopup = new QMenu(ribbon);
                for (int id : {kPrintSplit, kPrintSetup}) {
                    const RibbonControlSpec item = Describe(Control(id));
                    controlPopup->addAction(item.icon, item.caption)->setData(id);
                }
            }
            QWidget* control = ribbon->AddControl(made, Describe(spec), controlPopup);
            if (auto* combo = qobject_cast<QComboBox*>(control))
                combo->addItems(PercentEntries());
        }
    }
    for (const RibbonControlSpec& spec : TabRowControls()) {
        QMenu* controlPopup = nullptr;
        if (spec.type == RIBBON_POPUP)
            controlPopup = menu.BuildPopup(1, ribbon);
        ribbon->AddTabRowControl(Describe(spec), controlPopup);
    }
    return true;
}

bool MainRibbonLayout::AddViewGroup(CQORRibbonBar* ribbon)
{
    if (ribbon->Group(kViewGroup))
        return false;
    const Group group = ViewGroup();
    RibbonGroup* made = ribbon->AddGroup(group.id, MenuResource::Caption(group.id));
    for (const RibbonControlSpec& spec : group.controls)
        ribbon->AddControl(made, Describe(spec));
    return true;
}

bool MainRibbonLayout::RemoveViewGroup(CQORRibbonBar* ribbon)
{
    return ribbon->RemoveGroup(kViewGroup);
}

QList<RibbonCustomizeSheet::Category> MainRibbonLayout::CustomizeCategories(const MenuResource& menu)
{
    QList<RibbonCustomizeSheet::Category> categories;
    auto add = [&categories](const QString& name, const QList<int>& ids) {
        auto there =
            std::find_if(categories.begin(), categories.end(),
                         [&name](const RibbonCustomizeSheet::Category& c) { return c.name == name; });
        if (there == categories.end()) {
            categories.append({name, {}});
            there = categories.end() - 1;
        }
        for (int id : ids) {
            if (!there->commands.contains(id))
                there->commands.append(id);
        }
    };
    const QList<MenuResource::Item>& popups = menu.Popups();
    for (int i = 0; i < popups.size(); ++i) {
        QList<int> ids;
        MenuCommands(popups[i].children, &ids);
        if (i == 1) {
            for (const RibbonControlSpec& spec : TabRowControls()) {
                if (spec.type != RIBBON_POPUP)
                    ids.append(spec.id);
            }
        }
        add(MenuResource::Caption(popups[i].id), ids);
    }
    QList<Group> groups = TabGroups();
    groups.append(ViewGroup());
    for (const Group& group : groups) {
        QList<int> ids;
        for (const RibbonControlSpec& spec : group.controls) {
            if (spec.type != RIBBON_COMBO && spec.type != RIBBON_POPUP)
                ids.append(spec.id);
        }
        add(MenuResource::Caption(group.id), ids);
    }
    return categories;
}

RibbonControlSpec MainRibbonLayout::CommandLook(int id)
{
    QList<Group> groups = TabGroups();
    groups.append(ViewGroup());
    groups.append({0, TabRowControls()});
    for (const Group& group : groups) {
        for (RibbonControlSpec spec : group.controls) {
            if (spec.id != id)
                continue;
            if (spec.type == RIBBON_SPLIT_POPUP)
                spec.type = RIBBON_BUTTON;
            spec.beginGroup = false;
            return Describe(spec);
        }
    }
    return Describe(Control(id));
}

QList<KeyBindings::Binding> MainRibbonLayout::DefaultKeys(const MenuResource& menu)
{
    QList<KeyBindings::Binding> keys;
    for (const MenuResource::Item& popup : menu.Popups())
        MenuKeys(popup.children, &keys);
    keys.append({kHelp, QKeySequence(Qt::Key_F1)});
    return keys;
}

QMenu* MainRibbonLayout::OptionsPopup(CQORRibbonBar* ribbon)
{
    auto* button = qobject_cast<QToolButton*>(ribbon->Control(kOptionsPopup));
    return button ? button->menu() : nullptr;
}
