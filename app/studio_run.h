#pragma once

#include "core/paths.h"

class QApplication;

namespace tavenzo {

// The teachers' studio (tavenzo --insegnante): no exercises, only the lists, their pictures and their spoken words.
// Returns when the teacher closes it.
int runStudio(QApplication& app, const Paths& paths);

} // namespace tavenzo
