// The result page of the load-securing wizard: the result of the securing calculation.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class CLgspReport;
class CQOR1Doc;

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

    // The report command (770) on this page: the report is written with its sketch into the report
    // folder as "$S '%s' $S [%i]" (texts 234 and 232, the unit's name and number) and handed to the PDF
    // export, which offers it for saving or sending. Other commands are the base's.
    int OnButtonPressed(int nId, int nValue) override;
    // Writes the report file; its path, or empty (named in a message) when it could not be written.
    std::string SchreibeBericht();
    // The report's title, "$S '%s' $S [%i]" (texts 234 and 232, the unit's name and number), and its
    // file name made from it.
    std::string BerichtTitel() const;
    std::string BerichtName() const;
    // Message 0x8044: the report under its title ("<h1>%s</h1>%s") in an HTML message box, caption 273.
    void ZeigeBericht();
    // The folder the report goes to (by default the program's report folder) and the PDF export (by
    // default PdfExport::ExportHtmlAsPdf); tests replace them.
    void SetBerichtOrdner(const std::filesystem::path& folder) { m_ordner = folder; }
    using Export =
        std::function<bool(CQOR1Doc* pDoc, const QStringList& html, const QString& ordner, QWidget* parent)>;
    void SetExport(Export exportFn) { m_export = std::move(exportFn); }

protected:
    bool OnInitDialog() override;
    bool event(QEvent* event) override;

private:
    // The report follows the vehicle and unit worked on and the working settings.
    void Stelle();
    void SetTitel();

    std::unique_ptr<CLgspReport> m_pReport;
    std::filesystem::path m_ordner;
    Export m_export;
};
