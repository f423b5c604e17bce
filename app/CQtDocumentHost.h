// The Qt side of a document: its views through the tabbed view host, its window caption, message
// boxes, the save-name question, the recent files and the report dialog.
#pragma once

#include "views/CViewsDocumentHost.h"

#include <functional>

class QWidget;
struct DocumentServices;

class CQtDocumentHost : public CViewsDocumentHost
{
public:
    // `window` gets the caption and parents the boxes; `services` gives the save-name question.
    CQtDocumentHost(QWidget* window, const DocumentServices* services);

    void SetFrameTitle(const std::string& title) override;
    void ShowMessage(const std::string& caption, const std::string& htmlBody, int nButton) override;
    int AskFileName(bool bKombination, const std::string& extension, const std::string& presetName,
                    std::string& folder, std::string& name) override;
    void AddToRecentFileList(const std::string& path) override;
    // The child frame brings back the tab and pane it showed when the file was last closed.
    void ZeigeLetztenTab() override;
    // The report dialog (command 892) over the document, its securing sketches drawn by the document's
    // load-securing view.
    void OpenPrintDialog(CFahrzeug* pVorn, CFahrzeug* pAnhaenger, CQOR1Doc* pDoc) override;

private:
    QWidget* m_pWindow;
    const DocumentServices* m_pServices;
};
