// Keeps characters that no file name may hold out of an edit field, typed or pasted.
#pragma once

#include <QValidator>

class QLineEdit;

// Removes " * / : < > ? \ | from whatever reaches the field, so a typed character of these never
// appears and pasted text keeps only its other characters.
class FileNameValidator : public QValidator
{
    Q_OBJECT
public:
    explicit FileNameValidator(QObject* parent = nullptr) : QValidator(parent) {}

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

    // True when `c` may not stand in a file name.
    static bool IsForbidden(QChar c);
};

// Gives the edit field a FileNameValidator; answers it (owned by the field).
FileNameValidator* SubclassFileNameEdit(QLineEdit* edit);
