// What a keyboard user and a screen reader would miss in a window: a shown control without an
// accessible name or out of the Tab order, or a mnemonic letter used twice.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <map>

namespace kz::test {

// The letter after a single '&', lower-cased; null when the text has none.
inline QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toLower();
    ++i;
  }
  return {};
}

// A control a user works: not the parts that make up another (a combo's line edit, a table's
// headers).
inline bool IsControl(const QWidget& w) {
  if (qobject_cast<QComboBox*>(w.parentWidget()) ||
      qobject_cast<QAbstractSpinBox*>(w.parentWidget()) || qobject_cast<const QHeaderView*>(&w)) {
    return false;
  }
  return qobject_cast<const QAbstractButton*>(&w) || qobject_cast<const QLineEdit*>(&w) ||
         qobject_cast<const QComboBox*>(&w) || qobject_cast<const QAbstractSpinBox*>(&w) ||
         qobject_cast<const QAbstractItemView*>(&w) || qobject_cast<const QTabBar*>(&w);
}

// Radio buttons of a group take one Tab stop and the arrows move between them.
inline bool InRadioGroup(const QWidget& w) {
  const auto* radio = qobject_cast<const QRadioButton*>(&w);
  return radio && (radio->autoExclusive() || radio->group());
}

// What the window's shown controls lack, one line each.
inline QStringList Faults(const QWidget& window) {
  QStringList faults;
  std::map<QChar, QString> mnemonics;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&window)) continue;
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
    if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    if (const QChar key = Mnemonic(text); !key.isNull()) {
      const auto [first, fresh] = mnemonics.emplace(key, text);
      if (!fresh) faults << QStringLiteral("'%1' and '%2' share &%3").arg(first->second, text, key);
    }
    if (!IsControl(*w)) continue;
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(w);
    const QString name = access ? access->text(QAccessible::Name) : QString();
    const QString what = QStringLiteral("%1 '%2'").arg(w->metaObject()->className(), name);
    if (name.isEmpty()) faults << what + " has no accessible name";
    if (w->isEnabled() && !(w->focusPolicy() & Qt::TabFocus) && !InRadioGroup(*w)) {
      faults << what + " is not reached by Tab";
    }
  }
  return faults;
}

}  // namespace kz::test
