// GeneralPageView: what the views of both General pages share: the "Client connection mode:",
// "Clock adjustments:" and "Log files:" groups, bound to an editor::CCfgGeneralPage (borrowed; it
// outlives the view). The page views build these groups where their layout puts them, add their
// own controls, and extend ShowState, Collect and ControlWidget for them.
#pragma once

#include <functional>
#include <string>

#include "ui/qt/page_view.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QRadioButton;

namespace kz::editor {
class CCfgGeneralPage;
}

namespace kz::qtui {

class GeneralPageView : public PageView {
 public:
  // Shows the presenter's state, then moves the focus where its last handler pointed.
  void Refresh() final;
  void Collect() override;

 protected:
  GeneralPageView(editor::CCfgGeneralPage& page, QWidget* parent);

  // Each group once, in the order the page shows them (that is the tab order).
  QGroupBox* BuildModeGroup();
  QGroupBox* BuildClockGroup();
  QGroupBox* BuildLogGroup();

  // Copies the presenter's state into the widgets; page views add their own controls.
  virtual void ShowState();
  // Copies the widgets into the presenter, runs one of its handlers and shows the outcome.
  void Forward(const std::function<void()>& handler);
  // The widget of one of the presenter's controls (CCfgGeneralPage::Control), to focus it.
  virtual QWidget* ControlWidget(int control) const;

  // A "..." button that opens the folder browser titled `title`.
  static QToolButton* BrowseButton(const char* title, QWidget* parent);
  // An edit with a "..." button beside it, in one row, for the form row of `label` (whose buddy
  // the edit becomes).
  static QWidget* WithBrowseButton(QLabel* label, QLineEdit* edit, QToolButton* button);
  // Sets a text only when it differs, so that typing keeps its cursor.
  static void ShowText(QLineEdit* edit, const std::string& text);

 private:
  editor::CCfgGeneralPage& page_;
  QButtonGroup* mode_group_ = nullptr;
  QRadioButton* mode_buttons_[2] = {};
  QCheckBox* set_clock_ = nullptr;
  QLineEdit* tolerance_ = nullptr;
  QLabel* seconds_ = nullptr;
  QComboBox* time_format_ = nullptr;
  QCheckBox* enable_log_ = nullptr;
  QLabel* log_dir_label_ = nullptr;
  QLineEdit* log_dir_ = nullptr;
  QToolButton* log_browse_ = nullptr;
};

}  // namespace kz::qtui
