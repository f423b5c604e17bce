// The file-open dialog of the import: files chosen only by selecting them, OK only while a file is
// selected, and nothing in the per-user data folder (or a folder above it) changed from inside it.
#include "reports/CImportFileDlg.h"

#include "model/text/TextProvider.h"
#include "platform/ShellFileOperation.h"
#include "reports/ReportTexts.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

using ReportTexts::Caption;
using ReportTexts::Text;

CImportFileDlg::CImportFileDlg(const QString& dataFolder, QWidget* parent)
    : CDlgBase(kNoTemplate, parent),
      m_strDataFolder(dataFolder.endsWith(QLatin1Char('/')) ? dataFolder : dataFolder + QLatin1Char('/'))
{
    setWindowTitle(Text(93));
    resize(560, 420);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* up = new QPushButton(QStringLiteral(".."), this);
    m_path = new QLineEdit(this);
    m_path->setReadOnly(true);
    top->addWidget(up);
    top->addWidget(m_path, 1);
    layout->addLayout(top);

    m_model = new QFileSystemModel(this);
    // The widgets' provider falls back to the style's pictures where the desktop has no icon theme.
    static QFileIconProvider icons;
    m_model->setIconProvider(&icons);
    m_model->setReadOnly(false);
    m_model->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    m_model->setNameFilterDisables(false);
    m_model->setRootPath(QString());
    m_list = new QListView(this);
    m_list->setModel(m_model);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setDragDropMode(QAbstractItemView::DragOnly);
    m_list->setDefaultDropAction(Qt::CopyAction);
    m_list->setContextMenuPolicy(Qt::DefaultContextMenu);
    layout->addWidget(m_list, 1);

    auto* bottom = new QHBoxLayout;
    m_name = new QLineEdit(this);
    m_name->setContextMenuPolicy(Qt::NoContextMenu);
    m_filter = new QComboBox(this);
    bottom->addWidget(m_name, 2);
    bottom->addWidget(m_filter, 1);
    layout->addLayout(bottom);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(Text(454), this);
    ControlId::Set(ok, kIdOk);
    ok->setDefault(true);
    auto* cancel = new QPushButton(Caption(705), this);
    ControlId::Set(cancel, kIdCancel);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    m_ok = ok;

    // Text 92: pairs of description and patterns separated by "|"; the third pair is shown first.
    const QStringList parts = Text(92).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            break;
        m_filter->addItem(parts.at(i));
        m_filterPatterns.append(parts.at(i + 1));
    }
    connect(m_filter, &QComboBox::currentIndexChanged, this, &CImportFileDlg::ApplyFilter);
    m_filter->setCurrentIndex(m_filter->count() >= 3 ? 2 : 0);
    ApplyFilter(m_filter->currentIndex());

    connect(up, &QPushButton::clicked, this, [this] {
        QDir dir(m_strFolder);
        if (dir.cdUp())
            SetFolder(dir.absolutePath());
    });
    connect(m_list, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_model->isDir(index))
            SetFolder(m_model->filePath(index));
        else
            OnOK();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CImportFileDlg::UpdateOkButton);
    // The name box shows the selection only: it takes the arrow keys and Tab, nothing else.
    m_name->installEventFilter(this);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    SetFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    UpdateOkButton();
}

CImportFileDlg::~CImportFileDlg() = default;

bool CImportFileDlg::TouchesDataFolder(const QString& path, const QString& dataFolder)
{
    if (path.isEmpty() || dataFolder.isEmpty())
        return false;
    return path.startsWith(dataFolder.chopped(1)) || dataFolder.startsWith(path);
}

void CImportFileDlg::SetFolder(const QString& folder)
{
    m_strFolder = QDir(folder).absolutePath();
    m_path->setText(m_strFolder);
    m_list->clearSelection();
    const QModelIndex root = m_model->index(m_strFolder);
    // The folder is read in the background; asked for at once so it fills even before it shows.
    if (m_model->canFetchMore(root))
        m_model->fetchMore(root);
    m_list->setRootIndex(root);
    UpdateOkButton();
}

