#pragma once
// Window and command ids that the renderer gives the forms' windows. They are
// fixed by the design data alone, so a test driver in another process can
// find a control with GetDlgItem-style lookups and give a menu command as
// WM_COMMAND to the form's window (Wine does not let one process read
// another's menus).
//
//   control window id   = kFirstControlId + index of the control in Form::controls
//   main menu item id   = kFirstMainMenuId + pre-order index of the item in the
//                         main menu tree (the root not counted; submenu headers
//                         and separators are counted)
//   popup menu item id  = kFirstPopupMenuId + the same index in the popup tree
//
// Popup (tray) menu commands are routed by the form's window too, so the tray
// menu's items can be given to the main window as WM_COMMAND as well.
namespace kvz::platform::win32::ids {

inline constexpr int kFirstControlId = 1000;
inline constexpr int kFirstMainMenuId = 100;
inline constexpr int kFirstPopupMenuId = 200;

// The client's main window (window class "TRasDialerForm").
namespace main_window {
inline constexpr int PageControl1 = 1000;  // SysTabControl32
inline constexpr int TabSheet1 = 1001;     // "KvzTabSheet" panel, child of the tab control
inline constexpr int Label1 = 1002;
inline constexpr int Label3 = 1003;
inline constexpr int UserNameComboBox = 1004;  // EDIT
inline constexpr int Label4 = 1005;
inline constexpr int PasswordEdit = 1006;    // EDIT, ES_PASSWORD
inline constexpr int SavePWCheckBox = 1007;  // BUTTON, BS_AUTOCHECKBOX
inline constexpr int Button1 = 1008;         // BUTTON "申 请 帐 号"
inline constexpr int ConnectButton = 1009;   // BUTTON, BS_DEFPUSHBUTTON
inline constexpr int CancelButton = 1010;
inline constexpr int InfoListBox = 1011;        // LISTBOX
inline constexpr int EntryNameComboBox = 1012;  // EDIT, hidden
inline constexpr int TabSheet2 = 1013;
inline constexpr int WebBrowser2 = 1014;  // "AtlAxWin" (a blank STATIC when the control is missing)
inline constexpr int WebBrowser1 = 1015;

inline constexpr int MnuProperties = 100;  // "文件"
inline constexpr int N2 = 101;             // "设置连接"
inline constexpr int N4 = 102;             // separator
inline constexpr int N5 = 103;             // "退出"
inline constexpr int MnuOptions = 104;     // "选项"
inline constexpr int MnuConfigure = 105;   // "连接"
inline constexpr int TimeRestrictions1 = 106;  // "取消"
inline constexpr int MnuAbout = 107;       // "帮助"
inline constexpr int N3 = 108;             // "帮助"
inline constexpr int N1 = 109;             // "关于"

inline constexpr int mnuShowHide = 200;
inline constexpr int N9 = 201;
inline constexpr int N6 = 202;
inline constexpr int N8 = 203;  // separator
inline constexpr int mnuExit = 204;
}  // namespace main_window

// The about box (window class "TAboutForm").
namespace about_box {
inline constexpr int Image1 = 1000;  // STATIC, SS_ICON | SS_NOTIFY
inline constexpr int ProgNameLabel = 1001;
inline constexpr int Label2 = 1002;
inline constexpr int Label3 = 1003;
inline constexpr int Label1 = 1004;
inline constexpr int Label4 = 1005;
inline constexpr int Button1 = 1006;  // BUTTON "&Ok", BS_DEFPUSHBUTTON
}  // namespace about_box

}  // namespace kvz::platform::win32::ids
