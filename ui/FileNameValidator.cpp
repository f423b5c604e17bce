// Keeps characters that no file name may hold out of an edit field, typed or pasted.
#include "ui/FileNameValidator.h"

#include <QLineEdit>

bool FileNameValidator::IsForbidden(QChar c)
{
    switch (c.unicode()) {
    case '"':
    case '*':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
    case '|':
        return true;
    default:
        return false;
    }
}

QValidator::State FileNameValidator::validate(QString& input, int& pos) const
{
    // Characters before the cursor that go away move the cursor back with them.
    QString kept;
    kept.reserve(input.size());
    int newPos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (IsForbidden(input.at(i))) {
            if (i < pos)
                --newPos;
            continue;
        }
        kept.append(input.at(i));
    }
    input = kept;
    pos = newPos;
    return Acceptable;
}

void FileNameValidator::fixup(QString& input) const
{
    int pos = 0;
    validate(input, pos);
}

FileNameValidator* SubclassFileNameEdit(QLineEdit* edit)
{
    if (!edit)
        return nullptr;
    auto* validator = new FileNameValidator(edit);
    edit->setValidator(validator);
    QString text = edit->text();
    int pos = 0;
    validator->validate(text, pos);
    if (text != edit->text())
        edit->setText(text);
    return validator;
}