void CImportFileDlg::ApplyFilter(int index)
{
    QStringList patterns;
    for (const QString& pattern : m_filterPatterns.value(index).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns.append(pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : pattern.trimmed());
    m_model->setNameFilters(patterns);
}

QStringList CImportFileDlg::SelectedPaths() const
{
    QStringList paths;
    for (const QModelIndex& index : m_list->selectionModel()->selectedIndexes())
        paths.append(m_model->filePath(index));
    return paths;
}

bool CImportFileDlg::ItemTouchesDataFolder(const QString& path) const
{
    // The folder shown and the item's name, as the list shows them.
    const QString shown = m_strFolder.endsWith(QLatin1Char('/'))
                              ? m_strFolder + QFileInfo(path).fileName()
                              : m_strFolder + QLatin1Char('/') + QFileInfo(path).fileName();
    if (TouchesDataFolder(shown, m_strDataFolder) || TouchesDataFolder(path, m_strDataFolder))
        return true;
    // The same with every link resolved: the data folder reached through a link, or a link to it.
    const QString realData = QFileInfo(m_strDataFolder).canonicalFilePath();
    if (realData.isEmpty())
        return false;
    for (const QString& item : {shown, path}) {
        const QString real = QFileInfo(item).canonicalFilePath();
        if (TouchesDataFolder(real, realData + QLatin1Char('/')))
            return true;
    }
    return false;
}

bool CImportFileDlg::SelectionTouchesDataFolder() const
{
    for (const QString& path : SelectedPaths()) {
        if (ItemTouchesDataFolder(path))
            return true;
    }
    return false;
}

void CImportFileDlg::UpdateOkButton()
{
    const QStringList paths = SelectedPaths();
    int files = 0;
    QStringList names;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        // A path whose kind cannot be read counts as a folder.
        if (info.exists() && !info.isDir()) {
            ++files;
            names.append(QStringLiteral("\"%1\"").arg(info.fileName()));
        }
    }
    const bool touches = SelectionTouchesDataFolder();
    // In-place editing, dragging and the menu only while nothing selected touches the data folder.
    m_list->setDragEnabled(!touches);
    if (files == 0 && m_nFileCount != 0)
        m_name->clear();
    else if (files > 0)
        m_name->setText(files == 1 ? names.first().mid(1).chopped(1) : names.join(QLatin1Char(' ')));
    m_nFileCount = files;
    m_ok->setEnabled(files > 0);
}

bool CImportFileDlg::ConfirmTrash(const QStringList& paths)
{
    return MessageBoxes().Show(this, windowTitle(),
                               Text(33314).replace(QLatin1String("%1"), paths.join(QStringLiteral(", "))),
                               IMessageBoxService::Icon::Question,
                               IMessageBoxService::Buttons::YesNo) == IMessageBoxService::kYes;
}

void CImportFileDlg::TrashSelection()
{
    const QStringList paths = SelectedPaths();
    if (paths.isEmpty() || SelectionTouchesDataFolder() || !ConfirmTrash(paths))
        return;
    for (const QString& path : paths)
        ShellFileOperation(path.toStdString(), std::string(), FO_DELETE, FOF_ALLOWUNDO);
    UpdateOkButton();
}

void CImportFileDlg::RenameCurrent()
{
    // F2 renames the current item, which need not be selected: the item acted on is the one checked.
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || SelectionTouchesDataFolder() ||
        ItemTouchesDataFolder(m_model->filePath(current)))
        return;
    m_list->edit(current);
}

bool CImportFileDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_name) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const bool passes = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                                key == Qt::Key_Down || key == Qt::Key_Tab || key == Qt::Key_Backtab;
            return !passes;
        }
        case QEvent::InputMethod:
        case QEvent::Drop:
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return true;
        case QEvent::MouseButtonPress:
            return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
        default:
            return false;
        }
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool cut = key->key() == Qt::Key_X && (key->modifiers() & Qt::ControlModifier);
        if (key->key() == Qt::Key_Delete) {
            TrashSelection();
            return true;
        }
        if (cut)
            return true; // nothing to paste into here
        if (key->key() == Qt::Key_F2) {
            RenameCurrent();
            return true;
        }
    }
    if ((watched == m_list || watched == m_list->viewport()) && event->type() == QEvent::ContextMenu) {
        if (SelectionTouchesDataFolder())
            return true;
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(Caption(33302), this, &CImportFileDlg::RenameCurrent);
        menu->addAction(Caption(33301), this, &CImportFileDlg::TrashSelection);
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return CDlgBase::eventFilter(watched, event);
}

void CImportFileDlg::OnOK()
{
    QStringList files;
    for (const QString& path : SelectedPaths())
        if (QFileInfo(path).isFile())
            files.append(path);
    if (files.isEmpty())
        return;
    m_files = files;
    done(kIdOk);
}
