// The ribbon's customise sheet.
#include "platform/ribbon/RibbonCustomizeSheet.h"

#include "model/text/TextProvider.h"
#include "platform/MenuResource.h"
#include "platform/ribbon/RibbonBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

// Texts of the sheet.
enum : std::uint32_t
{
    kTitle = 1520,
    kQuickAccessTab = 1521,
    kKeyboardTab = 1522,
    kOptionsTab = 1523,
    kCommandsTab = 1524,
    kCategoriesLabel = 1525,
    kCommandsLabel = 1526,
    kQuickAccessLabel = 1527,
    kAddButton = 1528,
    kRemoveButton = 1529,
    kResetButton = 1530,
    kCurrentKeysLabel = 1531,
    kNewKeyLabel = 1532,
    kAssignButton = 1533,
    kRemoveKeyButton = 1534,
    kResetAllButton = 1535,
    kAssignedTo = 1536,
    kUnassigned = 1537,
    kNotBindable = 1538,
    kBelowOption = 1539,
    kMinimizedOption = 1540,
    kAllCommands = 1541,
    kDescriptionLabel = 1542,
    kAddToQuickAccess = 1543,
    kOkButton = 668,
    kCancelButton = 705,
};

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

QLabel* Label(std::uint32_t id, QWidget* buddy = nullptr)
{
    auto* label = new QLabel(Text(id));
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

// The field that shows the key pressed in it (one key with its modifiers): the key does not reach the
// dialog's own shortcuts; Tab still moves the focus on.
class KeyCaptureEdit : public QLineEdit
{
public:
    std::function<void(const QKeySequence&)> onKey;

    // Room for a key with all three modifiers in the language's names ("Strg+Alt+Umschalt+Rücktaste"):
    // a longer one scrolls.
    QSize minimumSizeHint() const override
    {
        QSize size = QLineEdit::minimumSizeHint();
        const QString longest = QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_Backspace)
                                    .toString(QKeySequence::NativeText);
        const QMargins margins = textMargins() + contentsMargins();
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        // Besides the text: the margins, the frame and the field's own two pixels each side, the cursor.
        size.setWidth(std::max(size.width(), fontMetrics().horizontalAdvance(longest) + margins.left() +
                                                 margins.right() + 2 * frame + 4 + 1));
        return size;
    }
    QSize sizeHint() const override { return QLineEdit::sizeHint().expandedTo(minimumSizeHint()); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta || key == Qt::Key_Alt ||
            key == Qt::Key_AltGr || key == 0 || key == Qt::Key_unknown)
            return; // a modifier alone waits for its key
        const Qt::KeyboardModifiers modifiers =
            event->modifiers() &
            (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        const QKeySequence sequence(QKeyCombination(modifiers, Qt::Key(key)));
        setText(sequence.toString(QKeySequence::NativeText));
        if (onKey)
            onKey(sequence);
    }
};

