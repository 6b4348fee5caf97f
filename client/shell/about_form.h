#pragma once
#include "client/shell/auto_form.h"

namespace kvz::client {

// The modal about box of the "关于" item.
class TAboutForm : public TAutoForm {
 public:
  explicit TAboutForm(ClientServices& services);

  void FormShow() override;
  void Image1DblClick();
  void Button1Click();

  ui::Control& Image1;
  ui::Control& ProgNameLabel;
  ui::Control& Label2;
  ui::Control& Label3;
  ui::Control& Label1;
  ui::Control& Label4;
  ui::Control& Button1;

 private:
  void SetLabelsVisible(bool visible);
};

}  // namespace kvz::client
