// Makes plain stand-in strips and keeps the list of those alive, for the tests of the dialog base.
#pragma once

#include "ui/IStripFactory.h"

class PlainButtonStrip;

class PlainStripFactory : public IStripFactory
{
public:
    static PlainStripFactory& Instance();

    std::unique_ptr<IButtonStrip> Create(bool autoWidth, bool iconBesideText, bool titleBand, QWidget* parent,
                                         const QString& title) override;
    IButtonStrip* StripOfButton(const QWidget* widget) const override;
    int DefaultButton(const QWidget* parent, IButtonStrip** strip) const override;
    void UpdateAllStrips() override;
    void MergeNavigation(const QList<QWidget*>& anchoredButtons, QList<QWidget*>& navigation) const override;

    // Called by the strips themselves.
    void Register(PlainButtonStrip* strip);
    void Unregister(PlainButtonStrip* strip);

    // When set, the next Create fails (tests of the dialog's failure path).
    void FailNextCreate() { m_failNext = true; }

private:
    QList<PlainButtonStrip*> m_strips;
    bool m_failNext = false;
};