QPushButton* Button(std::uint32_t id, const char* name)
{
    auto* button = new QPushButton(Text(id));
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

RibbonCustomizeSheet::RibbonCustomizeSheet(RibbonBar* ribbon, const QList<Category>& categories,
                                           QWidget* parent)
    : QDialog(parent), m_ribbon(ribbon), m_quickAccess(ribbon->QuickAccessCommands()),
      m_defaultQuickAccess(ribbon->DefaultQuickAccess()), m_keys(ribbon->Keys())
{
    setObjectName(QStringLiteral("ribbonCustomizeSheet"));
    setWindowTitle(Text(kTitle));
    // Each category with the commands the ribbon can show, then all of them by caption.
    Category all{Text(kAllCommands), {}};
    for (const Category& category : categories) {
        Category shown{category.name, {}};
        for (int id : category.commands) {
            if (!shown.commands.contains(id) && m_ribbon->DescribeCommand(id)) {
                shown.commands.append(id);
                if (!all.commands.contains(id))
                    all.commands.append(id);
            }
        }
        if (!shown.commands.isEmpty())
            m_categories.append(shown);
    }
    std::stable_sort(all.commands.begin(), all.commands.end(), [this](int a, int b) {
        return QString::localeAwareCompare(CaptionOf(a), CaptionOf(b)) < 0;
    });
    m_categories.append(all);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("customizePages"));
    m_pages->addTab(MakeQuickAccessPage(), Text(kQuickAccessTab));
    m_pages->addTab(MakeKeyboardPage(), Text(kKeyboardTab));
    m_pages->addTab(MakeOptionsPage(), Text(kOptionsTab));
    m_pages->addTab(MakeCommandsPage(), Text(kCommandsTab));
    m_pages->setCurrentIndex(kOptionsPage);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(MenuResource::Caption(kOkButton), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("customizeOk"));
    buttons->addButton(MenuResource::Caption(kCancelButton), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("customizeCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_pages, 1);
    column->addWidget(buttons);
    resize(560, 420);

    SelectCategory(kQuickAccessPage, 0);
    SelectCategory(kKeyboardPage, 0);
    SelectCategory(kCommandsPage, 0);
    FillQuickAccess();
}

QString RibbonCustomizeSheet::CaptionOf(int id) const
{
    const std::optional<RibbonControlSpec> spec = m_ribbon->DescribeCommand(id);
    return spec && !spec->caption.isEmpty() ? spec->caption : MenuResource::Caption(id);
}

QWidget* RibbonCustomizeSheet::MakeQuickAccessPage()
{
    auto* page = new QWidget;
    m_qaCategories = new QComboBox;
    m_qaCategories->setObjectName(QStringLiteral("quickAccessCategories"));
    m_qaCommands = new QListWidget;
    m_qaCommands->setObjectName(QStringLiteral("quickAccessCommands"));
    m_qaList = new QListWidget;
    m_qaList->setObjectName(QStringLiteral("quickAccessList"));
    QPushButton* add = Button(kAddButton, "quickAccessAdd");
    QPushButton* remove = Button(kRemoveButton, "quickAccessRemove");
    QPushButton* reset = Button(kResetButton, "quickAccessReset");
    for (const Category& category : m_categories)
        m_qaCategories->addItem(category.name);

    auto* grid = new QGridLayout(page);
    grid->addWidget(Label(kCategoriesLabel, m_qaCategories), 0, 0);
    grid->addWidget(m_qaCategories, 1, 0);
    grid->addWidget(Label(kCommandsLabel, m_qaCommands), 2, 0);
    grid->addWidget(m_qaCommands, 3, 0);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addStretch(1);
    grid->addLayout(middle, 3, 1);
    grid->addWidget(Label(kQuickAccessLabel, m_qaList), 2, 2);
    grid->addWidget(m_qaList, 3, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(reset);
    grid->addLayout(bottom, 4, 2);

    connect(m_qaCategories, &QComboBox::activated, this,
            [this](int index) { SelectCategory(kQuickAccessPage, index); });
    connect(add, &QPushButton::clicked, this, [this] { AddToQuickAccess(SelectedCommand(m_qaCommands)); });
    connect(m_qaCommands, &QListWidget::itemDoubleClicked, this,
            [this] { AddToQuickAccess(SelectedCommand(m_qaCommands)); });
    connect(remove, &QPushButton::clicked, this,
            [this] { RemoveFromQuickAccess(SelectedCommand(m_qaList)); });
    connect(m_qaList, &QListWidget::itemDoubleClicked, this,
            [this] { RemoveFromQuickAccess(SelectedCommand(m_qaList)); });
    connect(reset, &QPushButton::clicked, this, &RibbonCustomizeSheet::ResetQuickAccess);
    return page;
}

QWidget* RibbonCustomizeSheet::MakeKeyboardPage()
{
    auto* page = new QWidget;
    m_keyCategories = new QComboBox;
    m_keyCategories->setObjectName(QStringLiteral("keyCategories"));
    m_keyCommands = new QListWidget;
    m_keyCommands->setObjectName(QStringLiteral("keyCommands"));
    m_keyList = new QListWidget;
    m_keyList->setObjectName(QStringLiteral("keyList"));
    auto* keyEdit = new KeyCaptureEdit;
    keyEdit->onKey = [this](const QKeySequence& key) { SetPendingKey(key); };
    m_keyEdit = keyEdit;
    m_keyEdit->setObjectName(QStringLiteral("keyEdit"));
    m_conflict = new QLabel;
    m_conflict->setObjectName(QStringLiteral("keyConflict"));
    m_conflict->setWordWrap(true);
    m_keyDescription = new QLabel;
    m_keyDescription->setWordWrap(true);
    m_assign = Button(kAssignButton, "keyAssign");
    QPushButton* remove = Button(kRemoveKeyButton, "keyRemove");
    QPushButton* reset = Button(kResetAllButton, "keyReset");
    for (const Category& category : m_categories)
        m_keyCategories->addItem(category.name);

    // Left the commands, right their keys and the new key; the description below both.
    auto* left = new QVBoxLayout;
    left->addWidget(Label(kCategoriesLabel, m_keyCategories));
    left->addWidget(m_keyCategories);
    left->addWidget(Label(kCommandsLabel, m_keyCommands));
    left->addWidget(m_keyCommands, 1);
    auto* right = new QGridLayout;
    right->addWidget(Label(kCurrentKeysLabel, m_keyList), 0, 0, 1, 2);
    right->addWidget(m_keyList, 1, 0);
    right->addWidget(remove, 1, 1, Qt::AlignTop);
    right->addWidget(Label(kNewKeyLabel, m_keyEdit), 2, 0, 1, 2);
    right->addWidget(m_keyEdit, 3, 0);
    right->addWidget(m_assign, 3, 1);
    // The conflict line keeps its two lines' room, so that nothing moves when it fills.
    m_conflict->setMinimumHeight(2 * m_conflict->fontMetrics().lineSpacing());
    m_conflict->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    right->addWidget(m_conflict, 4, 0, 1, 2);
    right->addWidget(reset, 5, 1);
    right->setRowStretch(1, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* column = new QVBoxLayout(page);
    column->addLayout(columns, 1);
    column->addWidget(Label(kDescriptionLabel));
    m_keyDescription->setMinimumHeight(2 * m_keyDescription->fontMetrics().lineSpacing());
    m_keyDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(m_keyDescription);

    connect(m_keyCategories, &QComboBox::activated, this,
            [this](int index) { SelectCategory(kKeyboardPage, index); });
    connect(m_keyCommands, &QListWidget::currentRowChanged, this, [this] {
        FillKeys();
        UpdateConflict();
    });
    connect(m_assign, &QPushButton::clicked, this, &RibbonCustomizeSheet::AssignPendingKey);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = m_keyList->currentItem())
            RemoveKey(
                QKeySequence::fromString(item->data(Qt::UserRole).toString(), QKeySequence::PortableText));
    });
    connect(reset, &QPushButton::clicked, this, &RibbonCustomizeSheet::ResetKeys);
    return page;
}

QWidget* RibbonCustomizeSheet::MakeOptionsPage()
{
    auto* page = new QWidget;
    m_below = new QCheckBox(Text(kBelowOption));
    m_below->setObjectName(QStringLiteral("optionBelow"));
    m_below->setChecked(m_ribbon->IsQuickAccessBelow());
    m_minimized = new QCheckBox(Text(kMinimizedOption));
    m_minimized->setObjectName(QStringLiteral("optionMinimized"));
    m_minimized->setChecked(m_ribbon->IsMinimized());
    auto* column = new QVBoxLayout(page);
    column->addWidget(m_below);
    column->addWidget(m_minimized);
    column->addStretch(1);
    return page;
}

QWidget* RibbonCustomizeSheet::MakeCommandsPage()
{
    auto* page = new QWidget;
    m_cmdCategories = new QListWidget;
    m_cmdCategories->setObjectName(QStringLiteral("commandCategories"));
    m_cmdCommands = new QListWidget;
    m_cmdCommands->setObjectName(QStringLiteral("commandCommands"));
    m_cmdDescription = new QLabel;
    m_cmdDescription->setObjectName(QStringLiteral("commandDescription"));
    m_cmdDescription->setWordWrap(true);
    QPushButton* add = Button(kAddToQuickAccess, "commandAdd");
    for (const Category& category : m_categories)
        m_cmdCategories->addItem(category.name);

    auto* grid = new QGridLayout(page);
    grid->addWidget(Label(kCategoriesLabel, m_cmdCategories), 0, 0);
    grid->addWidget(m_cmdCategories, 1, 0);
    grid->addWidget(Label(kCommandsLabel, m_cmdCommands), 0, 1);
    grid->addWidget(m_cmdCommands, 1, 1);
    grid->addWidget(Label(kDescriptionLabel), 2, 0);
    grid->addWidget(m_cmdDescription, 3, 0, 1, 2);
    grid->addWidget(add, 4, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);

    connect(m_cmdCategories, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            SelectCategory(kCommandsPage, row);
    });
    connect(m_cmdCommands, &QListWidget::currentRowChanged, this, [this] {
        const int id = SelectedCommand(m_cmdCommands);
        const std::optional<RibbonControlSpec> spec = id > 0 ? m_ribbon->DescribeCommand(id) : std::nullopt;
        QString text = spec ? spec->tipText : QString();
        const QList<QKeySequence> keys = m_keys.KeysOf(id);
        if (!keys.isEmpty()) {
            QStringList names;
            for (const QKeySequence& key : keys)
                names.append(key.toString(QKeySequence::NativeText));
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + names.join(QStringLiteral(", "));
        }
        m_cmdDescription->setText(text);
    });
    connect(add, &QPushButton::clicked, this, [this] { AddToQuickAccess(SelectedCommand(m_cmdCommands)); });
    return page;
}

