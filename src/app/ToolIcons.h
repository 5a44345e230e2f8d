#pragma once
// Icons drawn for the tool buttons where the style's own are too pale beside its others:
// plain symbols in the text colour of buttons, as dark as the media icons.

#include <QIcon>
#include <QPalette>

namespace ToolIcons {

// A plus sign, for creating an entry.
QIcon newItem(const QPalette& palette);
// A minus sign, for deleting one.
QIcon deleteItem(const QPalette& palette);

}  // namespace ToolIcons
