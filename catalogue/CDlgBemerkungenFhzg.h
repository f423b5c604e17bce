// The remarks form of a vehicle: one free text, and whether it was edited.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;

class CDlgBemerkungenFhzg : public QDialog
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 322;
    static constexpr int kIdText = 1050;

    // Loads template 322, shows the caption and the text; every edit of the text sets the changed flag.
    CDlgBemerkungenFhzg(const QString& titel, const QString& text, QWidget* parent = nullptr);

    QString Text() const;
    bool m_bGeaendert = false;

    QPlainTextEdit* Feld() const;
};
