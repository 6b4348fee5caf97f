#pragma once
#include <functional>
#include <string>
#include <vector>

namespace kvz::ui {

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
};

enum class ControlKind { Label, Edit, Button, CheckBox, ListBox, PageControl, TabSheet, WebBrowser, Image };

struct FontSpec {
  std::string face;      // empty: the window's default font
  int pixelHeight = 0;   // 0: the default size
  bool bold = false;
  bool gb2312Charset = false;
};

class Control;

// What a property change tells the renderer.
enum class Change { Caption, Enabled, Visible, Checked, LinesCleared, LineAdded, Navigate, ActivePage };

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void ControlChanged(Control& control, Change change) = 0;
};

// One control of a form: its design data and its live state. The renderer
// reads the design data once and follows the live state through the observer.
class Control {
 public:
  Control(std::string name, ControlKind kind, Bounds bounds, Control* parent = nullptr)
      : name_(std::move(name)), kind_(kind), bounds_(bounds), parent_(parent) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  // A width of 0 sizes a label to its text.
  const Bounds& bounds() const { return bounds_; }
  Control* parent() const { return parent_; }

  // Caption of a label, button, check box or tab; text of an edit box.
  const std::string& caption() const { return caption_; }
  void SetCaption(const std::string& text);
  // The user typed: the window already shows it, so nobody is told.
  void SetCaptionFromUser(const std::string& text) { caption_ = text; }

  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool visible() const { return visible_; }
  void SetVisible(bool visible);
  bool checked() const { return checked_; }
  void SetChecked(bool checked);
  void SetCheckedFromUser(bool checked) { checked_ = checked; }

  // List box lines. Adding a line repaints the list at once.
  const std::vector<std::string>& lines() const { return lines_; }
  void ClearLines();
  void AddLine(const std::string& line);

  // Web browser: the last address it was told to show, and how often.
  const std::string& url() const { return url_; }
  int navigations() const { return navigations_; }
  void Navigate(const std::string& url);

  // Page control: the index of the page shown.
  int activePage() const { return activePage_; }
  void SetActivePage(int index);

  // Design settings, fixed before the window is created.
  int maxLength = 0;           // edit: typing limit (0 none)
  bool password = false;       // edit: shows '*'
  bool isDefault = false;      // button: Enter presses it
  bool textLeftOfBox = false;  // check box: text on the left
  int tabOrder = -1;           // within its parent; -1 not a tab stop
  int imageIndex = -1;         // tab sheet: picture of its tab
  int itemHeight = 0;          // list box line height
  bool tabsOnLeft = false;     // page control
  bool multiLineTabs = false;  // page control
  std::string imageList;       // page control: resource name of the tab pictures
  std::string imageResource;   // image: resource name of the picture
  FontSpec font;

  std::function<void()> onClick;
  std::function<void()> onDoubleClick;
  std::function<void()> onShow;  // tab sheet shown

  void SetObserver(ControlObserver* observer) { observer_ = observer; }

 private:
  void Notify(Change change) {
    if (observer_) observer_->ControlChanged(*this, change);
  }

  std::string name_;
  ControlKind kind_;
  Bounds bounds_;
  Control* parent_;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  std::vector<std::string> lines_;
  std::string url_;
  int navigations_ = 0;
  int activePage_ = 0;
  ControlObserver* observer_ = nullptr;
};

}  // namespace kvz::ui
