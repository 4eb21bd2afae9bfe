// What the views of the configuration editor's dialogs share: the OK/Cancel/Help row and moving
// the keyboard focus where the presenter's last handler asked for it.
#pragma once

#include <QDialogButtonBox>
#include <functional>
#include <map>

class QDialog;
class QWidget;

namespace kz::editor {
class CEditorDialog;
}

namespace kz::qtui {

// OK, Cancel and Help for `dialog`: OK accepts only when `ok` returns true, Cancel rejects,
// Help calls `help`. The box is a child of the dialog.
QDialogButtonBox* MakeDialogButtons(QDialog& dialog, std::function<bool()> ok,
                                    std::function<void()> help);

// Focuses the widget of the presenter's focus control, if any, and clears the request.
void ApplyFocus(editor::CEditorDialog& presenter, const std::map<int, QWidget*>& controls);

}  // namespace kz::qtui
