// The template view's commands by their number in its menu, its strips and the ribbon.
#pragma once

namespace VorlageBefehle {

inline constexpr int kCmdBemerkung = 321;
inline constexpr int kCmdKupplungsversatz = 343;
inline constexpr int kCmdWert17 = 344;
inline constexpr int kCmdResetWert17 = 345;
inline constexpr int kCmdZLMasse = 369;
inline constexpr int kCmdHilfe = 827;
inline constexpr int kCmdEditZL = 32846;
inline constexpr int kCmdDeleteZL = 32847;
inline constexpr int kCmdMoveZL = 32848;
inline constexpr int kCmdPlanFlag = 32873;
inline constexpr int kCmdNutzbareLF = 32950;
inline constexpr int kCmdWert19 = 32964;
inline constexpr int kCmdLastDlg = 32978;
inline constexpr int kCmdAchseEntfernen = 33130;
inline constexpr int kCmdDiagramm = 33255;

} // namespace VorlageBefehle
