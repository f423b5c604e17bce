// The report dialog: which sections of the front vehicle and of the trailer go into the PDF export, the
// load-plan report, the load-securing report or both; Run writes them and hands them to the PDF export.
#pragma once

#include "model/securing/CLgspReport.h"
#include "reports/PlanReportAuswahl.h"
#include "ui/CDlgBase.h"

#include <QStringList>

#include <filesystem>
#include <functional>
#include <string>

class CFahrzeug;
class CQOR1Doc;

class CDlgDrucken2 : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 516;
    static constexpr int kIdRun = 809;
    static constexpr int kIdInfo = 810;
    // The scope radio group: load-plan report, load-securing report, both.
    static constexpr int kIdPlan = 1189;
    static constexpr int kIdSicherung = 1349;
    static constexpr int kIdBeide = 1391;
    static constexpr int kIdA1 = 1169;
    static constexpr int kIdB1 = 1165;
    static constexpr int kIdC1 = 1167;
    static constexpr int kIdLgs1 = 1171;
    static constexpr int kIdA2 = 1170;
    static constexpr int kIdB2 = 1166;
    static constexpr int kIdC2 = 1168;
    static constexpr int kIdLgs2 = 1172;
    static constexpr int kIdVorschau = 1143;
    static constexpr int kIdNameVorn = 1392;
    static constexpr int kIdNameAnhaenger = 1393;
    static constexpr int kIdGruppeVorn = 1162;
    static constexpr int kIdGruppeAnhaenger = 1163;
    // How far the lower part moves up, and the dialog shrinks, without a trailer.
    static constexpr int kOhneAnhaengerVersatz = 100;

    enum Umfang
    {
        kPlanBericht = 0,
        kSicherungsBericht = 1,
        kBeide = 2
    };

    // The dialog always works in export mode: the hidden browser of the template has no role and is left out.
    CDlgDrucken2(CQOR1Doc* pDoc, CFahrzeug* pVorn, CFahrzeug* pAnhaenger, QWidget* parent = nullptr);

    // The folder the reports are written to (by default the program's report folder).
    void SetBerichtOrdner(const std::filesystem::path& folder) { m_ordner = folder; }
    // Draws the securing sketches (the load-securing view's renderer); none: the reports have no sketch.
    void SetSkizzenRenderer(CLgspReport::SketchRenderer renderer) { m_skizze = std::move(renderer); }
    // Converts and offers the reports (by default PdfExport::ExportHtmlAsPdf); tests replace it.
    using Export =
        std::function<bool(CQOR1Doc* pDoc, const QStringList& html, const QString& ordner, QWidget* parent)>;
    void SetExport(Export exportFn) { m_export = std::move(exportFn); }

    // The current choices as the controls show them.
    int GetUmfang() const;
    PlanReportAuswahl GetPlanAuswahl() const;
    bool IsChecked(int id) const;
    // Whether Run would make the load-plan report, the load-securing report, and whether Run is enabled.
    bool WillPlanBericht() const;
    bool WillSicherungsBericht() const;
    bool IsRunEnabled() const;
    // Whether the control is enabled by the dialog's rules (what the idle update applies).
    bool IsCtrlEnabled(int id) const;

    // The paths of the reports written by the last Run (empty when not wanted or not written).
    const std::string& GetPlanPfad() const { return m_planPfad; }
    const std::string& GetSicherungsPfad() const { return m_sicherungsPfad; }

    // The report's file name: "$S '%s'" with the text and the vehicle's name, made a safe file name (no
    // "/", "\" or control character; never empty, "." or "..").
    static std::string BerichtName(std::uint32_t textId, const std::string& fahrzeugName);
    // `name` made a safe file name as above.
    static std::string SichererName(std::string name);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    void OnRibBtnAdded(IButtonStrip* strip, int buttonId) override;

private:
    void Run();
    void Info();
    void SetChecked(int id, bool on);
    void SetCtrlText(int id, const QString& text);
    void SetNameText(int id, const QString& name);
    void HideCtrl(int id);
    int Einheiten(const CFahrzeug* f) const;

    CQOR1Doc* m_pDoc;
    CFahrzeug* m_pVorn;
    CFahrzeug* m_pAnhaenger;
    std::filesystem::path m_ordner;
    CLgspReport::SketchRenderer m_skizze;
    Export m_export;
    std::string m_planPfad;
    std::string m_sicherungsPfad;
};
