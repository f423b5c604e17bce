// The embedded HTML control: a text browser that shows HTML and turns "app:" links into commands.
#pragma once

#include <QTextBrowser>

#include <optional>

class QPrinter;
class QWidget;

// One entry of an HTML control's command table: an "app:" link name and the command id it stands for.
// A table ends with an entry whose name is null.
struct HtmlCommandEntry
{
    const char* name;
    unsigned id;
};

// Shows HTML and never follows a link by itself. A link "app:<command>" is looked up in the command
// table and becomes a command posted to the parent widget (an AppCommandEvent); every other link is
// ignored.
class CHtmlCtrl : public QTextBrowser
{
    Q_OBJECT
public:
    explicit CHtmlCtrl(QWidget* parent = nullptr);

    // Replaces the placeholder child of `parent` whose control id is `id` by this control, at the
    // placeholder's place (its layout slot or its geometry) and under its id; the placeholder is
    // deleted. False when `parent` has no such child.
    bool CreateFromDlgItem(int id, QWidget* parent);

    // The table of "app:" command names; caller-owned, ends with a null name; null = no commands.
    void SetCommandTable(const HtmlCommandEntry* table) { m_commands = table; }
    const HtmlCommandEntry* CommandTable() const { return m_commands; }

    // Prints the page on the default printer, after the print dialog when `prompt` is set. False when
    // the user cancelled the dialog or printing failed.
    bool PrintPage(bool prompt);
    bool PrintPage(QPrinter& printer, bool prompt);

    // Switches the control's context menu off (true) or on.
    void SetNoContextMenu(bool off);
    bool NoContextMenu() const { return m_noContextMenu; }

    // A navigation request for `url` (a clicked link or a source to show). Answers true when the
    // navigation was taken over and cancelled: "app:" links (any case) go to the command handling.
    virtual bool OnBeforeNavigate(const QString& url);

    // The command id of the first entry of the command table whose name equals `name` without regard
    // to case; none when there is no table or no such name.
    std::optional<unsigned> LookUpCommand(const QString& name) const;

protected:
    // The rest of an "app:" link after its prefix, as one command name.
    virtual void OnAppCommand(const QString& command);

    // Posts the command `id` with its argument (null for none) to the parent widget.
    void PostAppCommand(unsigned id, const QString& argument);

    // Puts this control in the place of the placeholder (layout slot or geometry, object name, position
    // in the focus chain) and deletes the placeholder.
    void TakePlaceOf(QWidget* placeholder);

    // The child of `parent` (at any depth) that carries the control id `id`; null when none does.
    static QWidget* FindDlgItem(int id, QWidget* parent);

    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    void OnAnchorClicked(const QUrl& url);

    const HtmlCommandEntry* m_commands = nullptr;
    bool m_noContextMenu = false;
};
