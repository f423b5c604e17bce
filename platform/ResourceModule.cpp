// Loading of the language module and look-up of its items.
#include "platform/ResourceModule.h"

#include "model/text/NumberText.h"
#include "model/text/ResourceText.h"
#include "platform/LanguageNumbers.h"
#include "platform/RccBundle.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>

#include <algorithm>
#include <atomic>

namespace {

// The next number for a module's resource root. Qt registers resources for the whole process, so the
// roots are numbered for the whole process too; the counter is atomic for loads on other threads.
int NextResourceRoot()
{
    static std::atomic<int> next{1};
    return next.fetch_add(1);
}

// The module the program's items are read from (see ResourceModule::Current): one for the process.
std::atomic<const ResourceModule*>& CurrentModule()
{
    static std::atomic<const ResourceModule*> current{nullptr};
    return current;
}

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

QString DamagedMessage(const QString& file)
{
    return QStringLiteral("The language module \"%1\" is damaged or cannot be read.")
        .arg(QDir::toNativeSeparators(file));
}

} // namespace

QString ResourceModule::FileName(const QString& code)
{
    return QStringLiteral("Resource_") + code.toUpper() + QStringLiteral(".rcc");
}

std::unique_ptr<ResourceModule> ResourceModule::Load(const QString& code, const QString& folder,
                                                     QString* error)
{
    const QString file = QDir(folder).absoluteFilePath(FileName(code));
    if (!QFileInfo::exists(file)) {
        if (error)
            *error = QStringLiteral("The language module \"%1\" was not found in \"%2\".")
                         .arg(FileName(code), QDir::toNativeSeparators(folder));
        return nullptr;
    }
    QByteArray bytes;
    if (!ReadRegularFile(file, kGroessterModul, &bytes)) {
        if (error)
            *error = DamagedMessage(file);
        return nullptr;
    }
    return FromBytes(code, file, bytes, error);
}

std::unique_ptr<ResourceModule> ResourceModule::FromBytes(const QString& code, const QString& file,
                                                          const QByteArray& bytes, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return std::unique_ptr<ResourceModule>();
    };
    // Qt trusts every offset of a registered bundle: only a bundle that passed the check is handed over,
    // and from memory, so the file cannot change between the check and Qt's reading.
    if (!CheckRccBundle(bytes, kGroessterEintrag))
        return fail(DamagedMessage(file));
    const QString root = QStringLiteral("/Resource_%1_%2").arg(code.toUpper()).arg(NextResourceRoot());
    std::unique_ptr<ResourceModule> module(new ResourceModule(code.toUpper(), file, root, bytes));
    if (!module->m_registered)
        return fail(DamagedMessage(file));
    QString parseError;
    if (!module->ParseStrings(module->ReadItem(QStringLiteral("strings.tsv")), &parseError))
        return fail(QStringLiteral("The language module \"%1\" has a faulty text table: %2")
                        .arg(QDir::toNativeSeparators(file), parseError));
    return module;
}

ResourceModule::ResourceModule(QString code, QString file, QString root, QByteArray bundle)
    : m_code(std::move(code)), m_file(std::move(file)), m_root(std::move(root)), m_bundle(std::move(bundle))
{
    // A detached copy: the bytes must stay where Qt found them for as long as they are registered.
    m_bundle.detach();
    m_registered = QResource::registerResource(reinterpret_cast<const uchar*>(m_bundle.constData()), m_root);
}

ResourceModule::~ResourceModule()
{
    // A module that goes away stops being current: nothing may read from it afterwards.
    const ResourceModule* self = this;
    if (CurrentModule().compare_exchange_strong(self, nullptr)) {
        SetDecimalSeparator('.');
        if (CurrentTextProvider() == this)
            SetCurrentTextProvider(nullptr);
    }
    if (m_registered)
        QResource::unregisterResource(reinterpret_cast<const uchar*>(m_bundle.constData()), m_root);
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
    return CurrentModule().load();
}

void ResourceModule::SetCurrent(const ResourceModule* module)
{
    CurrentModule().store(module);
    SetCurrentTextProvider(module);
    // Numbers are read and shown as the module's language writes them, whatever the desktop's locale.
    SetDecimalSeparator(
        module ? LanguageLocale(module->Code()).decimalPoint() == QLatin1String(",") ? ',' : '.' : '.');
}
