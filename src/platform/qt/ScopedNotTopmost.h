#pragma once
// Lowering the always-on-top main window around a message box or dialog so that the box
// is not hidden behind it: not topmost while this object lives, topmost again afterwards.

class QWidget;

namespace platform {

class ScopedNotTopmost {
public:
    explicit ScopedNotTopmost(QWidget& window);
    ~ScopedNotTopmost();
    ScopedNotTopmost(const ScopedNotTopmost&) = delete;
    ScopedNotTopmost& operator=(const ScopedNotTopmost&) = delete;

private:
    QWidget& window_;
};

}  // namespace platform
