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

// Material list
inline constexpr int OpenMaterial = 32804;
inline constexpr int NewMaterial = 32805;
inline constexpr int AddDescriptionFile = 38802;
inline constexpr int RemoveDescriptionFile = 38803;
inline constexpr int DockMaterial = 32806;
inline constexpr int CutMaterial = 32807;
inline constexpr int DeleteMaterial = 32808;
inline constexpr int ClearMaterialList = 32813;

// Material list filter and pages
inline constexpr int ApplyFilter = 12923;
inline constexpr int FilterAllTypes = 22908;
inline constexpr int FilterWebPages = 22910;
inline constexpr int FilterOtherTypes = 22911;
inline constexpr int FilterNoTime = 22915;
inline constexpr int FilterSinceYesterday = 22912;
inline constexpr int FilterSinceThreeDays = 22913;
inline constexpr int FilterSinceAWeek = 22914;
inline constexpr int FilterSinceAMonth = 22916;
inline constexpr int FilterSinceThreeMonths = 22917;
inline constexpr int FilterSinceHalfAYear = 22918;
inline constexpr int FilterSinceAYear = 22919;
inline constexpr int FilterCustomTime = 22921;
inline constexpr int PreviousPage = 22922;
inline constexpr int NextPage = 22923;

inline constexpr int Help = 174;
// The window's arrangement and look
inline constexpr int FullScreen = 139;
inline constexpr int AutoHideAllPanes = 32818;
inline constexpr int MoreWindows = 32822;
inline constexpr int Customize = 35001;
inline constexpr int PaintTheme2002 = 32787;
inline constexpr int PaintTheme2005 = 32788;
inline constexpr int SkinVistaBlue = 32789;
inline constexpr int SkinVistaBlank = 32790;
inline constexpr int SkinSystem = 32791;
inline constexpr int ClassicLayout1 = 32939; // to 32943, the fifth
inline constexpr int ClassicLayout5 = 32943;
inline constexpr int TaskPanel = 35002; // shows the task panel; an id of our own
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

// Material text editor
inline constexpr int Tabify = 13010;
inline constexpr int Untabify = 13011;
inline constexpr int UpperCase = 13013;
inline constexpr int LowerCase = 13014;
inline constexpr int FindWord = 32801;
inline constexpr int Find = 57636;    // the find and replace dialog, also of the rich-text editor
inline constexpr int Replace = 57637; // the same dialog, for replacing
inline constexpr int EditSyntaxScheme = 165;
inline constexpr int GoToLine = 32812;
inline constexpr int ShowWhiteSpace = 32819;
inline constexpr int FoldAll = 32820;
inline constexpr int UnfoldAll = 32824;
inline constexpr int ToggleLineMarker = 32825;
inline constexpr int ToggleBookmark = 32826;
inline constexpr int NextBookmark = 32827;
inline constexpr int PreviousBookmark = 32828;
inline constexpr int IndicatorRowCol = 32829; // status bar "ROWCOL", not a command
inline constexpr int Print = 57607;
inline constexpr int PrintPreview = 57609;

// Rich-text editor and its format bar
inline constexpr int FontName = 802;
inline constexpr int FontSize = 803;
inline constexpr int CharBold = 804;
inline constexpr int CharItalic = 805;
inline constexpr int CharUnderline = 806;
inline constexpr int AlignLeft = 807;
inline constexpr int AlignCenter = 808;
inline constexpr int AlignRight = 809;
inline constexpr int Bullets = 810;
inline constexpr int InsertDate = 811;
inline constexpr int FontColour = 812;
inline constexpr int ColourPicker = 3001;
inline constexpr int AutomaticColour = 9948;
inline constexpr int MoreColours = 9949;

// Currently open materials
inline constexpr int FocusOpenMaterial = 32830;
inline constexpr int CloseOpenMaterial = 32831;
inline constexpr int DockOpenMaterial = 32832;
inline constexpr int DeleteOpenMaterial = 32833;
inline constexpr int CutOpenMaterial = 32850;

// Dock station
inline constexpr int OpenDocked = 32834;
inline constexpr int RemoveDocked = 32835;

// Properties pane toolbar; ids of our own, clear of every other command
inline constexpr int SaveProperties = 32870;
inline constexpr int DeleteKeyword = 32871;

