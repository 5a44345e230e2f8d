#include "app/QtEventWait.h"

#include <QEventLoop>
#include <QTime>
#include <QTimer>

namespace {
constexpr int kSliceMilliseconds = 10;
}

double QtEventWait::secondsOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtEventWait::processEvents() {
    // A short nested loop handles what arrives and sleeps when nothing does, instead of
    // spinning through the whole wait.
    QEventLoop slice;
    QTimer::singleShot(kSliceMilliseconds, &slice, &QEventLoop::quit);
    slice.exec();
}
