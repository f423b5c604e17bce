// Writes the ribbon's command icons as "<id>.png" into the folder given on the command line. They hold
// shapes only (no text), so no application object or display is needed.
#include "RibbonIconPainter.h"

#include <QDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: qor_ribbon_icons <bitmap folder>" << Qt::endl;
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        err << "cannot make the folder " << folder.path() << Qt::endl;
        return 1;
    }
    for (int id : RibbonIconPainter::Ids()) {
        const QString file = folder.filePath(QStringLiteral("%1.png").arg(id));
        if (!RibbonIconPainter::Draw(id).save(file, "PNG")) {
            err << "cannot write " << file << Qt::endl;
            return 1;
        }
    }
    return 0;
}
