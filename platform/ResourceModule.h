// The language module: a Qt binary resource bundle "Resource_<code>.rcc" that answers texts, dialog
// templates, bitmaps, HTML templates and help texts by number.
#pragma once

#include "model/text/TextProvider.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>

#include <memory>

class ResourceModule : public ITextProvider
{
public:
    // Loads "Resource_" + code + ".rcc" from `folder`. Answers null and sets `error` to a message a
    // user can act on when the file is missing, unreadable or its text table is malformed.
    // A module file that is not a regular file, is longer than kGroessterModul or whose bundle does not
    // pass CheckRccBundle counts as damaged.
    static std::unique_ptr<ResourceModule> Load(const QString& code, const QString& folder, QString* error);
    // The module of the bundle `bytes` read from `file` (named in messages), checked as Load checks it.
    static std::unique_ptr<ResourceModule> FromBytes(const QString& code, const QString& file,
                                                     const QByteArray& bytes, QString* error);

    // The longest module file read, and the most bytes one item of it may unpack to.
    static constexpr qint64 kGroessterModul = qint64{64} << 20;
    static constexpr qint64 kGroessterEintrag = qint64{16} << 20;

    // The file name of the module of a language code, e.g. "Resource_EN.rcc".
    static QString FileName(const QString& code);

    ~ResourceModule() override;
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    QString Code() const { return m_code; }

    // The text of a string id; empty when the module has none.
    QString String(quint32 id) const { return m_strings.value(id); }
    bool HasString(quint32 id) const { return m_strings.contains(id); }
    // Every string id of the module, in ascending order.
    QList<quint32> StringIds() const;
    std::string Text(std::uint32_t id) const override;

    // Items by number; empty (or a null image) when the module has none.
    QByteArray DialogTemplate(quint32 id) const; // Qt Designer file dialogs/<id>.ui
    QImage Bitmap(quint32 id) const;             // bitmaps/<id>.png
    QString Html(quint32 id) const;              // html/<id>.html, UTF-8
    QString Help(quint32 id) const;              // help/<id>.html, UTF-8
    QByteArray Menu(quint32 id) const;           // menus/<id>.menu (format: platform/MenuResource.h)

    // The bytes of item `id` of a resource type of model/ResourceText.h: the text of a string id (UTF-8)
    // for RES_TYPE_STRING, the stored bytes of a template, help text or picture for the others.
    bool ResourceBytes(std::uint32_t id, int type, std::string& out) const override;

    // Where an item of a resource type lies in the module ("html/894.html"); empty for the text table
    // and for unknown types.
    static QString ItemRelativePath(quint32 id, int type);

    // A URL of an item that Qt's own loaders (QTextBrowser, QImageReader, QFile) can open, e.g.
    // "qrc:/Resource_EN_1/html/894.html"; empty for types without files.
    QUrl ItemUrl(quint32 id, int type) const;

    // The module the program's items are read from: the language module the application loaded at
    // start-up (tests set their own and put the one before back). Setting it also makes it the model's
    // text provider. Null until set. It is one for the process, like the text provider behind
    // LoadString: pictures, templates and texts are read through it from free functions on every
    // level, which no window hands down.
    static const ResourceModule* Current();
    static void SetCurrent(const ResourceModule* module);

    // Whether a language code is the German one ("DE" in any case), and whether the program runs in the
    // German module: the few things only a German user interface shows ask this.
    static bool IsGermanCode(const QString& code);
    static bool GermanInterface();

    // The resource path of an item of the module, e.g. ":/Resource_EN_1/html/894.html", for QFile or
    // for URLs that point into the module.
    QString ItemPath(const QString& relative) const;

private:
    ResourceModule(QString code, QString file, QString root, QByteArray bundle);
    QByteArray ReadItem(const QString& relative) const;
    bool ParseStrings(const QByteArray& data, QString* error);

    QString m_code;
    QString m_file;
    QString m_root;
    QByteArray m_bundle; // the registered bundle's bytes: Qt reads them in place until unregistered
    bool m_registered = false;
    QHash<quint32, QString> m_strings;
};
