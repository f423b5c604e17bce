// The result page of the load-securing wizard: the result of the securing calculation.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

#include <memory>

class CLgspReport;

// The report of the active unit under the wizard's working settings, shown in the hint pane.
class CPgLgSichgPage8 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 644;
    static constexpr quint32 kTitle = 446;
    static constexpr quint32 kHeaderBitmap = 723;

    explicit CPgLgSichgPage8(CPshLgSichgWizard* pWizard);
    ~CPgLgSichgPage8() override;

    void GetHeaderBitmapId(quint32* pId) override;
    bool OnSetActive() override;
    // The report's HTML ("lgsp", no file, sketch 1, pictures at most 400 pixels wide).
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;

    CLgspReport* Report() const { return m_pReport.get(); }

protected:
    bool OnInitDialog() override;

private:
    // The report follows the vehicle and unit worked on and the working settings.
    void Stelle();
    void SetzeTitel();

    std::unique_ptr<CLgspReport> m_pReport;
};