void RibbonCustomizeSheet::SelectCategory(Page page, int category)
{
    if (category < 0 || category >= m_categories.size())
        return;
    switch (page) {
    case kQuickAccessPage:
        m_qaCategories->setCurrentIndex(category);
        FillCommands(m_qaCommands, category);
        break;
    case kKeyboardPage:
        m_keyCategories->setCurrentIndex(category);
        FillCommands(m_keyCommands, category);
        break;
    case kCommandsPage:
        if (m_cmdCategories->currentRow() != category)
            m_cmdCategories->setCurrentRow(category); // comes back here
        else
            FillCommands(m_cmdCommands, category);
        break;
    case kOptionsPage:
        break;
    }
}

void RibbonCustomizeSheet::SelectCommand(Page page, int id)
{
    QListWidget* list = page == kQuickAccessPage ? m_qaCommands
                        : page == kKeyboardPage  ? m_keyCommands
                        : page == kCommandsPage  ? m_cmdCommands
                                                 : nullptr;
    if (!list)
        return;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(Qt::UserRole).toInt() == id) {
            list->setCurrentRow(row);
            return;
        }
    }
}

void RibbonCustomizeSheet::FillCommands(QListWidget* list, int category)
{
    list->clear();
    for (int id : m_categories[category].commands) {
        const std::optional<RibbonControlSpec> spec = m_ribbon->DescribeCommand(id);
        auto* item = new QListWidgetItem(spec ? spec->icon : QIcon(), CaptionOf(id), list);
        item->setData(Qt::UserRole, id);
    }
    if (list->count() > 0)
        list->setCurrentRow(0);
}

