// The embedded HTML control: link handling, the command table and placement over a placeholder.
#include "ui/CHtmlCtrl.h"

#include "ui/AppCommandEvent.h"
#include "ui/ControlId.h"

#include <QCoreApplication>
#include <QLayout>
#include <QPrintDialog>
#include <QPrinter>

namespace {

const QLatin1String kAppPrefix("app:");

} // namespace

CHtmlCtrl::CHtmlCtrl(QWidget* parent) : QTextBrowser(parent)
{
    // Links are never followed by the browser itself: every click comes to OnBeforeNavigate.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CHtmlCtrl::OnAnchorClicked);
}

bool CHtmlCtrl::CreateFromDlgItem(int id, QWidget* parent)
{
    QWidget* placeholder = FindDlgItem(id, parent);
    if (!placeholder)
        return false;
    setFocusPolicy(Qt::ClickFocus);
    TakePlaceOf(placeholder);
    return true;
}

QWidget* CHtmlCtrl::FindDlgItem(int id, QWidget* parent)
{
    return id < 0 ? nullptr : ControlId::Find(parent, id);
}

void CHtmlCtrl::TakePlaceOf(QWidget* placeholder)
{
    QWidget* host = placeholder->parentWidget();
    setParent(host);
    setObjectName(placeholder->objectName());
    QLayoutItem* slot = nullptr;
    if (host && host->layout())
        slot = host->layout()->replaceWidget(placeholder, this);
    if (slot)
        delete slot;
    else
        setGeometry(placeholder->geometry());
    QWidget::setTabOrder(placeholder, this);
    delete placeholder;
    show();
}

bool CHtmlCtrl::PrintPage(bool prompt)
{
    QPrinter printer(QPrinter::HighResolution);
    return PrintPage(printer, prompt);
}

bool CHtmlCtrl::PrintPage(QPrinter& printer, bool prompt)
{
    if (prompt) {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    document()->print(&printer);
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}

void CHtmlCtrl::SetNoContextMenu(bool off)
{
    m_noContextMenu = off;
    setContextMenuPolicy(off ? Qt::NoContextMenu : Qt::DefaultContextMenu);
}

bool CHtmlCtrl::OnBeforeNavigate(const QString& url)
{
    if (!url.startsWith(kAppPrefix, Qt::CaseInsensitive))
        return false;
    OnAppCommand(url.mid(kAppPrefix.size()));
    return true;
}

std::optional<unsigned> CHtmlCtrl::LookUpCommand(const QString& name) const
{
    if (!m_commands)
        return std::nullopt;
    for (const HtmlCommandEntry* entry = m_commands; entry->name; ++entry) {
        if (QString::compare(QString::fromUtf8(entry->name), name, Qt::CaseInsensitive) == 0)
            return entry->id;
    }
    return std::nullopt;
}

void CHtmlCtrl::OnAppCommand(const QString& command)
{
    if (const std::optional<unsigned> id = LookUpCommand(command))
        PostAppCommand(*id, QString());
}

void CHtmlCtrl::PostAppCommand(unsigned id, const QString& argument)
{
    if (QWidget* parent = parentWidget())
        QCoreApplication::postEvent(parent, new AppCommandEvent(id, argument, this));
}

void CHtmlCtrl::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    if (OnBeforeNavigate(name.toString(QUrl::PrettyDecoded)))
        return;
    QTextBrowser::doSetSource(name, type);
}

void CHtmlCtrl::OnAnchorClicked(const QUrl& url)
{
    // Only "app:" links do anything; other links are not followed.
    OnBeforeNavigate(url.toString(QUrl::PrettyDecoded));
}
