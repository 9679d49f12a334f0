// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/text_list.h"

// What Pembril says when no list file says otherwise.
namespace zndl::builtin {

TextList script();
TextList descriptions();
TextList jobs();
TextList afterJobs();
TextList prizes();

}  // namespace zndl::builtin
