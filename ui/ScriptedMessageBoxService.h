// A message-box service for tests and unattended runs: records every box and answers from a script.
#pragma once

#include "ui/IMessageBoxService.h"

#include <QList>
#include <QString>

class ScriptedMessageBoxService : public IMessageBoxService
{
public:
    struct Record
    {
        QString caption;
        QString text;
        Icon icon = Icon::Information;
        Buttons buttons = Buttons::Ok;
        HtmlBox html; // for HTML boxes (textId non-zero)
        bool isHtml = false;
    };

    // Installs itself as the program's service; the destructor puts back the one before.
    ScriptedMessageBoxService();
    ~ScriptedMessageBoxService() override;
    ScriptedMessageBoxService(const ScriptedMessageBoxService&) = delete;
    ScriptedMessageBoxService& operator=(const ScriptedMessageBoxService&) = delete;

    // The answers of the next boxes, in order; an empty script answers kOk, kYes or the first button.
    void AddAnswer(int answer, bool checked = false);

    int Show(QWidget* parent, const QString& caption, const QString& text, Icon icon,
             Buttons buttons) override;
    int ShowHtml(QWidget* parent, const HtmlBox& box, bool* checked) override;

    const QList<Record>& Records() const { return m_records; }
    // Forgets the recorded boxes and the answers not used yet.
    void Clear()
    {
        m_records.clear();
        m_answers.clear();
    }

private:
    QList<QPair<int, bool>> m_answers;
    QList<Record> m_records;
    IMessageBoxService* m_previous;
};
