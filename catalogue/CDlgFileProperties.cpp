// A small window with what the file system tells of one file or folder: place, size, dates, rights.
#include "catalogue/CDlgFileProperties.h"

#include "platform/ResourceModule.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace {

constexpr quint32 kRowTexts[CDlgFileProperties::kRowCount] = {33322, 33323, 33324, 33325, 33326};
constexpr const char* kRowEnglish[CDlgFileProperties::kRowCount] = {"Location", "Size", "Modified", "Created",
                                                                    "Permissions"};
constexpr quint32 kBytesText = 33327;
constexpr quint32 kEntriesText = 33328;

QString Text(quint32 id, const char* english)
{
    const ResourceModule* module = ResourceModule::Current();
    if (module && module->HasString(id))
        return module->String(id);
    return QString::fromUtf8(english);
}

QString DateText(const QDateTime& when)
{
    return when.isValid() ? QLocale().toString(when, QLocale::ShortFormat) : QStringLiteral("-");
}

} // namespace

CDlgFileProperties::CDlgFileProperties(const QString& path, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fileProperties"));
    const QFileInfo info(path);
    setWindowTitle(info.fileName().isEmpty() ? QDir::toNativeSeparators(path) : info.fileName());

    QString size;
    if (info.isDir()) {
        const qsizetype entries =
            QDir(path)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .size();
        size = Text(kEntriesText, "%1 entries").arg(QLocale().toString(qint64(entries)));
    } else {
        size =
            QStringLiteral("%1 (%2)").arg(QLocale().formattedDataSize(info.size()),
                                          Text(kBytesText, "%1 bytes").arg(QLocale().toString(info.size())));
    }
    const QString values[kRowCount] = {QDir::toNativeSeparators(info.absoluteFilePath()), size,
                                       DateText(info.lastModified()), DateText(info.birthTime()),
                                       PermissionText(path)};

    auto* form = new QFormLayout;
    for (int row = 0; row < kRowCount; ++row) {
        m_values[row] = new QLabel(values[row]);
        m_values[row]->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        form->addRow(Text(kRowTexts[row], kRowEnglish[row]) + QLatin1Char(':'), m_values[row]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString CDlgFileProperties::Value(Row row) const
{
    return row >= 0 && row < kRowCount && m_values[row] ? m_values[row]->text() : QString();
}

QString CDlgFileProperties::PermissionText(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("?");
    const QFile::Permissions p = info.permissions();
    const QFile::Permission bits[9] = {QFile::ReadOwner, QFile::WriteOwner, QFile::ExeOwner,
                                       QFile::ReadGroup, QFile::WriteGroup, QFile::ExeGroup,
                                       QFile::ReadOther, QFile::WriteOther, QFile::ExeOther};
    QString text;
    for (int i = 0; i < 9; ++i)
        text += p.testFlag(bits[i]) ? QLatin1Char("rwx"[i % 3]) : QLatin1Char('-');
    if (!info.owner().isEmpty())
        text += QStringLiteral(" (%1)").arg(info.owner());
    return text;
}