void RibbonCustomizeSheet::FillQuickAccess()
{
    const int current = SelectedCommand(m_qaList);
    m_qaList->clear();
    for (int id : m_quickAccess) {
        const std::optional<RibbonControlSpec> spec = m_ribbon->DescribeCommand(id);
        auto* item = new QListWidgetItem(spec ? spec->icon : QIcon(), CaptionOf(id), m_qaList);
        item->setData(Qt::UserRole, id);
        if (id == current)
            m_qaList->setCurrentItem(item);
    }
    if (!m_qaList->currentItem() && m_qaList->count() > 0)
        m_qaList->setCurrentRow(m_qaList->count() - 1);
}

int RibbonCustomizeSheet::SelectedCommand(QListWidget* list) const
{
    const QListWidgetItem* item = list->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void RibbonCustomizeSheet::AddToQuickAccess(int id)
{
    if (id <= 0 || m_quickAccess.contains(id) || !m_ribbon->DescribeCommand(id))
        return;
    m_quickAccess.append(id);
    FillQuickAccess();
    for (int row = 0; row < m_qaList->count(); ++row) {
        if (m_qaList->item(row)->data(Qt::UserRole).toInt() == id)
            m_qaList->setCurrentRow(row);
    }
}

void RibbonCustomizeSheet::RemoveFromQuickAccess(int id)
{
    const qsizetype at = m_quickAccess.indexOf(id);
    if (at < 0)
        return;
    m_quickAccess.removeAt(at);
    FillQuickAccess();
    if (m_qaList->count() > 0)
        m_qaList->setCurrentRow(int(std::min<qsizetype>(at, m_qaList->count() - 1)));
}

void RibbonCustomizeSheet::ResetQuickAccess()
{
    m_quickAccess = m_defaultQuickAccess;
    FillQuickAccess();
}

void RibbonCustomizeSheet::FillKeys()
{
    m_keyList->clear();
    const int id = SelectedCommand(m_keyCommands);
    for (const QKeySequence& key : m_keys.KeysOf(id)) {
        auto* item = new QListWidgetItem(key.toString(QKeySequence::NativeText), m_keyList);
        item->setData(Qt::UserRole, key.toString(QKeySequence::PortableText));
    }
    if (m_keyList->count() > 0)
        m_keyList->setCurrentRow(0);
    const std::optional<RibbonControlSpec> spec = id > 0 ? m_ribbon->DescribeCommand(id) : std::nullopt;
    m_keyDescription->setText(spec ? spec->tipText : QString());
}

void RibbonCustomizeSheet::SetPendingKey(const QKeySequence& key)
{
    m_pendingKey = key;
    m_keyEdit->setText(key.toString(QKeySequence::NativeText));
    UpdateConflict();
}

QString RibbonCustomizeSheet::ConflictText() const
{
    return m_conflict->text();
}

void RibbonCustomizeSheet::UpdateConflict()
{
    if (m_pendingKey.isEmpty()) {
        m_conflict->clear();
        m_assign->setEnabled(false);
        return;
    }
    if (!KeyBindings::IsBindable(m_pendingKey)) {
        m_conflict->setText(Text(kNotBindable));
        m_assign->setEnabled(false);
        return;
    }
    const int owner = m_keys.CommandOf(m_pendingKey);
    m_conflict->setText(owner > 0 ? Text(kAssignedTo).arg(CaptionOf(owner)) : Text(kUnassigned));
    const int id = SelectedCommand(m_keyCommands);
    m_assign->setEnabled(id > 0 && owner != id);
}

bool RibbonCustomizeSheet::AssignPendingKey()
{
    const int id = SelectedCommand(m_keyCommands);
    if (id <= 0 || m_keys.Bind(id, m_pendingKey) < 0)
        return false;
    FillKeys();
    m_pendingKey = QKeySequence();
    m_keyEdit->clear();
    UpdateConflict();
    return true;
}

void RibbonCustomizeSheet::RemoveKey(const QKeySequence& key)
{
    if (m_keys.Unbind(SelectedCommand(m_keyCommands), key)) {
        FillKeys();
        UpdateConflict();
    }
}

void RibbonCustomizeSheet::ResetKeys()
{
    m_keys.Reset();
    FillKeys();
    UpdateConflict();
}

bool RibbonCustomizeSheet::QuickAccessBelow() const
{
    return m_below->isChecked();
}

bool RibbonCustomizeSheet::RibbonMinimized() const
{
    return m_minimized->isChecked();
}

void RibbonCustomizeSheet::Apply()
{
    m_ribbon->SetQuickAccessCommands(m_quickAccess);
    m_ribbon->SetQuickAccessBelow(QuickAccessBelow());
    m_ribbon->SetMinimized(RibbonMinimized());
    m_ribbon->SetKeyBindings(m_keys.Bindings());
}
