// The ribbon's customise sheet: the quick access toolbar's commands, the keys of the commands, the
// ribbon's options and the commands by category. It works on copies and gives them to the ribbon when
// the user confirms.
#pragma once

#include "platform/ribbon/KeyBindings.h"

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class RibbonBar;

class RibbonCustomizeSheet : public QDialog
{
    Q_OBJECT
public:
    struct Category
    {
        QString name;
        QList<int> commands;
    };
    enum Page
    {
        kQuickAccessPage,
        kKeyboardPage,
        kOptionsPage,
        kCommandsPage,
    };

    // The sheet over `ribbon`'s layout with the categories given (followed by one of all their
    // commands); commands the ribbon cannot describe are left out. It opens on the options page.
    RibbonCustomizeSheet(RibbonBar* ribbon, const QList<Category>& categories, QWidget* parent = nullptr);

    QTabWidget* Pages() const { return m_pages; }
    // The categories shown, the last one holding every command.
    const QList<Category>& Categories() const { return m_categories; }

    // The working copies.
    QList<int> QuickAccess() const { return m_quickAccess; }
    const KeyBindings& Keys() const { return m_keys; }
    bool QuickAccessBelow() const;
    bool RibbonMinimized() const;

    // Gives the working copies to the ribbon (what OK does before the sheet closes).
    void Apply();

    // What the pages do, for their buttons and for tests.
    void SelectCategory(Page page, int category);
    void SelectCommand(Page page, int id);
    void AddToQuickAccess(int id);
    void RemoveFromQuickAccess(int id);
    void ResetQuickAccess();
    // The key being entered on the keyboard page, its conflict line, and binding it to the selected
    // command.
    void SetPendingKey(const QKeySequence& key);
    QString ConflictText() const;
    bool AssignPendingKey();
    void RemoveKey(const QKeySequence& key);
    void ResetKeys();

private:
    QWidget* MakeQuickAccessPage();
    QWidget* MakeKeyboardPage();
    QWidget* MakeOptionsPage();
    QWidget* MakeCommandsPage();
    void FillCommands(QListWidget* list, int category);
    void FillQuickAccess();
    void FillKeys();
    void UpdateConflict();
    int SelectedCommand(QListWidget* list) const;
    QString CaptionOf(int id) const;

    RibbonBar* m_ribbon;
    QList<Category> m_categories;
    QList<int> m_quickAccess;
    QList<int> m_defaultQuickAccess;
    KeyBindings m_keys;
    QKeySequence m_pendingKey;

    QTabWidget* m_pages = nullptr;
    QComboBox* m_qaCategories = nullptr;
    QListWidget* m_qaCommands = nullptr;
    QListWidget* m_qaList = nullptr;
    QComboBox* m_keyCategories = nullptr;
    QListWidget* m_keyCommands = nullptr;
    QListWidget* m_keyList = nullptr;
    QLineEdit* m_keyEdit = nullptr; // takes the next key pressed in it
    QLabel* m_conflict = nullptr;
    QLabel* m_keyDescription = nullptr;
    QPushButton* m_assign = nullptr;
    QCheckBox* m_below = nullptr;
    QCheckBox* m_minimized = nullptr;
    QListWidget* m_cmdCategories = nullptr;
    QListWidget* m_cmdCommands = nullptr;
    QLabel* m_cmdDescription = nullptr;
};
