// Fuzz target: the language module reader on any bundle. A bundle either is refused with a message or
// registers, and then every item of it reads (the sanitizers watch Qt's resource code reading it).
#include "platform/ResourceModule.h"

#include <QDirIterator>
#include <QFile>

#include <cstdint>
#include <cstdlib>

namespace {

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto previous = qInstallMessageHandler(Quiet);
    (void)previous;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const auto module =
        ResourceModule::FromBytes(QStringLiteral("FZ"), QStringLiteral("fuzz.rcc"), bytes, &error);
    if (!module) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    QDirIterator it(module->ItemPath(QString()), QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile item(it.next());
        if (item.open(QIODevice::ReadOnly))
            item.readAll();
    }
    module->Html(1);
    module->DialogTemplate(1);
    return 0;
}
