#include "platform/qt/ScopedNotTopmost.h"

#include "platform/qt/WindowTopmost.h"

namespace platform {

ScopedNotTopmost::ScopedNotTopmost(QWidget& window) : window_(window) {
    setWindowTopmost(window_, false);
}

ScopedNotTopmost::~ScopedNotTopmost() {
    setWindowTopmost(window_, true);
}

}  // namespace platform
