// The typed value an edit field holds: an int, a float, a double or a text, chosen by the field's mode.
#pragma once

#include <QString>

struct EditValue
{
    enum Mode
    {
        kNone = 0,
        kInt = 1,
        kFloat = 2,
        kDouble = 3,
        kText = 4
    };

    int mode = kNone;
    int i = 0;
    float f = 0.0f;
    double d = 0.0;
    QString s;

    // The same kind of value, equal as the field compares values on commit (exact for numbers).
    bool SameAs(const EditValue& other) const
    {
        switch (mode) {
        case kInt:
            return i == other.i;
        case kFloat:
            return f == other.f;
        case kDouble:
            return d == other.d;
        case kText:
            return s == other.s;
        default:
            return true;
        }
    }
};
