// The header band of the load-securing wizard, painted by the active page.
#pragma once

#include <QImage>
#include <QWidget>

class CPshLgSichgWizard;

// Fills a white picture of its size, lets the active page draw into it (0x803E) and shows it; the
// wizard's own header picture stands in while no page draws.
class CWizardHeaderView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kId = 2000;

    explicit CWizardHeaderView(CPshLgSichgWizard* pWizard);

    void SetFallbackPicture(const QImage& picture) { m_fallback = picture; }
    // The picture as the next paint shows it.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CPshLgSichgWizard* m_pWizard;
    QImage m_fallback;
};
