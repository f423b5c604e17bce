// The document commands' file dialogs: opening, naming and combining vehicles in the program's own
// catalogue dialogs, exporting and importing.
#include "app/ProgramFileDialogs.h"

#include "catalogue/CDlgFileAction2.h"
#include "catalogue/CDlgKombiNeu.h"
#include "catalogue/VehicleFolders.h"
#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "reports/CDlgExport.h"
#include "reports/CDlgImport.h"

void ProgramFileDialogs::Install(DocumentServices& services, const QString& userRoot)
{
    const VehicleFolders folders = VehicleFolders::Below(userRoot);
    services.open = [folders](QWidget* parent, DocumentServices::OpenChoice& choice) {
        CDlgFileAction2 dialog(CDlgFileAction2::kChoose, false, folders, parent);
        if (dialog.exec() != CDlgBase::kIdOk || dialog.ChosenFile().isEmpty())
            return false;
        choice.path = dialog.ChosenFile();
        // A vehicle is opened on its own; a combination with its partner, its file's second entry.
        choice.bSingle = !dialog.IsKombination();
        choice.bPartner = dialog.IsKombination();
        return true;
    };
    services.askSaveName = [folders](QWidget* parent, bool bKombination, const QString& preset,
                                     QString& folder, QString& name) {
        CDlgFileAction2 dialog(CDlgFileAction2::kNewName, bKombination, folders, parent);
        dialog.SetName(preset);
        if (dialog.exec() != CDlgBase::kIdOk || dialog.NewPath().isEmpty())
            return false;
        folder = dialog.TargetFolder();
        name = dialog.Name();
        return true;
    };
    services.newKombination = [folders](QWidget* parent, DocumentServices::KombiChoice& choice) {
        CDlgKombiNeu dialog(folders, parent);
        if (dialog.exec() != CDlgBase::kIdOk)
            return false;
        choice.zugPath = dialog.ZugPath();
        choice.anhaengerPath = dialog.AnhaengerPath();
        choice.newPath = dialog.NewPath();
        choice.dKupplungMm = dialog.Integer();
        return true;
    };
    // Export of the open vehicle's file as an exchange file; import from mail, files and older versions.
    services.exportDoc = [](QWidget* parent, CQOR1Doc* doc) {
        if (!doc || doc->GetPathName().empty())
            return;
        CDlgExport dialog(QStringList{QString::fromStdString(doc->GetPathName())},
                          QString::fromStdString(GetProgramFolders().pictures.string()), parent);
        dialog.exec();
    };
    const QString dataFolder = userRoot;
    services.importFile = [dataFolder](QWidget* parent, const QString& pendingPath) {
        CDlgImport dialog(dataFolder, pendingPath, parent);
        dialog.exec();
    };
}
