// A message-box service for tests and unattended runs: records every box and answers from a script.
#include "ui/ScriptedMessageBoxService.h"

ScriptedMessageBoxService::ScriptedMessageBoxService() : m_previous(SetMessageBoxes(this)) {}

ScriptedMessageBoxService::~ScriptedMessageBoxService()
{
    SetMessageBoxes(m_previous);
}

void ScriptedMessageBoxService::AddAnswer(int answer, bool checked)
{
    m_answers.append({answer, checked});
}

int ScriptedMessageBoxService::Show(QWidget*, const QString& caption, const QString& text, Icon icon,
                                    Buttons buttons)
{
    Record record;
    record.caption = caption;
    record.text = text;
    record.icon = icon;
    record.buttons = buttons;
    m_records.append(record);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst().first;
    return buttons == Buttons::YesNo ? kYes : kOk;
}

int ScriptedMessageBoxService::ShowHtml(QWidget*, const HtmlBox& box, bool* checked)
{
    Record record;
    record.html = box;
    record.isHtml = true;
    m_records.append(record);
    QPair<int, bool> answer{box.buttons.isEmpty() ? kOk : box.buttons.first().first, false};
    if (!m_answers.isEmpty())
        answer = m_answers.takeFirst();
    if (checked)
        *checked = answer.second;
    return answer.first;
}
