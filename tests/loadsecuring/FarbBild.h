// A picture of one plain colour for the tool-tip and hint tests, and where Qt's rich text draws it;
// the users' picture folder set for the length of a test.
#pragma once

#include "model/base/ProgramFolders.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QTextDocument>

// Writes a w x h picture of pure magenta as a PNG file.
inline bool SchreibeFarbBild(const QString& path, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    return img.save(path, "PNG");
}

// The box around the magenta pixels of the HTML as Qt's rich text (that of the tool tips and the
// hint pane) draws it nBreite pixels wide; empty when no picture is drawn.
inline QRect FarbBildFlaeche(const QString& html, int nBreite = 400)
{
    QTextDocument d;
    d.setHtml(html);
    d.setTextWidth(nBreite);
    QImage img(d.size().toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    d.drawContents(&painter);
    painter.end();
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) > 200)
                r |= QRect(x, y, 1, 1);
        }
    return r;
}

// Makes `ordner` the users' picture folder until the end of the scope.
class BilderOrdner
{
public:
    explicit BilderOrdner(const QString& ordner) : m_alt(GetProgramFolders())
    {
        SetProgramFolders({m_alt.program, ordner.toStdString()});
    }
    ~BilderOrdner() { SetProgramFolders(m_alt); }
    BilderOrdner(const BilderOrdner&) = delete;
    BilderOrdner& operator=(const BilderOrdner&) = delete;

private:
    const ProgramFolders m_alt;
};
