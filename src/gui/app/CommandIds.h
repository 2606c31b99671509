#pragma once

// Numeric command ids: menus, toolbars, keys and tests name commands by them.
namespace CommandIds {

// Panes; the id also shows and activates the pane.
inline constexpr int PaneDockStation = 199;
inline constexpr int PaneNavigation = 200;
inline constexpr int PaneSearchResults = 201;
inline constexpr int PaneMaterials = 202;
inline constexpr int PaneKnowledgeBase = 203;
inline constexpr int PaneRecycleBin = 204;
inline constexpr int PaneProperties = 205;
inline constexpr int PaneOpenMaterials = 206;
inline constexpr int PaneFileBrowser = 207;

// Category tree
inline constexpr int ShowItemMaterials = 750;
inline constexpr int SearchFromItem = 751;
inline constexpr int AddChildItem = 752;
inline constexpr int DeleteItem = 755;
inline constexpr int RenameItem = 757;
inline constexpr int CutItem = 758;
inline constexpr int PasteItem = 759;
inline constexpr int MoveItemUp = 760;
inline constexpr int MoveItemDown = 761;
inline constexpr int CutItemMaterials = 775;
inline constexpr int AddRootItem = 32855;

// Recycle bin
inline constexpr int RestoreRecycled = 32851;
inline constexpr int ClearRecycled = 32852;

inline constexpr int Help = 174;
inline constexpr int Save = 32775;
inline constexpr int SaveAll = 32776;
inline constexpr int CloseAllPages = 32821;
inline constexpr int CloseWebWindows = 32901;
inline constexpr int CloseNonWebWindows = 32902;
inline constexpr int CloseAllButActive = 32903;
inline constexpr int CloseOtherKinds = 32904;
inline constexpr int CloseActiveKind = 32905;
inline constexpr int CloseActive = 32906;
inline constexpr int Exit = 57665;

} // namespace CommandIds
