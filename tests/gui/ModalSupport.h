// Answering modal windows in tests: the action runs once a window of the
// given type is the active modal window (inside its event loop).
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace printtest {

template <class T>
void WhenModal(const std::function<void(T*)>& act)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(window);
        }
    });
    timer->start(5);
}

}  // namespace printtest
