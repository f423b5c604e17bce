// Makes the file-tree classes known to dialog templates by their class names.
#include "catalogue/FileTreeTemplates.h"

#include "catalogue/CFileTreeCtrlFilter.h"
#include "catalogue/CFileTreeCtrlLg.h"
#include "ui/DialogTemplateLoader.h"

namespace FileTreeTemplates {

quint32 Registered(quint32 templateId)
{
    static const bool registered = [] {
        CFileTreeCtrl::RegisterTemplateClass();
        DialogTemplateLoader::RegisterClass(QStringLiteral("CFileTreeCtrlQor"),
                                            [](QWidget* parent) { return new CFileTreeCtrlQor(parent); });
        DialogTemplateLoader::RegisterClass(QStringLiteral("CFileTreeCtrlLg"),
                                            [](QWidget* parent) { return new CFileTreeCtrlLg(parent); });
        DialogTemplateLoader::RegisterClass(QStringLiteral("CFileTreeCtrlMM"),
                                            [](QWidget* parent) { return new CFileTreeCtrlMM(parent); });
        DialogTemplateLoader::RegisterClass(QStringLiteral("CFileTreeCtrlFilter"),
                                            [](QWidget* parent) { return new CFileTreeCtrlFilter(parent); });
        return true;
    }();
    (void)registered;
    return templateId;
}

} // namespace FileTreeTemplates
