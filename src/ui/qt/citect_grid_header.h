// CitectGridHeader: the trend tag grid's column heading in two rows: a band of group labels
// ("Citect", "KALDEN"), each written once across the columns it spans, above the column titles,
// which wrap and are centred, the sort column's title with the presenter's sort arrow. Reads
// titles and group labels from the model's header data; holds no state of its own beyond the
// arrow it was last told to show.
#pragma once

#include <QHeaderView>
#include <functional>

namespace kz::qtui {

class CitectGridHeader : public QHeaderView {
 public:
  explicit CitectGridHeader(QWidget* parent);

  // The arrow on `section`'s title: up while ascending, down while descending; -1 for none.
  void SetSortArrow(int section, bool ascending);
  int sort_section() const { return sort_section_; }
  bool sort_ascending() const { return sort_ascending_; }

  // A click released on a column title (not on the group band): `section`.
  std::function<void(int section)> on_title_click;

  QSize sizeHint() const override;

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int BandHeight() const;
  int TitleHeight() const;
  QString GroupOf(int section) const;

  int sort_section_ = -1;
  bool sort_ascending_ = true;
  bool pressed_on_band_ = false;
};

}  // namespace kz::qtui
