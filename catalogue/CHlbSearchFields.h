// The search and filter fields of a window that shows a catalogue strip: the typed search after a pause
// with its colours, the filter after a pause, and the clear button.
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QTimer>

class CHlbAdapter;
class QAbstractButton;
class QLineEdit;

class CHlbSearchFields : public QObject
{
public:
    static constexpr int kSearchDelayMs = 300;
    static constexpr int kColourMs = 850;
    static constexpr int kFilterDelayMs = 300;
    // Background of the search field after a typed search that found an entry, and one that did not.
    static QColor FoundColour() { return QColor(200, 242, 169); }
    static QColor NotFoundColour() { return QColor(254, 136, 146); }

    explicit CHlbSearchFields(CHlbAdapter& adapter);
    ~CHlbSearchFields() override;
    CHlbSearchFields(const CHlbSearchFields&) = delete;
    CHlbSearchFields& operator=(const CHlbSearchFields&) = delete;

    // The field whose text is searched for in the strip; focus entering it empties it.
    void AttachSearchEdit(QLineEdit* search);
    // The field whose text filters the strip, and the button that clears it (either may be null).
    void AttachFilterEdit(QLineEdit* filter, QAbstractButton* clear);

    // What the timers run, callable directly: the search field's text after its pause, the search
    // colour's end, the filter field's text after its pause.
    void OnSearchTimer();
    void OnColourTimer();
    void OnFilterTimer();
    bool SearchPending() const { return m_searchTimer.isActive(); }
    bool ColourPending() const { return m_colourTimer.isActive(); }
    bool FilterPending() const { return m_filterTimer.isActive(); }

    // The clear button: the filter field and the search text emptied, the strip refilled.
    void Clear();
    // A typed search ended on `text`: the search field shows it in the colour of the result.
    void ShowTypedSearch(const QString& text, bool found);
    // The strip was refilled: the filter field shows its search text.
    void ShowFilterText(const QString& text);
    QColor SearchColour() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetSearchColour(const QColor& colour);
    void SelectHit();

    CHlbAdapter& m_adapter;
    QPointer<QLineEdit> m_search;
    QPointer<QLineEdit> m_filter;
    QTimer m_searchTimer;
    QTimer m_colourTimer;
    QTimer m_filterTimer;
    bool m_returnPending = false;
};
