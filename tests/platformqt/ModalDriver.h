#pragma once
// Acts on the next modal window from inside its own event loop, as a person would, and
// closes it a few seconds later if the action did not, so that a faulty test cannot hang.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace qttest {

template <typename Modal>
void onNextModal(std::function<void(Modal&)> action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, polls = 0, action]() mutable {
        auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
        if (modal == nullptr && ++polls < 500) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (modal == nullptr) {
            ADD_FAILURE() << "no modal window appeared";
            return;
        }
        const QPointer<QWidget> shown(modal);
        action(*modal);
        QTimer::singleShot(3000, [shown] {
            if (shown && shown->isVisible()) {
                ADD_FAILURE() << "a modal window stayed open";
                shown->close();
            }
        });
    });
    poll->start(10);
}

}  // namespace qttest
