// The HTML control of dialogs: "app:" links with an argument, placement over a template control and
// loading of HTML strings.
#pragma once

#include "ui/CHtmlCtrl.h"

// A link "app:<command>/<argument>" posts the command with everything after the first "/" as its
// argument. Loading is guarded against re-entry: while one load runs (a page's resources can call back
// into the owner), a second one is refused.
class CHtmlCtrlEx : public CHtmlCtrl
{
    Q_OBJECT
public:
    // The notification code the parent gets (a NotifyEvent with the control id) after each load.
    static constexpr int kDownloadComplete = 1;

    explicit CHtmlCtrlEx(QWidget* parent = nullptr);

    // As CreateFromDlgItem; the control takes part in the Tab order exactly when the placeholder did.
    bool ReplaceDlgItem(int id, QWidget* parent);

    // Shows the page at `url`. Answers true at once while another load is pending; otherwise true
    // when the page could not be loaded and false when it shows.
    bool NavigateOnce(const QUrl& url);

    // Shows `html`. False at once while another load is pending, else true. After each load (not for
    // an "app:" link) the parent is notified with kDownloadComplete.
    bool LoadHtmlString(const QString& html);

    bool IsNavigationPending() const { return m_pending; }

    bool OnBeforeNavigate(const QString& url) override;

protected:
    // A command and argument of an "app:" link; `command` or `argument` is null when the link had
    // none. Posts the command found in the table with the argument; nothing without a match.
    virtual void OnAppCommandArg(const QString& command, const QString& argument);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void NotifyDownloadComplete();

    bool m_pending = false;
    bool m_mainResourceFailed = false;
};
