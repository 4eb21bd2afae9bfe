#include "ui/qt/view_registry.h"

namespace kz::qtui {

const ViewRegistry::ModalFactory* ViewRegistry::FindModal(const ui::Window& presenter) const {
  const auto it = modal_.find(typeid(presenter));
  return it == modal_.end() ? nullptr : &it->second;
}

const ViewRegistry::ModelessFactory* ViewRegistry::FindModeless(const ui::Window& presenter) const {
  const auto it = modeless_.find(typeid(presenter));
  return it == modeless_.end() ? nullptr : &it->second;
}

const ViewRegistry::PageFactory* ViewRegistry::FindPage(const ui::Window& presenter) const {
  const auto it = page_.find(typeid(presenter));
  return it == page_.end() ? nullptr : &it->second;
}

}  // namespace kz::qtui
