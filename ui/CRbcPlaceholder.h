// The stand-in control of a dialog template that the dialog base turns into a button of a button strip.
#pragma once

#include <QLabel>

// Shows its text ("_RBC" + strip index + flags + title and caption) like a static text; the dialog
// replaces it by a strip button when it starts, or leaves it visible when the text is not valid.
class CRbcPlaceholder : public QLabel
{
    Q_OBJECT

public:
    explicit CRbcPlaceholder(QWidget* parent = nullptr) : QLabel(parent) {}
};
