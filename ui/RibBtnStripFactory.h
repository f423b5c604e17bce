// The button-strip code as the dialog base uses it: makes CRibBtnContainer strips and runs the
// process-wide passes over them.
#pragma once

#include "ui/IStripFactory.h"

#include <QHash>

class CRibBtnContainer;
class RibBtnStrip;

class RibBtnStripFactory : public IStripFactory
{
public:
    static RibBtnStripFactory& Instance();

    std::unique_ptr<IButtonStrip> Create(bool autoWidth, bool iconBesideText, bool titleBand, QWidget* parent,
                                         const QString& title) override;
    IButtonStrip* StripOfButton(const QWidget* widget) const override;
    int DefaultButton(const QWidget* parent, IButtonStrip** strip) const override;
    void UpdateAllStrips() override;
    void MergeNavigation(const QList<QWidget*>& anchoredButtons, QList<QWidget*>& navigation) const override;

    // The strips made here, by their widget.
    void Register(RibBtnStrip* strip);
    void Unregister(RibBtnStrip* strip);
    RibBtnStrip* Find(const CRibBtnContainer* widget) const;

private:
    QHash<const CRibBtnContainer*, RibBtnStrip*> m_strips;
};
