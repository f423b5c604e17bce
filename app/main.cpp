// Entry point of the load-planning program.
#include "model/text/TextFormat.h"
#include "platform/ResourceModule.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korvelandt"));
    QCoreApplication::setApplicationName(QStringLiteral("QOR"));

    QTextStream err(stderr);
    QString error;
    std::unique_ptr<ResourceModule> module =
        ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), &error);
    if (!module) {
        err << error << Qt::endl;
        return 1;
    }
    ScopedTextProvider texts(module.get());
    QTextStream(stdout) << "Language module " << ResourceModule::FileName(module->Code())
                        << " loaded. The main window comes with a later version of the program." << Qt::endl;
    return 0;
}
