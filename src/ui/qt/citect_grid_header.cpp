#include "ui/qt/citect_grid_header.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "ui/qt/citect_tag_grid_model.h"

namespace kz::qtui {

namespace {

constexpr int kTitleFlags = Qt::AlignCenter | Qt::TextWordWrap;

}  // namespace

CitectGridHeader::CitectGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setDefaultAlignment(Qt::Alignment(kTitleFlags));
  setSectionsClickable(true);
  setHighlightSections(false);
  // Titles wrap instead of being cut short.
  setTextElideMode(Qt::ElideNone);
  connect(this, &QHeaderView::sectionResized, this, [this] { updateGeometry(); });
  // Qt reports the click when the button is released over the section it was pressed on.
  connect(this, &QHeaderView::sectionClicked, this, [this](int section) {
    if (!pressed_on_band_ && on_title_click) on_title_click(section);
  });
}

void CitectGridHeader::SetSortArrow(int section, bool ascending) {
  sort_section_ = section;
  sort_ascending_ = ascending;
  viewport()->update();
}

QString CitectGridHeader::GroupOf(int section) const {
  if (!model() || section < 0 || section >= count()) return {};
  return model()->headerData(section, orientation(), CitectTagGridModel::kGroupLabelRole).toString();
}

void CitectGridHeader::mousePressEvent(QMouseEvent* event) {
  pressed_on_band_ = event->position().y() < BandHeight();
  QHeaderView::mousePressEvent(event);
}

int CitectGridHeader::BandHeight() const { return fontMetrics().height() * 3 / 2; }

// Room for the tallest wrapped title, and for the arrow beside it.
int CitectGridHeader::TitleHeight() const {
  const int arrow = style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this);
  const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
  int height = fontMetrics().height();
  for (int section = 0; model() && section < count(); ++section) {
    const QString title = model()->headerData(section, orientation(), Qt::DisplayRole).toString();
    const int room = std::max(1, sectionSize(section) - 2 * margin - arrow);
    height = std::max(height, fontMetrics().boundingRect(0, 0, room, 0, kTitleFlags, title).height());
  }
  return height + 2 * margin;
}

QSize CitectGridHeader::sizeHint() const {
  QSize size = QHeaderView::sizeHint();
  size.setHeight(BandHeight() + TitleHeight());
  return size;
}

void CitectGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  const int band = std::min(BandHeight(), rect.height() / 2);
  const QRect band_rect(rect.left(), rect.top(), rect.width(), band);
  const QRect title_rect(rect.left(), rect.top() + band, rect.width(), rect.height() - band);

  // The group label is drawn across all of its columns and clipped to this one, so it reads
  // once, centred over the group, whichever columns are repainted.
  const QString group = GroupOf(logicalIndex);
  int first = logicalIndex;
  int last = logicalIndex;
  while (first > 0 && GroupOf(first - 1) == group) --first;
  while (last + 1 < count() && GroupOf(last + 1) == group) ++last;
  const int left = sectionViewportPosition(first);
  const int right = sectionViewportPosition(last) + sectionSize(last);
  QStyleOptionHeader band_option;
  initStyleOption(&band_option);
  band_option.rect = QRect(left, band_rect.top(), right - left, band_rect.height());
  band_option.text = group;
  band_option.textAlignment = Qt::AlignCenter;
  band_option.position = QStyleOptionHeader::Middle;
  band_option.sortIndicator = QStyleOptionHeader::None;
  painter->save();
  painter->setClipRect(band_rect);
  style()->drawControl(QStyle::CE_Header, &band_option, painter, this);
  painter->restore();

  QStyleOptionHeader title_option;
  initStyleOptionForIndex(&title_option, logicalIndex);
  title_option.rect = title_rect;
  title_option.textAlignment = Qt::Alignment(kTitleFlags);
  title_option.sortIndicator = logicalIndex != sort_section_ ? QStyleOptionHeader::None
                               : sort_ascending_             ? QStyleOptionHeader::SortUp
                                                             : QStyleOptionHeader::SortDown;
  painter->save();
  painter->setClipRect(title_rect);
  style()->drawControl(QStyle::CE_Header, &title_option, painter, this);
  painter->restore();
}

}  // namespace kz::qtui
