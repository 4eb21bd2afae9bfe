// ViewRegistry: which Qt view shows which presenter. QtUiService::RunModal and ShowModeless look
// the presenter's dynamic type up here; views register themselves in RegisterAllViews
// (all_views.cpp), one line per window. A modal view runs its QDialog parented to
// QtUiService::BusyWindow(), and a modeless view its window, so that both stay with (and, for a
// modeless one, usable over) the window that opened them.
#pragma once

#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>

class QWidget;

#include "ui/ui_service.h"

namespace kz::qtui {

class QtUiService;
class PageView;

// A modeless view: owns its widget, shows it on creation, copies the presenter's state into it on
// Refresh, and closes it when destroyed.
class ModelessView {
 public:
  virtual ~ModelessView() = default;
  virtual void Refresh() = 0;
};

class ViewRegistry {
 public:
  using ModalFactory = std::function<ui::DialogResult(ui::Window&, QtUiService&)>;
  using ModelessFactory = std::function<std::unique_ptr<ModelessView>(ui::Window&, QtUiService&)>;
  // A page's widget, parented to (and so owned by) `parent`.
  using PageFactory = std::function<PageView*(ui::Window&, QtUiService&, QWidget* parent)>;

  template <typename Presenter>
  void AddModal(std::function<ui::DialogResult(Presenter&, QtUiService&)> run) {
    modal_[typeid(Presenter)] = [run](ui::Window& w, QtUiService& ui) {
      return run(static_cast<Presenter&>(w), ui);
    };
  }
  template <typename Presenter>
  void AddModeless(std::function<std::unique_ptr<ModelessView>(Presenter&, QtUiService&)> make) {
    modeless_[typeid(Presenter)] = [make](ui::Window& w, QtUiService& ui) {
      return make(static_cast<Presenter&>(w), ui);
    };
  }

  template <typename Presenter>
  void AddPage(std::function<PageView*(Presenter&, QtUiService&, QWidget*)> make) {
    page_[typeid(Presenter)] = [make](ui::Window& w, QtUiService& ui, QWidget* parent) {
      return make(static_cast<Presenter&>(w), ui, parent);
    };
  }

  // The factory for the presenter's dynamic type; null when none is registered.
  const ModalFactory* FindModal(const ui::Window& presenter) const;
  const ModelessFactory* FindModeless(const ui::Window& presenter) const;
  const PageFactory* FindPage(const ui::Window& presenter) const;

 private:
  std::unordered_map<std::type_index, ModalFactory> modal_;
  std::unordered_map<std::type_index, ModelessFactory> modeless_;
  std::unordered_map<std::type_index, PageFactory> page_;
};

// Registers every view of this build.
void RegisterAllViews(ViewRegistry& registry);

}  // namespace kz::qtui
