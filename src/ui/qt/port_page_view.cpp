#include "ui/qt/port_page_view.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>

#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

// A list whose Enter acts on the current line and goes no further: the sheet's default button
// would otherwise take it too.
class PortList : public QListWidget {
 public:
  std::function<void()> on_enter;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
      event->accept();
      on_enter();
      return;
    }
    QListWidget::keyPressEvent(event);
  }
};

}  // namespace

PortPageView::PortPageView(editor::CPortPage& page, const QString& label, QWidget* parent)
    : PageView(parent), page_(page) {
  auto* list = new PortList;
  list_ = list;
  auto* caption = new QLabel(label);
  caption->setBuddy(list_);
  list_->setAccessibleName(caption->text().remove(QLatin1Char('&')));
  add_ = new QPushButton(tr("&Add..."));
  configure_ = new QPushButton(tr("&Configure..."));
  remove_ = new QPushButton(tr("&Remove"));

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(configure_);
  buttons->addStretch();
  buttons->addWidget(remove_);  // apart from the others: it destroys
  auto* row = new QHBoxLayout;
  row->addWidget(list_, 1);
  row->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addLayout(row, 1);
  setTabOrder(list_, add_);
  setTabOrder(add_, configure_);
  setTabOrder(configure_, remove_);

  list->on_enter = [this] { Run(&editor::CPortPage::OnDblClk); };
  connect(list_, &QListWidget::itemDoubleClicked, this,
          [this] { Run(&editor::CPortPage::OnDblClk); });
  connect(add_, &QPushButton::clicked, this, [this] { Run(&editor::CPortPage::OnAdd); });
  connect(configure_, &QPushButton::clicked, this,
          [this] { Run(&editor::CPortPage::OnConfigure); });
  connect(remove_, &QPushButton::clicked, this, [this] { Run(&editor::CPortPage::OnRemove); });
}

void PortPageView::Refresh() {
  const QSignalBlocker blocker(list_);
  list_->clear();
  for (const editor::PortLine& line : page_.m_lines) list_->addItem(ToQString(line.text));
  if (page_.m_nSelected >= 0 && page_.m_nSelected < list_->count()) {
    list_->setCurrentRow(page_.m_nSelected);
  } else {
    list_->setCurrentRow(-1);
  }
  if (QWidget* focus = Control(page_.focus())) focus->setFocus();
  page_.ClearFocus();
}

void PortPageView::Collect() {
  const QListWidgetItem* current = list_->currentItem();
  page_.m_nSelected = current && current->isSelected() ? list_->currentRow() : -1;
}

void PortPageView::Run(void (editor::CPortPage::*handler)()) {
  Collect();
  (page_.*handler)();
  Refresh();
}

QWidget* PortPageView::Control(int control) const {
  switch (control) {
    case editor::CPortPage::kPortList:
      return list_;
    case editor::CPortPage::kAddButton:
      return add_;
    case editor::CPortPage::kRemoveButton:
      return remove_;
    case editor::CPortPage::kConfigureButton:
      return configure_;
    default:
      return nullptr;
  }
}

}  // namespace kz::qtui
