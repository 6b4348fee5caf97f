#include "client/shell/about_form.h"

namespace kvz::client {

using ui::ControlKind;

namespace {
ui::FontSpec LabelFont() {
  ui::FontSpec font;
  font.face = "MS Sans Serif";
  font.pixelHeight = 13;
  font.bold = true;
  return font;
}
}  // namespace

// Label3 has no place in the box's design; it exists so the show and hide
// steps can name all five labels, and it stays empty.
TAboutForm::TAboutForm(ClientServices& services)
    : TAutoForm(services),
      Image1(AddControl("Image1", ControlKind::Image, {16, 16, 32, 32})),
      ProgNameLabel(AddControl("ProgNameLabel", ControlKind::Label, {72, 16, 0, 16})),
      Label2(AddControl("Label2", ControlKind::Label, {72, 37, 172, 16}, nullptr,
                        "Tovan网络加速客户端")),
      Label3(AddControl("Label3", ControlKind::Label, {72, 58, 0, 16})),
      Label1(AddControl("Label1", ControlKind::Label, {72, 80, 152, 16}, nullptr,
                        "版本 1.0")),
      Label4(AddControl("Label4", ControlKind::Label, {72, 104, 183, 16}, nullptr,
                        "Tovan网络 版权所有")),
      Button1(AddControl("Button1", ControlKind::Button, {232, 128, 57, 21}, nullptr, "&Ok")) {
  windowClass = "TAboutForm";
  SetCaption("About");
  // Client area 296 x 152 at 208, 110; the renderer turns it into the outer size.
  outer = {208, 110, 296, 152};
  clientSized = true;
  border = ui::BorderStyle::Dialog;
  systemMenu = false;
  minimizeButton = false;
  maximizeButton = false;
  closeButton = false;
  Image1.imageResource = "ABOUTICON";
  for (ui::Control* label : {&ProgNameLabel, &Label2, &Label3, &Label1, &Label4}) {
    label->font = LabelFont();
  }
  Button1.isDefault = true;
  Image1.onDoubleClick = [this] { Image1DblClick(); };
  Button1.onClick = [this] { Button1Click(); };
}

void TAboutForm::SetLabelsVisible(bool visible) {
  for (ui::Control* label : {&ProgNameLabel, &Label1, &Label2, &Label3, &Label4}) {
    label->SetVisible(visible);
  }
}

void TAboutForm::FormShow() {
  ProgNameLabel.SetCaption("DORudava V1.0");
  SetLabelsVisible(true);
}

void TAboutForm::Image1DblClick() {
  if (services_.app.IsAltKeyDown()) SetLabelsVisible(false);
}

void TAboutForm::Button1Click() { Close(); }

}  // namespace kvz::client
