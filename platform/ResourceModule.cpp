// Loading of the language module and look-up of its items.
#include "platform/ResourceModule.h"

#include "model/text/ResourceText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>

#include <algorithm>
#include <atomic>

namespace {

std::atomic<int> g_nextRoot{1};
std::atomic<const ResourceModule*> g_current{nullptr};

// Undoes the escapes of strings.tsv: \n, \t and \\. Answers false for an unknown escape.
bool Unescape(const QString& raw, QString& out)
{
    out.clear();
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\')) {
            out.append(c);
            continue;
        }
        if (++i == raw.size())
            return false;
        switch (raw.at(i).unicode()) {
        case 'n':
            out.append(QLatin1Char('\n'));
            break;
        case 't':
            out.append(QLatin1Char('\t'));
            break;
        case '\\':
            out.append(QLatin1Char('\\'));
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

QString ResourceModule::FileName(const QString& code)
{
    return QStringLiteral("Resource_") + code.toUpper() + QStringLiteral(".rcc");
}

std::unique_ptr<ResourceModule> ResourceModule::Load(const QString& code, const QString& folder,
                                                     QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return std::unique_ptr<ResourceModule>();
    };
    const QString file = QDir(folder).absoluteFilePath(FileName(code));
    if (!QFileInfo::exists(file))
        return fail(QStringLiteral("The language module \"%1\" was not found in \"%2\".")
                        .arg(FileName(code), QDir::toNativeSeparators(folder)));
    const QString root = QStringLiteral("/Resource_%1_%2").arg(code.toUpper()).arg(g_nextRoot.fetch_add(1));
    if (!QResource::registerResource(file, root))
        return fail(QStringLiteral("The language module \"%1\" is damaged or cannot be read.")
                        .arg(QDir::toNativeSeparators(file)));
    std::unique_ptr<ResourceModule> module(new ResourceModule(code.toUpper(), file, root));
    QString parseError;
    if (!module->ParseStrings(module->ReadItem(QStringLiteral("strings.tsv")), &parseError))
        return fail(QStringLiteral("The language module \"%1\" has a faulty text table: %2")
                        .arg(QDir::toNativeSeparators(file), parseError));
    return module;
}

ResourceModule::ResourceModule(QString code, QString file, QString root)
    : m_code(std::move(code)), m_file(std::move(file)), m_root(std::move(root))
{
}

ResourceModule::~ResourceModule()
{
    // A module that goes away stops being current: nothing may read from it afterwards.
    const ResourceModule* self = this;
    if (g_current.compare_exchange_strong(self, nullptr) && CurrentTextProvider() == this)
        SetCurrentTextProvider(nullptr);
    QResource::unregisterResource(m_file, m_root);
}

bool ResourceModule::ParseStrings(const QByteArray& data, QString* error)
{
    if (data.isEmpty()) {
        *error = QStringLiteral("strings.tsv is missing or empty.");
        return false;
    }
    const QStringList lines = QString::fromUtf8(data).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        bool ok = false;
        const quint32 id = tab > 0 ? line.left(tab).toUInt(&ok) : 0;
        QString text;
        if (!ok || !Unescape(line.mid(tab + 1), text)) {
            *error = QStringLiteral("line %1 is not \"number<tab>text\".").arg(n + 1);
            return false;
        }
        if (m_strings.contains(id)) {
            *error = QStringLiteral("line %1 repeats the number %2.").arg(n + 1).arg(id);
            return false;
        }
        m_strings.insert(id, text);
    }
    return true;
}

std::string ResourceModule::Text(std::uint32_t id) const
{
    return String(id).toStdString();
}

bool ResourceModule::IsGermanCode(const QString& code)
{
    return code.compare(QLatin1String("DE"), Qt::CaseInsensitive) == 0;
}

bool ResourceModule::GermanInterface()
{
    const ResourceModule* module = Current();
    return module && IsGermanCode(module->Code());
}

QList<quint32> ResourceModule::StringIds() const
{
    QList<quint32> ids = m_strings.keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString ResourceModule::ItemPath(const QString& relative) const
{
    return QLatin1Char(':') + m_root + QLatin1Char('/') + relative;
}

QByteArray ResourceModule::ReadItem(const QString& relative) const
{
    QFile file(ItemPath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QByteArray ResourceModule::DialogTemplate(quint32 id) const
{
    return ReadItem(QStringLiteral("dialogs/%1.ui").arg(id));
}

QImage ResourceModule::Bitmap(quint32 id) const
{
    return QImage(ItemPath(QStringLiteral("bitmaps/%1.png").arg(id)));
}

QString ResourceModule::Html(quint32 id) const
{
    return QString::fromUtf8(ReadItem(QStringLiteral("html/%1.html").arg(id)));
}

QString ResourceModule::Help(quint32 id) const
{
    return QString::fromUtf8(ReadItem(QStringLiteral("help/%1.html").arg(id)));
}

QByteArray ResourceModule::Menu(quint32 id) const
{
    return ReadItem(QStringLiteral("menus/%1.menu").arg(id));
}

QString ResourceModule::ItemRelativePath(quint32 id, int type)
{
    switch (type) {
    case RES_TYPE_BITMAP:
    case RES_TYPE_PNG:
        return QStringLiteral("bitmaps/%1.png").arg(id);
    case RES_TYPE_HTML:
    case RES_TYPE_HTML_PAGE:
    case RES_TYPE_TEXT:
        return QStringLiteral("html/%1.html").arg(id);
    case RES_TYPE_HELP:
        return QStringLiteral("help/%1.html").arg(id);
    default:
        return QString();
    }
}

bool ResourceModule::ResourceBytes(std::uint32_t id, int type, std::string& out) const
{
    if (type == RES_TYPE_STRING) {
        if (!HasString(id))
            return false;
        out = String(id).toStdString();
        return true;
    }
    const QString relative = ItemRelativePath(id, type);
    if (relative.isEmpty())
        return false;
    QFile file(ItemPath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out = file.readAll().toStdString();
    return true;
}

QUrl ResourceModule::ItemUrl(quint32 id, int type) const
{
    const QString relative = ItemRelativePath(id, type);
    if (relative.isEmpty())
        return QUrl();
    return QUrl(QStringLiteral("qrc:") + m_root + QLatin1Char('/') + relative);
}

const ResourceModule* ResourceModule::Current()
{
    return g_current.load();
}

void ResourceModule::SetCurrent(const ResourceModule* module)
{
    g_current.store(module);
    SetCurrentTextProvider(module);
}
