// The search and filter fields of a catalogue strip's window.
#include "catalogue/CHlbSearchFields.h"

#include "catalogue/CHListbox.h"
#include "catalogue/CHlbAdapter.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>

CHlbSearchFields::CHlbSearchFields(CHlbAdapter& adapter) : m_adapter(adapter)
{
    for (QTimer* t : {&m_searchTimer, &m_colourTimer, &m_filterTimer})
        t->setSingleShot(true);
    m_searchTimer.setInterval(kSearchDelayMs);
    m_colourTimer.setInterval(kColourMs);
    m_filterTimer.setInterval(kFilterDelayMs);
    connect(&m_searchTimer, &QTimer::timeout, this, &CHlbSearchFields::OnSearchTimer);
    connect(&m_colourTimer, &QTimer::timeout, this, &CHlbSearchFields::OnColourTimer);
    connect(&m_filterTimer, &QTimer::timeout, this, &CHlbSearchFields::OnFilterTimer);
    m_adapter.SetSearchFields(this);
}

CHlbSearchFields::~CHlbSearchFields()
{
    m_adapter.SetSearchFields(nullptr);
}

void CHlbSearchFields::AttachSearchEdit(QLineEdit* search)
{
    m_search = search;
    if (!search)
        return;
    search->installEventFilter(this);
    // Only what the user types restarts the pause; the field's own writes do not.
    connect(search, &QLineEdit::textEdited, this, [this] { m_searchTimer.start(); });
}

void CHlbSearchFields::AttachFilterEdit(QLineEdit* filter, QAbstractButton* clear)
{
    m_filter = filter;
    if (filter)
        connect(filter, &QLineEdit::textEdited, this, [this] { m_filterTimer.start(); });
    if (clear)
        connect(clear, &QAbstractButton::clicked, this, [this] { Clear(); });
}

void CHlbSearchFields::OnSearchTimer()
{
    m_searchTimer.stop();
    if (!m_search)
        return;
    const QString text = m_search->text();
    if (!text.isEmpty()) {
        m_adapter.TypedSearch(text);
        m_search->selectAll();
    }
    if (m_returnPending) {
        m_returnPending = false;
        SelectHit();
    }
}

void CHlbSearchFields::OnColourTimer()
{
    m_colourTimer.stop();
    SetSearchColour(Qt::white);
}

void CHlbSearchFields::OnFilterTimer()
{
    m_filterTimer.stop();
    if (!m_filter)
        return;
    int category = 0;
    QString current;
    m_adapter.GetFilter(&category, &current);
    const QString text = m_filter->text().trimmed();
    if (text != current)
        m_adapter.SetFilter(category, text, true);
}

void CHlbSearchFields::Clear()
{
    m_filterTimer.stop();
    if (m_filter)
        m_filter->clear();
    int category = 0;
    m_adapter.GetFilter(&category, nullptr);
    m_adapter.SetFilter(category, QString(), true);
}

void CHlbSearchFields::ShowTypedSearch(const QString& text, bool found)
{
    if (!m_search)
        return;
    if (m_search->text() != text)
        m_search->setText(text);
    SetSearchColour(found ? FoundColour() : NotFoundColour());
    m_colourTimer.start();
}

void CHlbSearchFields::ShowFilterText(const QString& text)
{
    if (m_filter && m_filter->text().trimmed() != text)
        m_filter->setText(text);
}

QColor CHlbSearchFields::SearchColour() const
{
    return m_search ? m_search->palette().color(QPalette::Base) : QColor();
}

void CHlbSearchFields::SetSearchColour(const QColor& colour)
{
    if (!m_search)
        return;
    QPalette palette = m_search->palette();
    palette.setColor(QPalette::Base, colour);
    m_search->setPalette(palette);
}

void CHlbSearchFields::SelectHit()
{
    const int hit = m_adapter.TypedHit();
    CHListbox* list = m_adapter.List();
    if (hit < 0 || !list)
        return;
    list->SelectItem(hit);
    list->ScrollToItem(hit, 5);
}

bool CHlbSearchFields::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search) {
        if (event->type() == QEvent::FocusIn) {
            // A new search starts from an empty field.
            m_search->clear();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                // While the pause runs the search has not happened yet: the hit is selected after it.
                if (m_searchTimer.isActive())
                    m_returnPending = true;
                else
                    SelectHit();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
