// A second X client that offers one file for drag and drop, as a file manager does: a small window
// whose content, pressed and dragged with the left button, starts a drag of the file's URL. Used by the
// end-to-end run to drop a file on the program through the window system's drag-and-drop protocol.
//
//   e2e_drop_source FILE
//
// Once the window is shown it prints "ready X Y W H" (its content's place on the screen) on stdout;
// when a drag ends it prints "dropped" when the target took the file, "refused" when not. It runs on
// after the drag, as a file manager does, since the target asks the source for the file's URL once
// the drop has happened; it ends when it is terminated.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

class Source : public QWidget
{
public:
    explicit Source(QString path) : m_path(std::move(path))
    {
        setWindowTitle(QStringLiteral("Drop source"));
        resize(240, 160);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xF0, 0xE0, 0x90));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, QFileInfo(m_path).fileName());
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_pressedAt = event->position().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            return;
        auto* offered = new QMimeData;
        offered->setUrls({QUrl::fromLocalFile(m_path)});
        auto* drag = new QDrag(this);
        drag->setMimeData(offered);
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        std::printf(action == Qt::CopyAction ? "dropped\n" : "refused\n");
        std::fflush(stdout);
    }
    void showEvent(QShowEvent*) override
    {
        // Told once the window is on the screen and the window manager has placed it.
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, timer] {
            if (!windowHandle() || !windowHandle()->isExposed())
                return;
            timer->stop();
            const QPoint at = mapToGlobal(QPoint(0, 0));
            std::printf("ready %d %d %d %d\n", at.x(), at.y(), width(), height());
            std::fflush(stdout);
        });
        timer->start(20);
    }

private:
    QString m_path;
    QPoint m_pressedAt;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_drop_source FILE\n");
        return 2;
    }
    Source source(QString::fromLocal8Bit(argv[1]));
    source.move(40, 40);
    source.show();
    return app.exec();
}
