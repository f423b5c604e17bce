// Writes the views' pictures (cursors and tab icons) into the language folder given on the command
// line. They hold shapes only, so no application object or display is needed.
#include "ViewPicturePainter.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: qor_view_pictures <language folder, e.g. resources/en>" << Qt::endl;
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const QString& path : ViewPicturePainter::Paths()) {
        const QString file = folder.filePath(path);
        if (!QDir().mkpath(QFileInfo(file).path()) || !ViewPicturePainter::Draw(path).save(file, "PNG")) {
            err << "cannot write " << file << Qt::endl;
            return 1;
        }
    }
    return 0;
}
