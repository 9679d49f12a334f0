// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/group_document.h"

// The editor edits a group as the exchange library holds it, the same questions and
// places that group files and spreadsheets carry; these are its names in the editor.
namespace zndl::editor {

using exchange::Column;
using exchange::Group;
using exchange::Place;
using exchange::Question;

}  // namespace zndl::editor
