#include "client/shell/rasdialer_form.h"

#include "client/shell/about_form.h"
#include "client/settings/settings_keys.h"
#include "client/shell/endpoints.h"
#include "client/shell/tray_pictures.h"
#include "platform/types.h"

namespace kvz::client {

using ui::Bounds;
using ui::ControlKind;

platform::WindowHandle TRasDialerForm::NotifyWindow = 0;
platform::IApplication* TRasDialerForm::NotifyPoster = nullptr;

TRasDialerForm::TRasDialerForm(ClientServices& services)
    : TAutoForm(services),
      PageControl1(AddControl("PageControl1", ControlKind::PageControl, {0, 0, 257, 281})),
      TabSheet1(AddControl("TabSheet1", ControlKind::TabSheet, {}, &PageControl1)),
      Label1(AddControl("Label1", ControlKind::Label, {22, 5, 179, 12}, &TabSheet1,
                        "Tovan加速 网络用户登陆")),
      Label3(AddControl("Label3", ControlKind::Label, {22, 26, 54, 13}, &TabSheet1, "用 户 名：")),
      UserNameComboBox(
          AddControl("UserNameComboBox", ControlKind::Edit, {80, 24, 121, 21}, &TabSheet1)),
      Label4(AddControl("Label4", ControlKind::Label, {22, 58, 54, 13}, &TabSheet1,
                        "密      码：")),
      PasswordEdit(AddControl("PasswordEdit", ControlKind::Edit, {80, 56, 121, 21}, &TabSheet1,
                              "Password")),
      SavePWCheckBox(AddControl("SavePWCheckBox", ControlKind::CheckBox, {22, 88, 79, 17},
                                &TabSheet1, "保 存 密 码")),
      Button1(AddControl("Button1", ControlKind::Button, {24, 112, 81, 17}, &TabSheet1,
                         "申 请 帐 号")),
      ConnectButton(AddControl("ConnectButton", ControlKind::Button, {112, 96, 41, 33}, &TabSheet1,
                               "连  接")),
      CancelButton(AddControl("CancelButton", ControlKind::Button, {160, 96, 41, 33}, &TabSheet1,
                              "取 消")),
      InfoListBox(AddControl("InfoListBox", ControlKind::ListBox, {8, 136, 217, 137}, &TabSheet1)),
      EntryNameComboBox(AddControl("EntryNameComboBox", ControlKind::Edit, {0, 136, 225, 21},
                                   &TabSheet1, endpoints::kEntryName)),
      TabSheet2(AddControl("TabSheet2", ControlKind::TabSheet, {}, &PageControl1)),
      WebBrowser2(AddControl("WebBrowser2", ControlKind::WebBrowser, {0, 0, 225, 281}, &TabSheet2)),
      WebBrowser1(AddControl("WebBrowser1", ControlKind::WebBrowser, {0, 280, 257, 81})),
      TrayIcon1(*(trayIcon = std::make_unique<ui::TrayIcon>(
                      services.app,
                      std::vector<std::string>{kTrayPictures.begin(), kTrayPictures.end()}, 2,
                      "未连接"))) {
  windowClass = "TRasDialerForm";
  SetCaption("=");
  outer = {383, 187, 268, 407};
  minWidth = 263;
  minHeight = 396;
  border = ui::BorderStyle::Sizeable;
  maximizeButton = false;
  iconResource = "MAINICON";

  PageControl1.tabsOnLeft = true;
  PageControl1.multiLineTabs = true;
  PageControl1.imageList = "PANELIMAGE";
  TabSheet1.imageIndex = 0;
  TabSheet2.imageIndex = 1;
  TabSheet2.onShow = [this] { TabSheet2Show(); };

  Label1.font.pixelHeight = 12;
  Label1.font.gb2312Charset = true;
  UserNameComboBox.maxLength = 15;
  PasswordEdit.maxLength = 20;
  PasswordEdit.password = true;
  SavePWCheckBox.textLeftOfBox = true;
  ConnectButton.isDefault = true;
  InfoListBox.itemHeight = 13;
  EntryNameComboBox.SetVisible(false);

  // Tab order of the login page.
  int order = 0;
  for (ui::Control* c : {&SavePWCheckBox, &InfoListBox, &ConnectButton, &UserNameComboBox,
                         &CancelButton, &PasswordEdit, &EntryNameComboBox, &Button1}) {
    c->tabOrder = order++;
  }

  ConnectButton.onClick = [this] { ConnectButtonClick(); };
  CancelButton.onClick = [this] { CancelButtonClick(); };
  Button1.onClick = [this] { Button1Click(); };

  BuildMenus();
  TrayIcon1.popupMenu = popupMenu.get();
  TrayIcon1.onMinimize = [this] { TrayIcon1Minimize(); };
  TrayIcon1.onRestore = [this] { TrayIcon1Restore(); };
}

void TRasDialerForm::BuildMenus() {
  mainMenu = std::make_unique<ui::MenuItem>("MainMenu1", "");
  ui::MenuItem& file = mainMenu->Add("MnuProperties", "文件");
  N2 = &file.Add("N2", "设置连接", [this] { N2Click(); });
  file.AddSeparator("N4");
  N5 = &file.Add("N5", "退出", [this] { N5Click(); });
  ui::MenuItem& options = mainMenu->Add("MnuOptions", "选项");
  MnuConfigure = &options.Add("MnuConfigure", "连接", [this] { MnuConfigureClick(); });
  TimeRestrictions1 =
      &options.Add("TimeRestrictions1", "取消", [this] { TimeRestrictions1Click(); });
  ui::MenuItem& help = mainMenu->Add("MnuAbout", "帮助");
  N3 = &help.Add("N3", "帮助");  // bound to nothing
  N1 = &help.Add("N1", "关于", [this] { MnuAboutClick(); });

  popupMenu = std::make_unique<ui::MenuItem>("PopupMenuTray", "");
  mnuShowHide = &popupMenu->Add("mnuShowHide", "隐藏主窗口", [this] { mnuShowHideClick(); });
  N9 = &popupMenu->Add("N9", "连接", [this] { MnuConnectClick(); });
  N6 = &popupMenu->Add("N6", "取消", [this] { MnuCancelClick(); });
  popupMenu->AddSeparator("N8");
  mnuExit = &popupMenu->Add("mnuExit", "退出", [this] { mnuExitClick(); });
}

void TRasDialerForm::FormShow() {
  FNetworkUnset = 0;
  SetCaption("Tovan网络加速登陆器");
  RestoreLoginFields();
  ConnectButton.SetEnabled(true);
  EnumerateConnections();
  CheckExistingConnection();
  WebBrowser1.Navigate(std::string("http://") + endpoints::kNewsHost + endpoints::kNewsPath);
}

void TRasDialerForm::ConnectButtonClick() {
  CancelButton.SetEnabled(true);
  StartConnect();
}

void TRasDialerForm::CancelButtonClick() { CancelConnect(); }

std::string TRasDialerForm::WebServerUrl(const char* path) const {
  const char* host =
      FNetworkType == settings::kNetcomNetwork ? endpoints::kNetcomWebServer : endpoints::kMainWebServer;
  return std::string("http://") + host + ":" + std::to_string(endpoints::kWebServerPort) + path;
}

void TRasDialerForm::OpenInBrowser(const std::string& url) {
  services_.shell.Execute(services_.app.ApplicationWindow(), "Open", url, std::nullopt, "",
                          platform::kSwShowNormal);
}

void TRasDialerForm::Button1Click() { OpenInBrowser(WebServerUrl(endpoints::kAccountPath)); }

void TRasDialerForm::TabSheet2Show() {
  if (FRasConn != 0) {
    WebBrowser2.Navigate(std::string("http://") + endpoints::kMediaHost + endpoints::kMediaPath);
  } else {
    WebBrowser2.Navigate(FAppDir + "\\html\\noLogin.html");
  }
}

void TRasDialerForm::N2Click() { OpenNetworkSetup(); }
void TRasDialerForm::N5Click() { Close(); }
void TRasDialerForm::MnuConfigureClick() { StartConnect(); }
void TRasDialerForm::TimeRestrictions1Click() { CancelConnect(); }
void TRasDialerForm::MnuConnectClick() { StartConnect(); }
void TRasDialerForm::MnuCancelClick() { CancelConnect(); }
void TRasDialerForm::mnuExitClick() { services_.app.Terminate(); }

void TRasDialerForm::MnuAboutClick() {
  if (aboutForm_) aboutForm_->ShowModal();
}

void TRasDialerForm::mnuShowHideClick() {
  if (services_.app.IsMinimized()) {
    TrayIcon1.Restore();
  } else {
    TrayIcon1.Minimize();
  }
}

void TRasDialerForm::TrayIcon1Minimize() { mnuShowHide->SetCaption("显示主窗口"); }
void TRasDialerForm::TrayIcon1Restore() { mnuShowHide->SetCaption("隐藏主窗口"); }

// While the tray icon is shown, a minimised client always sits in the tray.
void TRasDialerForm::MinimizeCommand() { TrayIcon1.Minimize(); }

}  // namespace kvz::client
