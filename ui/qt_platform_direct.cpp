#include "sound/ds_library.h"
#include "ui/qt_platform.h"

namespace quorvel {

QtPlatform::QtPlatform(MainWindow& window) : QtPlatform(window, dsLibrary()) {}

}
