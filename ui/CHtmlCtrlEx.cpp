// The HTML control of dialogs: argument links, placement and guarded loading.
#include "ui/CHtmlCtrlEx.h"

#include "ui/ControlId.h"
#include "ui/NotifyEvent.h"

#include <QCoreApplication>
#include <QTextDocument>

CHtmlCtrlEx::CHtmlCtrlEx(QWidget* parent) : CHtmlCtrl(parent) {}

bool CHtmlCtrlEx::ReplaceDlgItem(int id, QWidget* parent)
{
    QWidget* placeholder = FindDlgItem(id, parent);
    if (!placeholder)
        return false;
    setFocusPolicy((placeholder->focusPolicy() & Qt::TabFocus) ? Qt::StrongFocus : Qt::ClickFocus);
    TakePlaceOf(placeholder);
    return true;
}

bool CHtmlCtrlEx::OnBeforeNavigate(const QString& url)
{
    if (!url.startsWith(QLatin1String("app:"), Qt::CaseInsensitive))
        return false;
    const QString rest = url.mid(4);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    QString command = slash < 0 ? rest : rest.left(slash);
    QString argument = slash < 0 ? QString() : rest.mid(slash + 1);
    if (command.isEmpty())
        command = QString();
    if (argument.isEmpty())
        argument = QString();
    OnAppCommandArg(command, argument);
    return true;
}

void CHtmlCtrlEx::OnAppCommandArg(const QString& command, const QString& argument)
{
    if (command.isNull())
        return;
    if (const std::optional<unsigned> id = LookUpCommand(command))
        PostAppCommand(*id, argument);
}

bool CHtmlCtrlEx::NavigateOnce(const QUrl& url)
{
    if (m_pending)
        return true;
    m_pending = true;
    m_mainResourceFailed = false;
    const bool appLink = url.scheme().compare(QLatin1String("app"), Qt::CaseInsensitive) == 0;
    setSource(url);
    m_pending = false;
    if (!appLink)
        NotifyDownloadComplete();
    return m_mainResourceFailed;
}

bool CHtmlCtrlEx::LoadHtmlString(const QString& html)
{
    if (m_pending)
        return false;
    m_pending = true;
    setHtml(html);
    m_pending = false;
    NotifyDownloadComplete();
    return true;
}

void CHtmlCtrlEx::NotifyDownloadComplete()
{
    if (QWidget* parent = parentWidget()) {
        NotifyEvent done(quint32(ControlId::Of(this)), kDownloadComplete, this);
        QCoreApplication::sendEvent(parent, &done);
    }
}

QVariant CHtmlCtrlEx::loadResource(int type, const QUrl& name)
{
    QVariant resource = CHtmlCtrl::loadResource(type, name);
    if (m_pending && type == QTextDocument::HtmlResource && !resource.isValid())
        m_mainResourceFailed = true;
    return resource;
}
