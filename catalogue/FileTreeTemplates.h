// Makes the file-tree classes known to dialog templates by their class names.
#pragma once

#include <QtGlobal>

namespace FileTreeTemplates {

// Registers "CFileTreeCtrl", "CFileTreeCtrlQor", "CFileTreeCtrlLg", "CFileTreeCtrlMM" and
// "CFileTreeCtrlFilter" once; answers `templateId` so that a dialog can call it before its base loads
// the template.
quint32 Registered(quint32 templateId);

} // namespace FileTreeTemplates