inline constexpr int AddKeyword = 32872;

// Search
inline constexpr int KbSearch = 32823;
inline constexpr int StopKbSearch = 32853;
inline constexpr int OpenSearchResult = 32945;
inline constexpr int DockSearchResult = 32946;
inline constexpr int SearchResultToMaterials = 32947;

// Kept web addresses (the navigation pane)
inline constexpr int OpenUrl = 780;
inline constexpr int NewUrl = 781;
inline constexpr int CutUrl = 782;
inline constexpr int PasteUrl = 783;
inline constexpr int DeleteUrl = 784;
inline constexpr int ModifyUrl = 785;
inline constexpr int NewUrlGroup = 786;
inline constexpr int DeleteUrlGroup = 787;
inline constexpr int RenameUrlGroup = 788;
inline constexpr int SavePageIntoUrlGroup = 1342;

// File browser pane: its toolbar and the view menu of its file list
inline constexpr int FolderUp = 187;
inline constexpr int RefreshFolder = 136;
inline constexpr int PasteFiles = 191;
inline constexpr int OpenFolderInFileManager = 196;
inline constexpr int NextFileView = 194;
inline constexpr int ViewLargeIcons = 59409;
inline constexpr int ViewSmallIcons = 59408;
inline constexpr int ViewList = 59410;
inline constexpr int ViewDetails = 59411;
inline constexpr int ArrangeIcons = 59412;
inline constexpr int StopPaste = 35003; // an id of our own

// Knowledge-base sets
inline constexpr int NewBlankBase = 32836;
inline constexpr int SystemSettings = 32839;
inline constexpr int NewBaseFromFile = 32937;
inline constexpr int ExportBaseTree = 32938;

// Web browsing: the main window's browser commands and the web window's
inline constexpr int AddressBox = 700; // the address box itself, not a command
inline constexpr int HomeInNewWindow = 105;
inline constexpr int BlankPage = 223;
inline constexpr int CurrentPageInNewWindow = 32881;
inline constexpr int GoToAddress = 38900;
inline constexpr int NewWebPage = 38901;
inline constexpr int WebBack = 38902;
inline constexpr int WebForward = 38903;
inline constexpr int WebStop = 38904;
inline constexpr int WebRefresh = 38905;
inline constexpr int WebHome = 38906;
inline constexpr int SavePageAs = 32883;
inline constexpr int TextSizeLargest = 32884; // to 32888, the smallest
inline constexpr int TextSizeSmallest = 32888;
inline constexpr int InternetOptions = 32907;
inline constexpr int WebFavorites = 38908;
inline constexpr int WebHistory = 38909;

// The web preview of a material's pages
inline constexpr int SwitchToWebPreview = 38801;
inline constexpr int SwitchToNormalPreview = 33300;
inline constexpr int FirstMaterialPage = 38794;
inline constexpr int RefreshMaterialPages = 38797;
inline constexpr int PreviousMaterialPage = 38798;
inline constexpr int NextMaterialPage = 38799;
inline constexpr int MaterialPageBox = 38800; // the page drop-down, not a command

// Capture of web pages into the knowledge base, and the formats on the
// drop-down menus of the two commands
inline constexpr int AutoSavePage = 950;
inline constexpr int SavePageIntoBase = 951;
inline constexpr int AutoSaveCompletePage = 32959;
inline constexpr int AutoSaveSingleFile = 32960;
inline constexpr int AutoSaveHtmlOnly = 32961;
inline constexpr int IntoBaseCompletePage = 32962;
inline constexpr int IntoBaseSingleFile = 32963;
inline constexpr int IntoBaseHtmlOnly = 32964;

// The commands that change the open base's catalogue or material folders.
inline constexpr int kBaseWriting[] = {
    AddRootItem,        AddChildItem,          RenameItem,     DeleteItem,
    MoveItemUp,         MoveItemDown,          CutItem,        CutItemMaterials,
    PasteItem,          RestoreRecycled,       ClearRecycled,  NewMaterial,
    AddDescriptionFile, RemoveDescriptionFile, CutMaterial,    DeleteMaterial,
    DeleteOpenMaterial, CutOpenMaterial,       SaveProperties, DeleteKeyword,
    AddKeyword,         SavePageIntoBase,
};

} // namespace CommandIds
